#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>

namespace ruvo::test {

// What a folder holds, everything below it by path relative to it: a file's
// bytes (or their SHA-256 digest), "folder" for a folder, "link:" and the
// target for a symbolic link (never followed), "special" for a FIFO, socket
// or device (never opened).
using FolderSnapshot = std::map<QString, QByteArray>;

enum class FileContents
{
    Bytes,
    // For folders of large files: equal digests stand for equal bytes.
    Digest,
};

FolderSnapshot snapshotOf(const QString& root, FileContents contents = FileContents::Bytes);

// The entry of a path in a snapshot; nothing when the path held nothing.
std::optional<QByteArray> entryOf(const FolderSnapshot& snapshot, const QString& path);

// The snapshot without what lies under the folder (a path relative to the root).
FolderSnapshot withoutFolder(FolderSnapshot snapshot, const QString& folder);

} // namespace ruvo::test
