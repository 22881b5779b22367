#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ruvo {

// Which book a position belongs to: its path as the file system knows it, and, for an
// archive, its size and time of last change, so that another file put at the same path is
// not taken for it. A folder is known by its path alone (its size is -1): adding a page to it
// keeps it the same book.
struct BookKey
{
    QByteArray path;
    qint64 size = -1;
    // Nanoseconds since the epoch; 0 for a folder.
    qint64 modified = 0;

    bool operator==(const BookKey& other) const = default;
};

// Where a reader left a book: the first page on screen (empty for the book's start), and
// whether that page stood alone because the reader moved the pairs of pages there.
struct ReadingPosition
{
    BookKey book;
    QByteArray page;
    bool shifted = false;

    bool operator==(const ReadingPosition& other) const = default;
};

} // namespace ruvo
