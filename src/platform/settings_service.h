#pragma once

#include <QString>

namespace ruvo {

// The per-user settings store: text values by application, section and key.
class SettingsService
{
public:
    virtual ~SettingsService() = default;
    virtual QString read(const QString& application, const QString& section, const QString& key,
                         const QString& defaultValue) const = 0;
    virtual void write(const QString& application, const QString& section, const QString& key,
                       const QString& value) = 0;
};

} // namespace ruvo
