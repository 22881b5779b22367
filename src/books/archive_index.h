#pragma once

#include "books/book_failure.h"
#include "platform/file_stamp.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace ruvo {

// What an archive book holds, read once when it opens: the paths of its pages (see
// member_paths.h), in the archive's order, or why it cannot be read as a book.
struct ArchiveIndex
{
    using Failure = BookFailure;

    Failure failure = Failure::None;
    // What the archive library said, for the log; the reader is told by failure.
    QString detail;
    // The pages as they are listed.
    QStringList pages;
    // The path each page stores where it is listed under another (one that climbed out of
    // the archive, listed under what is left of it inside).
    QHash<QString, QString> storedPaths;
    // The file the index was read from.
    FileStamp stamp;

    // The path the page listed under name stores.
    QString storedPathOf(const QString& name) const { return storedPaths.value(name, name); }
};

// Reads the archive's index.
ArchiveIndex indexArchive(const QString& archivePath);

} // namespace ruvo
