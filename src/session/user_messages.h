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

// A folder, an archive or any other path that cannot be opened as a book, and why: what
// cannot be read at all is told as such, an archive's own failure as unreadableArchive tells
// it. A path too long to show whole is shown by its start and its end.
UserMessage refusedBook(const QString& path, BookFailure failure);
} // namespace Messages

} // namespace ruvo
