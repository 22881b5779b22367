#pragma once

#include "platform/settings_service.h"

namespace ruvo {

// The settings store as an INI file under the user's configuration folder:
// $XDG_CONFIG_HOME/<application>/<application>.ini, one group per section.
class QtSettingsService : public SettingsService
{
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultValue) const override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;
};

} // namespace ruvo
