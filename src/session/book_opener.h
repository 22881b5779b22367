#pragma once

#include <QImage>
#include <QStringList>

namespace ruvo {

// What the file browser and the bookshelf ask of the window that shows books: to open what was
// chosen in the browser (its folder or archive, from a page) or a path from the shelf, to take
// files dropped on the browser, and the picture shown for a page that cannot be shown.
class BookOpener
{
public:
    virtual ~BookOpener() = default;

    // The browser's folder as the book, from firstPage; pageChosen is false when the reader
    // chose the book as a whole, no page of it.
    virtual void openChosenFolder(int firstPage, bool pageChosen) = 0;
    // The browser's folder as the book, at the page double-clicked in its list.
    virtual void openChosenPage(int pageIndex) = 0;
    virtual void dropFiles(const QStringList& paths) = 0;
    // A folder, an archive, or a page in either, as a book.
    virtual void openPath(const QString& path) = 0;
    virtual QImage placeholderPicture() const = 0;
};

} // namespace ruvo
