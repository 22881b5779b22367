#pragma once

#include "bookshelf/shelf_entry.h"
#include "bookshelf/shelf_reading.h"

#include <QList>
#include <QSet>
#include <QString>

namespace ruvo {

class FileServices;

// Registering is refused once a shelf holds this many books.
inline constexpr int shelfBookLimit = 428;

QString shelfFileName();
// The shelf record file and a thumbnail of the shelf in a folder.
QString shelfFilePath(const QString& shelfFolder);
QString thumbnailPath(const QString& shelfFolder, const QString& thumbnailFile);
// The name the n-th thumbnail file of a shelf is given: "<n>ruv.bmp".
QString thumbnailFileName(int n);

// Reads the shelf of a folder. Never fails on what the file holds: whatever it
// is, the verdict says how far it was understood. No file of the name is an
// empty shelf; a name that holds no readable plain file (a folder, a FIFO, a
// dangling link, a file that cannot be read) is a damaged one.
ShelfReading readShelfFile(const FileServices& files, const QString& shelfFolder);

// Replaces the shelf file of a folder with these entries (atomically: on
// failure the previous file stays as it was).
bool writeShelfFile(FileServices& files, const QString& shelfFolder, const QList<ShelfEntry>& entries);

// Writes the record file of a new, empty shelf (the count line "0").
bool createEmptyShelfFile(FileServices& files, const QString& shelfFolder);

// The lines of a shelf file holding these entries.
QStringList shelfFileLines(const QList<ShelfEntry>& entries);

// The first "<n>ruv.bmp", counting from 0, that names nothing in the folder
// and is none of the taken names (those a shelf file mentions).
QString nextThumbnailName(const FileServices& files, const QString& shelfFolder,
                          const QSet<QString>& taken = {});

// Whether a name read from a shelf file names a file directly in the shelf
// folder (no separator, not "." or ".."): nothing else is ever deleted.
bool isBareFileName(const QString& name);

// Whether a thumbnail name read from a shelf file may be read as a picture: a
// plain file directly in the shelf folder. A link is not followed, wherever
// it leads: nothing outside the shelf is ever shown as one of its thumbnails.
bool isReadableThumbnail(const FileServices& files, const QString& shelfFolder, const QString& thumbnailFile);

enum class ThumbnailRemoval
{
    Removed,
    // The name does not name a file of the shelf folder; nothing was touched.
    Refused,
    Failed,
};

ThumbnailRemoval removeThumbnail(FileServices& files, const QString& shelfFolder,
                                 const QString& thumbnailFile);

} // namespace ruvo
