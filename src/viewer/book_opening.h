#pragma once

#include "books/book_failure.h"

#include <QString>

namespace ruvo {

class Books;
class FileServices;
class PageList;

// What opening a path shows: a folder opens as a book at its first page, an image
// file opens its folder at that image. An archive file opens as a book too, and the path of
// a page inside one opens the archive at that page.
struct BookOpening
{
    enum class Kind
    {
        // Nothing is there: the open book stays as it is.
        Gone,
        // A file that is no page.
        NotAPage,
        // What cannot be opened as a book, for the reason in failure: a file named as an
        // archive that no archive reader can read, or a path that cannot be read at all.
        Refused,
        Book,
    };

    Kind kind = Kind::Gone;
    // Why it is refused; None for any other kind.
    BookFailure failure = BookFailure::None;
    // The path made absolute (a relative one is taken from where the program started).
    QString path;
    // The folder, or the archive file, whose pages make the book.
    QString folder;
    // The image file's bare name, or the page's path inside the archive; empty for a folder
    // or an archive.
    QString pageName;
};

// What path opens; the books tell what is an archive and where a page inside one is.
BookOpening bookOpening(const QString& path, const FileServices& files, const Books& books);

// The index of the page a book opens at in its listed pages: the named page, or the same
// name in lower case; -1 when the list holds neither.
int pageIndexOf(const PageList& pages, const QString& pageName);

} // namespace ruvo
