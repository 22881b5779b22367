#include "platform/ini_settings_service.h"

#include "platform/ini_text.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace ruvo {

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString IniSettingsService::filePath(const QString& application)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           application + QLatin1Char('/') + application + QStringLiteral(".ini");
}

QString IniSettingsService::read(const QString& application, const QString& section, const QString& key,
                                 const QString& defaultValue) const
{
    return iniValue(contents(filePath(application)), section, key).value_or(defaultValue);
}

void IniSettingsService::write(const QString& application, const QString& section, const QString& key,
                               const QString& value)
{
    // The store has no way to report a failure to its callers; a failed write keeps the old file.
    const QString path = filePath(application);
    QDir().mkpath(QFileInfo(path).path());
    m_replacer.replace(path, withIniValue(contents(path), section, key, value));
}

} // namespace ruvo
