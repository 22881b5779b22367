#include "support/folder_snapshot.h"

#include "support/file_bytes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace ruvo::test {

FolderSnapshot snapshotOf(const QString& root, FileContents contents)
{
    FolderSnapshot snapshot;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString path = info.filePath().mid(root.size() + 1);
        if (info.isSymLink())
            snapshot[path] = "link:" + QFile::encodeName(info.symLinkTarget());
        else if (info.isDir())
            snapshot[path] = "folder";
        else if (!info.isFile())
            snapshot[path] = "special";
        else if (contents == FileContents::Digest)
            snapshot[path] = QCryptographicHash::hash(fileBytes(info.filePath()), QCryptographicHash::Sha256);
        else
            snapshot[path] = fileBytes(info.filePath());
    }
    return snapshot;
}

std::optional<QByteArray> entryOf(const FolderSnapshot& snapshot, const QString& path)
{
    const auto it = snapshot.find(path);
    return it == snapshot.end() ? std::nullopt : std::optional<QByteArray>(it->second);
}

FolderSnapshot withoutFolder(FolderSnapshot snapshot, const QString& folder)
{
    std::erase_if(snapshot, [&folder](const auto& entry) {
        return entry.first == folder || entry.first.startsWith(folder + QLatin1Char('/'));
    });
    return snapshot;
}

} // namespace ruvo::test
