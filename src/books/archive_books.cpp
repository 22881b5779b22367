#include "books/archive_books.h"

#include "books/archive_page_path.h"
#include "books/archive_page_source.h"
#include "imaging/file_page_source.h"
#include "platform/file_stamp.h"

namespace ruvo {

ArchiveBooks::ArchiveBooks(ArchiveBook::Options options) : m_options(std::move(options)) {}

std::unique_ptr<PageSource> ArchiveBooks::sourceOf(const QString& path)
{
    if (const std::optional<ArchivePagePath> inArchive = splitArchivePagePath(path))
        return std::make_unique<ArchivePageSource>(bookOf(inArchive->archive), inArchive->member);
    return std::make_unique<FilePageSource>(path);
}

std::shared_ptr<ArchiveBook> ArchiveBooks::bookOf(const QString& archivePath)
{
    const FileStamp stamp = fileStampOf(archivePath);
    std::shared_ptr<ArchiveBook> dropped;
    const std::lock_guard lock(m_mutex);
    for (qsizetype i = 0; i < m_books.size(); ++i) {
        if (m_books.at(i).path != archivePath)
            continue;
        Held held = m_books.takeAt(i);
        if (held.stamp == stamp) {
            m_books.prepend(held);
            return held.book;
        }
        dropped = std::move(held.book);
        break;
    }
    auto book = std::make_shared<ArchiveBook>(archivePath, m_options);
    m_books.prepend(Held{archivePath, stamp, book});
    while (m_books.size() > booksKept)
        m_books.removeLast();
    return book;
}

} // namespace ruvo
