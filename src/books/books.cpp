#include "books/books.h"

#include "books/archive_book.h"
#include "books/archive_format.h"
#include "books/archive_page_path.h"
#include "books/folder_book.h"
#include "books/pdf_book.h"
#include "books/pdf_format.h"
#include "imaging/picture_limits.h"
#include "platform/paths.h"

namespace ruvo {

Books::Books(const FileServices& files, ArchiveMembers::Options options)
    : m_files(files), m_options(std::move(options))
{
    if (!m_options.budget)
        m_options.budget = std::make_shared<UnpackBudget>(kArchivePageMaxBytes);
}

bool Books::isArchive(const QString& path) const
{
    return archiveFormatOfFile(path) != ArchiveFormat::None || isPdfFile(path);
}

std::optional<ArchivePagePath> Books::archivePageOf(const QString& path) const
{
    return splitArchivePagePath(path);
}

std::shared_ptr<Book> Books::open(const QString& location)
{
    const QString at = folderPathForm(location);
    if (isArchive(at))
        return fileBook(at);
    return std::make_shared<FolderBook>(at, m_files);
}

PageRef Books::pageAt(const QString& path)
{
    if (const std::optional<ArchivePagePath> inArchive = archivePageOf(path))
        return PageRef(fileBook(inArchive->archive), inArchive->member);
    return PageRef::file(path);
}

std::shared_ptr<ArchiveMembers> Books::membersOf(const QString& archivePath)
{
    // Declared before the lock, so that what is let go of (a solid archive's pass, which is
    // waited for) goes after it.
    QList<Held> dropped;
    const std::lock_guard lock(m_mutex);
    return held(archivePath, dropped).members;
}

std::shared_ptr<Book> Books::fileBook(const QString& path)
{
    return isPdfFile(path) ? pdfBook(path) : archiveBook(path);
}

std::shared_ptr<Book> Books::pdfBook(const QString& pdfPath)
{
    const FileStamp stamp = fileStampOf(pdfPath);
    {
        QList<HeldPdf> dropped;
        const std::lock_guard lock(m_mutex);
        if (std::shared_ptr<Book> kept = keptPdf(pdfPath, stamp, dropped))
            return kept;
    }
    // Opened outside the lock: poppler may take a while over a large or damaged file, and other
    // books are asked for meanwhile, the page shown now among them.
    const std::shared_ptr<Book> opened = std::make_shared<PdfBook>(pdfPath);
    // What is let go of is closed once the lock is released.
    QList<HeldPdf> dropped;
    const std::lock_guard lock(m_mutex);
    // Opened by another thread meanwhile: the one kept is everyone's.
    if (std::shared_ptr<Book> kept = keptPdf(pdfPath, stamp, dropped))
        return kept;
    m_pdfs.prepend(HeldPdf{pdfPath, stamp, opened});
    while (m_pdfs.size() > archivesKept)
        dropped.append(m_pdfs.takeLast());
    return opened;
}

std::shared_ptr<Book> Books::keptPdf(const QString& pdfPath, const FileStamp& stamp, QList<HeldPdf>& dropped)
{
    for (qsizetype i = 0; i < m_pdfs.size(); ++i) {
        if (m_pdfs.at(i).path != pdfPath)
            continue;
        HeldPdf held = m_pdfs.takeAt(i);
        if (held.stamp == stamp) {
            m_pdfs.prepend(held);
            return held.book;
        }
        dropped.append(std::move(held));
        return nullptr;
    }
    return nullptr;
}

std::shared_ptr<Book> Books::archiveBook(const QString& archivePath)
{
    std::shared_ptr<ArchiveMembers> members;
    {
        QList<Held> dropped;
        const std::lock_guard lock(m_mutex);
        const Held& archive = held(archivePath, dropped);
        if (archive.book)
            return archive.book;
        members = archive.members;
    }
    // Listed outside the lock: listing a compressed tar reads all of it, and other books are
    // asked for meanwhile, the page shown now among them.
    const std::shared_ptr<Book> opened = std::make_shared<ArchiveBook>(archivePath, members);
    QList<Held> dropped;
    const std::lock_guard lock(m_mutex);
    Held& archive = held(archivePath, dropped);
    // Opened by another thread meanwhile: the one kept is everyone's. An archive replaced
    // meanwhile keeps none of this opening's, which stands for the file as it was asked for.
    if (!archive.book && archive.members == members)
        archive.book = opened;
    return archive.book ? archive.book : opened;
}

Books::Held& Books::held(const QString& archivePath, QList<Held>& dropped)
{
    const FileStamp stamp = fileStampOf(archivePath);
    for (qsizetype i = 0; i < m_archives.size(); ++i) {
        if (m_archives.at(i).path != archivePath)
            continue;
        Held held = m_archives.takeAt(i);
        if (held.stamp == stamp) {
            m_archives.prepend(held);
            return m_archives.first();
        }
        dropped.append(std::move(held));
        break;
    }
    m_archives.prepend(
        Held{archivePath, stamp, std::make_shared<ArchiveMembers>(archivePath, m_options), {}});
    while (m_archives.size() > archivesKept)
        dropped.append(m_archives.takeLast());
    return m_archives.first();
}

} // namespace ruvo
