#pragma once

#include "books/archive_book.h"
#include "imaging/page_source.h"
#include "platform/file_stamp.h"

#include <QList>
#include <QString>

#include <memory>
#include <mutex>

namespace ruvo {

// The archive books open now, so that every page of one is read through one book: the
// pages of a solid archive from its one pass. The books most recently asked for are kept
// (the open book's, and another's a preview or the shelf may ask for meanwhile); an archive
// replaced on disk is opened afresh.
class ArchiveBooks
{
public:
    static constexpr int booksKept = 2;

    explicit ArchiveBooks(ArchiveBook::Options options = {true, ArchiveBook::defaultMemoryCap, QString()});

    // Where the page at path is read from: a member of an archive through its book when
    // the path goes on inside an archive file, the file itself otherwise. Safe to call from
    // any thread.
    std::unique_ptr<PageSource> sourceOf(const QString& path);
    // The book of the archive at path, opened now unless it is open.
    std::shared_ptr<ArchiveBook> bookOf(const QString& archivePath);

private:
    struct Held
    {
        QString path;
        FileStamp stamp;
        std::shared_ptr<ArchiveBook> book;
    };

    const ArchiveBook::Options m_options;
    std::mutex m_mutex;
    // Most recently asked for first.
    QList<Held> m_books;
};

} // namespace ruvo
