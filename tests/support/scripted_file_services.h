#pragma once

#include "platform/local_file_services.h"

#include <QHash>
#include <QSet>

namespace ruvo::test {

// The real file services with the few answers a test cannot get from the
// disk as root: read-only attributes, volume labels, failing writes, folders that fail to
// be read, and folders that would be slow or impossible to make for real.
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

    QString lookup(const QString& path, bool directoryToo = false) const override
    {
        if (existing.contains(path))
            return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        return LocalFileServices::lookup(path, directoryToo);
    }

    std::optional<QStringList> listFiles(const QString& folder) const override
    {
        if (readFaults.contains(folder))
            return std::nullopt;
        if (const auto it = listings.constFind(folder); it != listings.cend())
            return *it;
        return LocalFileServices::listFiles(folder);
    }

    ReadFault readFault(const QString& path) const override
    {
        return readFaults.value(path, LocalFileServices::readFault(path));
    }

    using LocalFileServices::LocalFileServices;

    bool writeFile(const QString& path, const QByteArray& bytes) override
    {
        if (failingWrites.contains(path))
            return false;
        return LocalFileServices::writeFile(path, bytes);
    }

    bool createFile(const QString& path, const QByteArray& bytes) override
    {
        if (failingWrites.contains(path))
            return false;
        return LocalFileServices::createFile(path, bytes);
    }

    QHash<QString, int> attributeOverrides;
    QHash<QString, QString> volumeLabels; // by path prefix
    QSet<QString> failingWrites;
    // Folders listed as given, and files that exist, without touching the disk.
    QHash<QString, QStringList> listings;
    QSet<QString> existing;
    // Paths that cannot be read, and why; a folder among them cannot be listed either.
    QHash<QString, ReadFault> readFaults;
};

} // namespace ruvo::test
