#pragma once

#include "platform/read_fault.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ruvo {

// File attribute bits as the viewer understands them.
namespace FileAttribute {
constexpr int ReadOnly = 1;
constexpr int Hidden = 2;
constexpr int System = 4;
constexpr int Directory = 16;
constexpr int Archive = 32;
} // namespace FileAttribute

// What a name in a folder is, the name itself rather than what a link leads to.
enum class EntryKind
{
    PlainFile,
    Folder,
    Link,
    Other,
};

class FileServices
{
public:
    virtual ~FileServices() = default;

    // Sum of FileAttribute bits, or nothing when the path does not exist.
    virtual std::optional<int> attributes(const QString& path) const = 0;
    // The bare name of path when it exists as a plain file (or, with
    // directoryToo, as a folder), otherwise "".
    virtual QString lookup(const QString& path, bool directoryToo = false) const = 0;
    // What path itself names, a link not followed (so a dangling link is there
    // too); nothing when the name is free.
    virtual std::optional<EntryKind> entryKind(const QString& path) const = 0;
    // Why what path names (a link followed) cannot be read; None when it can.
    virtual ReadFault readFault(const QString& path) const = 0;
    // Label of the volume holding path; "" where it has none.
    virtual QString volumeLabel(const QString& path) const = 0;
    // The roots of the mounted volumes that hold files (the "drives"), "/" first.
    virtual QStringList volumeRoots() const = 0;
    // Root of the mounted volume that holds path ("/" when none is known).
    virtual QString volumeRoot(const QString& path) const = 0;
    // Names of the plain files of a folder that are not hidden, in no order;
    // nothing when the folder cannot be read.
    virtual std::optional<QStringList> listFiles(const QString& folder) const = 0;
    // Names of the folders in a folder (a link to one too) that are not hidden, in no order;
    // nothing when the folder cannot be read.
    virtual std::optional<QStringList> listFolders(const QString& folder) const = 0;
    virtual bool removeFile(const QString& path) = 0;
    virtual bool createFolder(const QString& path) = 0;
    // Lines of a text file in the system code page (or UTF-8 after a byte-order
    // mark), without their line ends; nothing when the file cannot be read.
    virtual std::optional<QStringList> readLines(const QString& path) const = 0;
    // The bytes of a plain file (a link followed), but no more than maxBytes + 1 of them, so
    // that a caller sees that a file is larger than it takes; nothing when the path names no
    // plain file or it cannot be read. A FIFO never blocks the caller.
    virtual std::optional<QByteArray> readFile(const QString& path, qsizetype maxBytes) const = 0;
    // Replaces the file with these bytes atomically: true only when the complete
    // new contents are on disk; on failure the old contents stay byte for byte.
    virtual bool writeFile(const QString& path, const QByteArray& bytes) = 0;
    // Makes a new file holding these bytes: fails when anything has the name already. True
    // only when the complete contents are on disk; on failure nothing of it is left.
    virtual bool createFile(const QString& path, const QByteArray& bytes) = 0;
    // Gives what path names (a link itself, not what it leads to) the name to, in the same
    // folder, in place of any file of that name; false when it could not.
    virtual bool rename(const QString& path, const QString& to) = 0;
    // writeFile of these lines in the system code page, each ended by CR LF.
    bool writeLines(const QString& path, const QStringList& lines);
};

} // namespace ruvo
