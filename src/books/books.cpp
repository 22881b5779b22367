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
    return std::make_shared<FolderBook>(at, m_files, folderOrder(), folderFormats());
}

PageRef Books::pageAt(const QString& path)
{
    if (const std::optional<ArchivePagePath> inArchive = archivePageOf(path))
        return PageRef(fileBook(inArchive->archive), inArchive->member);
    return PageRef::file(path, folderFormats());
}

std::shared_ptr<ArchiveMembers> Books::membersOf(const QString& archivePath)
{
    const FileStamp stamp = fileStampOf(archivePath);
    // Declared before the lock, so that what is let go of (a solid archive's pass, which is
    // waited for) goes after it.
    QList<Held> dropped;
    const std::lock_guard lock(m_mutex);
    return held(archivePath, stamp, dropped).members;
}

std::shared_ptr<Book> Books::fileBook(const QString& path)
{
    return isPdfFile(path) ? pdfBook(path) : archiveBook(path);
}

namespace {

// The entry kept for path in a list of the most recently asked for first, made the first,
// when it still stands for the file at stamp; nothing otherwise, an entry no longer current
// going into dropped.
template <typename Entry>
Entry* keptEntry(QList<Entry>& kept, const QString& path, const FileStamp& stamp, QList<Entry>& dropped)
{
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (kept.at(i).path != path)
            continue;
        Entry entry = kept.takeAt(i);
        if (entry.stamp != stamp) {
            dropped.append(std::move(entry));
            return nullptr;
        }
        kept.prepend(std::move(entry));
        return &kept.first();
    }
    return nullptr;
}

// Entry put first, the oldest beyond the limit going into dropped.
template <typename Entry> Entry& keptFirst(QList<Entry>& kept, Entry entry, QList<Entry>& dropped)
{
    kept.prepend(std::move(entry));
    while (kept.size() > Books::archivesKept)
        dropped.append(kept.takeLast());
    return kept.first();
}

} // namespace

std::shared_ptr<Book> Books::pdfBook(const QString& pdfPath)
{
    const FileStamp stamp = fileStampOf(pdfPath);
    {
        QList<HeldPdf> dropped;
        const std::lock_guard lock(m_mutex);
        if (const HeldPdf* kept = keptEntry(m_pdfs, pdfPath, stamp, dropped))
            return kept->book;
    }
    // Opened outside the lock: poppler may take a while over a large or damaged file, and other
    // books are asked for meanwhile, the page shown now among them.
    const std::shared_ptr<Book> opened = std::make_shared<PdfBook>(pdfPath);
    // What is let go of is closed once the lock is released.
    QList<HeldPdf> dropped;
    const std::lock_guard lock(m_mutex);
    // Opened by another thread meanwhile: the one kept is everyone's.
    if (const HeldPdf* kept = keptEntry(m_pdfs, pdfPath, stamp, dropped))
        return kept->book;
    return keptFirst(m_pdfs, HeldPdf{pdfPath, stamp, opened}, dropped).book;
}

std::shared_ptr<Book> Books::archiveBook(const QString& archivePath)
{
    const FileStamp stamp = fileStampOf(archivePath);
    std::shared_ptr<ArchiveMembers> members;
    {
        QList<Held> dropped;
        const std::lock_guard lock(m_mutex);
        const Held& archive = held(archivePath, stamp, dropped);
        if (archive.book)
            return archive.book;
        members = archive.members;
    }
    // Listed outside the lock: listing a compressed tar reads all of it, and other books are
    // asked for meanwhile, the page shown now among them.
    const std::shared_ptr<Book> opened = std::make_shared<ArchiveBook>(archivePath, members);
    QList<Held> dropped;
    const std::lock_guard lock(m_mutex);
    Held& archive = held(archivePath, stamp, dropped);
    // Opened by another thread meanwhile: the one kept is everyone's. An archive replaced
    // meanwhile keeps none of this opening's, which stands for the file as it was asked for.
    if (!archive.book && archive.members == members)
        archive.book = opened;
    return archive.book ? archive.book : opened;
}

Books::Held& Books::held(const QString& archivePath, const FileStamp& stamp, QList<Held>& dropped)
{
    if (Held* kept = keptEntry(m_archives, archivePath, stamp, dropped))
        return *kept;
    return keptFirst(m_archives,
                     Held{archivePath, stamp, std::make_shared<ArchiveMembers>(archivePath, m_options), {}},
                     dropped);
}

} // namespace ruvo
