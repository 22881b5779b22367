#include "support/folder_snapshot.h"

#include "support/file_bytes.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace ruvo::test {

FolderSnapshot snapshotOf(const QString& root)
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
