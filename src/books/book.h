#pragma once

#include "books/book_failure.h"
#include "imaging/page_facts.h"
#include "imaging/page_holder.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>

namespace ruvo {

// A book: a folder of pictures, an archive file of them, or a PDF. It lists its pages and
// hands out where each is read from, or what draws it; how an archive stores them stays
// behind it. A page's path is the folder's path or the file's, "/", and the page's name.
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
    // What the named page is, from its header: read once and kept, and read again only for a
    // page of a folder changed on disk since. Nothing when its header tells nothing. Safe to
    // call from any thread.
    std::optional<PageFacts> factsOf(const QString& name) const;

protected:
    // The named page's facts, read afresh.
    virtual std::optional<PageFacts> readFacts(const QString& name) const = 0;

private:
    struct KeptFacts
    {
        FileStamp stamp;
        std::optional<PageFacts> facts;
    };

    mutable std::mutex m_factsMutex;
    mutable QHash<QString, KeptFacts> m_facts;
};

} // namespace ruvo
