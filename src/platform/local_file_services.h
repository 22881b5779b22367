#pragma once

#include "platform/file_services.h"

namespace ruvo {

// File services over the local file system.
class LocalFileServices : public FileServices
{
public:
    std::optional<int> attributes(const QString& path) const override;
    QString lookup(const QString& path, bool directoryToo = false) const override;
    QString volumeLabel(const QString& path) const override;
    QStringList volumeRoots() const override;
    QString volumeRoot(const QString& path) const override;
    std::optional<QStringList> listFiles(const QString& folder) const override;
    bool removeFile(const QString& path) override;
    bool createFolder(const QString& path) override;
    std::optional<QStringList> readLines(const QString& path) const override;
    bool writeLines(const QString& path, const QStringList& lines) override;
};

} // namespace ruvo
