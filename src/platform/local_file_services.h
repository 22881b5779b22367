#pragma once

#include "platform/file_replacer.h"
#include "platform/file_services.h"

namespace ruvo {

// File services over the local file system.
class LocalFileServices : public FileServices
{
public:
    explicit LocalFileServices(FileSystemCalls calls = FileSystemCalls::system())
        : m_calls(calls), m_replacer(calls)
    {
    }

    std::optional<int> attributes(const QString& path) const override;
    QString lookup(const QString& path, bool directoryToo = false) const override;
    std::optional<EntryKind> entryKind(const QString& path) const override;
    ReadFault readFault(const QString& path) const override;
    QString volumeLabel(const QString& path) const override;
    QStringList volumeRoots() const override;
    QString volumeRoot(const QString& path) const override;
    std::optional<QStringList> listFiles(const QString& folder) const override;
    std::optional<QStringList> listFolders(const QString& folder) const override;
    bool removeFile(const QString& path) override;
    bool createFolder(const QString& path) override;
    std::optional<QStringList> readLines(const QString& path) const override;
    std::optional<QByteArray> readFile(const QString& path, qsizetype maxBytes) const override;
    bool writeFile(const QString& path, const QByteArray& bytes) override;
    bool createFile(const QString& path, const QByteArray& bytes) override;
    bool rename(const QString& path, const QString& to) override;

private:
    FileSystemCalls m_calls;
    FileReplacer m_replacer;
};

} // namespace ruvo
