#pragma once

#include "platform/file_replacer.h"
#include "platform/settings_service.h"

namespace ruvo {

// The settings store as an INI file under the user's configuration folder:
// $XDG_CONFIG_HOME/<application>/<application>.ini, one group per section.
// Every write replaces the file through the checked, atomic file write, so a
// full disk or a power cut never leaves it empty; lines it does not know stay.
class IniSettingsService : public SettingsService
{
public:
    explicit IniSettingsService(FileSystemCalls calls = FileSystemCalls::system()) : m_replacer(calls) {}

    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultValue) const override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;

    // The file an application's settings are kept in.
    static QString filePath(const QString& application);

private:
    FileReplacer m_replacer;
};

} // namespace ruvo
