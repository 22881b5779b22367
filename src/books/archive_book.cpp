#include "books/archive_book.h"

#include "books/archive_members.h"
#include "books/archive_page_path.h"
#include "books/archive_page_source.h"
#include "books/page_names.h"

#include <QBuffer>

namespace ruvo {

ArchiveBook::ArchiveBook(QString archive, std::shared_ptr<ArchiveMembers> members)
    : m_archive(std::move(archive)), m_members(std::move(members))
{
    const ArchiveIndex& index = m_members->index();
    m_failure = index.failure;
    m_stamp = index.stamp;
    m_names = index.pages;
    m_listed = QSet<QString>(m_names.cbegin(), m_names.cend());
    sortPageNames(m_names, NameOrder::Numbers);
}

bool ArchiveBook::isCurrent() const
{
    return fileStampOf(m_archive) == m_stamp;
}

std::unique_ptr<PageSource> ArchiveBook::sourceOf(const QString& name) const
{
    return std::make_unique<ArchivePageSource>(m_members, name);
}

FileStamp ArchiveBook::stampOf(const QString&) const
{
    return fileStampOf(m_archive);
}

QString ArchiveBook::pathOf(const QString& name) const
{
    return archivePagePath(m_archive, name);
}

std::optional<PageFacts> ArchiveBook::readFacts(const QString& name) const
{
    // Most headers lie in a page's first bytes: only those are unpacked. A page whose header
    // lies beyond them, or a metafile, whose size its records tell, is read whole.
    const std::optional<QByteArray> head = m_members->readHead(name, factsHeadBytes, nullptr);
    if (!head)
        return std::nullopt;
    QBuffer start;
    start.setData(*head);
    start.open(QIODevice::ReadOnly);
    const std::optional<PageFacts> facts = readPageFacts(start, PageFormats::All);
    const bool metafile =
        facts && (facts->format == PictureFormat::Wmf || facts->format == PictureFormat::Emf);
    if (head->size() < factsHeadBytes || (facts && !metafile))
        return facts;
    const std::unique_ptr<QIODevice> whole = sourceOf(name)->open(nullptr);
    return whole ? readPageFacts(*whole, PageFormats::All) : std::nullopt;
}

} // namespace ruvo
