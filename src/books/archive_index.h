#pragma once

#include "books/book_failure.h"

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
    QStringList pages;
};

// Reads the archive's index.
ArchiveIndex indexArchive(const QString& archivePath);
// The same, read once for the file as it is: asked again while the file is unchanged, the
// archive is not read again.
ArchiveIndex readArchiveIndex(const QString& archivePath);

} // namespace ruvo
