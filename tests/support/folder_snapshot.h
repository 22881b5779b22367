#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>

namespace ruvo::test {

// What a folder holds, everything below it by path relative to it: a file's
// bytes, "folder" for a folder, "link:" and the target for a symbolic link
// (never followed).
using FolderSnapshot = std::map<QString, QByteArray>;

FolderSnapshot snapshotOf(const QString& root);

// The entry of a path in a snapshot; nothing when the path held nothing.
std::optional<QByteArray> entryOf(const FolderSnapshot& snapshot, const QString& path);

// The snapshot without what lies under the folder (a path relative to the root).
FolderSnapshot withoutFolder(FolderSnapshot snapshot, const QString& folder);

} // namespace ruvo::test
