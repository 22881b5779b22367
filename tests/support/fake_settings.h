#pragma once

#include "platform/settings_service.h"

#include <QHash>
#include <QStringList>

namespace ruvo::test {

// An in-memory settings store that keeps the order of writes.
class FakeSettings : public SettingsService
{
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultValue) const override
    {
        return values.value(path(application, section, key), defaultValue);
    }

    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override
    {
        values.insert(path(application, section, key), value);
        writes.append(path(application, section, key) + QLatin1Char('=') + value);
    }

    static QString path(const QString& application, const QString& section, const QString& key)
    {
        return application + QLatin1Char('/') + section + QLatin1Char('/') + key;
    }

    // Sets a value of the program's own section.
    void set(const QString& key, const QString& value)
    {
        values.insert(path(QStringLiteral("Dudado"), QStringLiteral("startup"), key), value);
    }
    QString get(const QString& key) const
    {
        return values.value(path(QStringLiteral("Dudado"), QStringLiteral("startup"), key));
    }
    bool has(const QString& key) const
    {
        return values.contains(path(QStringLiteral("Dudado"), QStringLiteral("startup"), key));
    }

    QHash<QString, QString> values;
    QStringList writes;
};

} // namespace ruvo::test
