#pragma once

#include "session/user_messages.h"

#include <QString>

namespace ruvo {

// The failure messages of writing a shelf and removing its thumbnails, and what
// the user is told and asked about a shelf file that was not fully understood.
namespace ShelfMessages {

// Registering a book: the record file or the thumbnail could not be written.
UserMessage registerWriteFailed(const QString& shelfFolder);
// Saving the bookshelf: the record file could not be written.
UserMessage saveWriteFailed(const QString& shelfFolder);
// Saving the bookshelf: a thumbnail of a removed book could not be deleted.
UserMessage thumbnailDeleteFailed(const QString& shelfFolder, const QString& thumbnailFile);
// A window opened a shelf file it could not fully read.
UserMessage damagedShelf(const QString& shelfFolder);
// Before such a file is replaced: whether to keep it beside the new one and go on.
UserMessage replaceDamagedShelf(const QString& shelfFolder);
// The copy of such a file could not be made, so it was not replaced.
UserMessage backupFailed(const QString& shelfFolder);

} // namespace ShelfMessages

} // namespace ruvo
