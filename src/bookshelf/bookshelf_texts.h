#pragma once

#include "bookshelf/shelf_entry.h"
#include "session/user_messages.h"

#include <QString>

namespace ruvo {

// The texts and messages of the bookshelf window.
namespace BookshelfTexts {
QString caption();
QString fontName();
// The folder bar: the shelf folder after its heading.
QString folderBar(const QString& shelfFolder);
// Status panel 1.
QString bookCount(int count);
// Status panel 2 with no book selected.
QString ready();
// Title, volume label and page path, as the icon's tooltip and status panel 2 show them.
QString entryToolTip(const ShelfEntry& entry);
// The caption of an icon that holds no book.
QString emptyIconCaption();
UserMessage saveQuestion();
// Opening a book whose page cannot be found, or an entry without a page.
UserMessage bookNotFound(const ShelfEntry& entry);
UserMessage noBookPath();
} // namespace BookshelfTexts

} // namespace ruvo
