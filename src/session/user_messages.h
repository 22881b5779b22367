#pragma once

#include "books/book_failure.h"

#include <QString>

namespace ruvo {

// A message the program shows the user: the title names the operation, the
// text the cause and the path concerned.
struct UserMessage
{
    QString title;
    QString text;
};

namespace Messages {
// A page or file that was listed is gone.
UserMessage missingFile(const QString& path);
// A picture that cannot be decoded; names the path or the file.
UserMessage damagedPicture(const QString& pathOrName);
// An archive that cannot be opened as a book, and why.
UserMessage unreadableArchive(const QString& path, BookFailure failure);
// A book of more pages than the page list holds: only the first are shown.
UserMessage pagesLeftOut(const QString& path, int pageCount);
} // namespace Messages

} // namespace ruvo
