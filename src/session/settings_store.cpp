#include "session/settings_store.h"

#include "common/number_text.h"
#include "platform/settings_service.h"

namespace ruvo {

QString SettingsStore::readText(const SettingKey& key) const
{
    return m_service.read(QLatin1String(key.application), QLatin1String(key.section), QLatin1String(key.name),
                          QLatin1String(key.defaultValue));
}

int SettingsStore::readNumber(const SettingKey& key) const
{
    return leadingInteger(readText(key));
}

void SettingsStore::writeText(const SettingKey& key, const QString& value)
{
    m_service.write(QLatin1String(key.application), QLatin1String(key.section), QLatin1String(key.name),
                    value);
}

void SettingsStore::writeNumber(const SettingKey& key, int value)
{
    writeText(key, QString::number(value));
}

} // namespace ruvo
