#pragma once

#include "bookshelf/shelf_entry.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

namespace ruvo {

// The most entries a shelf table holds; reading never goes past it.
inline constexpr int shelfTableSize = 430;
// A record is four lines: volume label, book path, title, thumbnail name.
inline constexpr int shelfRecordLines = 4;
// The most bytes of a shelf file that are read: 430 records of long paths and titles take
// well under a megabyte, so a larger file is not a shelf the program wrote.
inline constexpr qsizetype shelfReadLimit = 16 * 1024 * 1024;

// How far a shelf file was understood.
enum class ShelfVerdict
{
    // A count and exactly that many four-line records, nothing after them but empty lines.
    Good,
    // No file of the name: an empty shelf.
    Missing,
    // Anything else; only what could be read is shown, and the file is kept until the user
    // agrees to replace it.
    Damaged,
};

struct ShelfReading
{
    // In shelf order, at most shelfTableSize of them.
    QList<ShelfEntry> entries;
    ShelfVerdict verdict = ShelfVerdict::Missing;
    // Every line the file holds: any of them may be a thumbnail's name, though the records
    // around it could not be read.
    QSet<QString> lines;
};

// The count on a shelf file's first line: decimal digits, full-width ones too, with any
// white space around them (the ideographic space and tabs included). Nothing when the line
// holds anything else; a number past the 32-bit range reads as the largest one.
std::optional<int> shelfCount(QStringView line);

// The shelf these bytes of a shelf file hold, and the verdict on them.
ShelfReading readShelfBytes(const QByteArray& bytes);

} // namespace ruvo
