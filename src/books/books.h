#pragma once

#include "books/archive_members.h"
#include "books/archive_page_path.h"
#include "books/book.h"
#include "books/page_names.h"
#include "imaging/page_ref.h"
#include "platform/file_stamp.h"

#include <QList>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

namespace ruvo {

class FileServices;

// The books the program opens. The archives and PDFs most recently asked for are kept open as
// books (the open book's, and another's a preview or the shelf may ask for meanwhile), so that
// every page of an archive is read through one reader, the pages of a solid archive from its
// one pass, and what the book learnt of its pages is kept. An archive replaced on disk is
// opened afresh.
class Books
{
public:
    static constexpr int archivesKept = 2;

    // Pages being unpacked share one budget of a page's largest size, unless the options
    // give one.
    explicit Books(const FileServices& files,
                   ArchiveMembers::Options options = {true, ArchiveMembers::defaultMemoryCap, QString()});

    // The book at location: an archive file or a PDF, told by what it holds, or a folder. Its
    // location is kept without a trailing separator (but for the root). An archive or a PDF
    // still open is handed out again.
    std::shared_ptr<Book> open(const QString& location);
    // Whether the file at path opens as a book in one file, an archive or a PDF: told by its
    // content, whatever its name. The one place that tells it.
    bool isArchive(const QString& path) const;
    // The archive or PDF and the page inside it that path names, when it goes on inside such a
    // file; nothing for any other path. The one place a page's path is split.
    std::optional<ArchivePagePath> archivePageOf(const QString& path) const;
    // The page a path names, for what starts from one (the command line, the shelf, a
    // drop): a page of the archive it goes on inside, or a picture file outside any book.
    PageRef pageAt(const QString& path);
    // The members of the archive at path, opened now unless they are open.
    std::shared_ptr<ArchiveMembers> membersOf(const QString& archivePath);
    // The order of a folder's pages, and of the books a folder holds; number order unless
    // set. An archive's pages are always in number order.
    NameOrder folderOrder() const { return m_folderOrder.load(); }
    void setFolderOrder(NameOrder order) { m_folderOrder.store(order); }
    // The formats of a folder's pages, and of a picture file outside any book; all of them
    // unless set. An archive's pages may be in any.
    PageFormats folderFormats() const { return m_folderFormats.load(); }
    void setFolderFormats(PageFormats formats) { m_folderFormats.store(formats); }

private:
    struct Held
    {
        QString path;
        FileStamp stamp;
        std::shared_ptr<ArchiveMembers> members;
        // Made when the archive is first opened as a book.
        std::shared_ptr<Book> book;
    };

    struct HeldPdf
    {
        QString path;
        FileStamp stamp;
        std::shared_ptr<Book> book;
    };

    // The book of the archive or PDF at path.
    std::shared_ptr<Book> fileBook(const QString& path);
    std::shared_ptr<Book> archiveBook(const QString& archivePath);
    // The PDF book held for path, opened now unless it is, or is no longer current.
    std::shared_ptr<Book> pdfBook(const QString& pdfPath);
    // The archive held for path, opened now unless it is held as the file at stamp; the first
    // in the list. What it lets go of goes into dropped, to be freed once the lock is released.
    Held& held(const QString& archivePath, const FileStamp& stamp, QList<Held>& dropped);

    const FileServices& m_files;
    ArchiveMembers::Options m_options;
    std::atomic<NameOrder> m_folderOrder{NameOrder::Numbers};
    std::atomic<PageFormats> m_folderFormats{PageFormats::All};
    std::mutex m_mutex;
    // Most recently asked for first.
    QList<Held> m_archives;
    // Most recently asked for first, as many as archives.
    QList<HeldPdf> m_pdfs;
};

} // namespace ruvo
