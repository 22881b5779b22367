#pragma once

#include "books/book_failure.h"
#include "imaging/page_holder.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace ruvo {

// A book: a folder of pictures, or an archive file of them. It lists its pages and hands
// out where each is read from; how an archive stores them stays behind it. A page's path
// is the folder's path or the archive's, "/", and the page's name.
class Book : public PageHolder
{
public:
    // The folder, or the archive file.
    virtual const QString& location() const = 0;
    virtual bool isArchive() const = 0;
    // Why it cannot be opened; None for a book that opens, if with no pages.
    virtual BookFailure failure() const = 0;
    // Its pages' names, in reading order: bare file names in a folder, members' paths in an
    // archive.
    virtual const QStringList& pageNames() const = 0;
    // Whether the named page is still there. An archive's pages are as it listed them when
    // it opened.
    virtual bool hasPage(const QString& name) const = 0;
    // Whether the book is still as it was read: an archive not changed or replaced on disk
    // since it was opened. A folder's pages are looked for one by one, and it always is.
    virtual bool isCurrent() const = 0;
};

} // namespace ruvo
