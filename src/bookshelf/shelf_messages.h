#pragma once

#include "viewer/user_messages.h"

#include <QString>

namespace ruvo {

// The failure messages of writing a shelf and removing its thumbnails.
namespace ShelfMessages {

// Registering a book: the record file or the thumbnail could not be written.
UserMessage registerWriteFailed(const QString& shelfFolder);
// Saving the bookshelf: the record file could not be written.
UserMessage saveWriteFailed(const QString& shelfFolder);
// Saving the bookshelf: a thumbnail of a removed book could not be deleted.
UserMessage thumbnailDeleteFailed(const QString& shelfFolder, const QString& thumbnailFile);

} // namespace ShelfMessages

} // namespace ruvo
