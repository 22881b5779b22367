#pragma once

#include "platform/local_file_services.h"

#include <QHash>
#include <QSet>

namespace ruvo::test {

// The real file services with the few answers a test cannot get from the
// disk as root: read-only attributes, volume labels and failing writes.
class ScriptedFileServices : public LocalFileServices
{
public:
    std::optional<int> attributes(const QString& path) const override
    {
        if (const auto it = attributeOverrides.constFind(path); it != attributeOverrides.cend())
            return *it;
        return LocalFileServices::attributes(path);
    }

    QString volumeLabel(const QString& path) const override
    {
        for (auto it = volumeLabels.cbegin(); it != volumeLabels.cend(); ++it) {
            if (path.startsWith(it.key()))
                return it.value();
        }
        return LocalFileServices::volumeLabel(path);
    }

    bool writeLines(const QString& path, const QStringList& lines) override
    {
        if (failingWrites.contains(path))
            return false;
        return LocalFileServices::writeLines(path, lines);
    }

    QHash<QString, int> attributeOverrides;
    QHash<QString, QString> volumeLabels; // by path prefix
    QSet<QString> failingWrites;
};

} // namespace ruvo::test
