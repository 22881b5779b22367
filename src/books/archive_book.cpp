#include "books/archive_book.h"

#include "books/archive_members.h"
#include "books/archive_page_path.h"
#include "books/archive_page_source.h"
#include "books/page_names.h"

namespace ruvo {

ArchiveBook::ArchiveBook(QString archive, std::shared_ptr<ArchiveMembers> members)
    : m_archive(std::move(archive)), m_members(std::move(members))
{
    const ArchiveIndex& index = m_members->index();
    m_failure = index.failure;
    m_stamp = index.stamp;
    m_names = index.pages;
    m_listed = QSet<QString>(m_names.cbegin(), m_names.cend());
    sortPageNames(m_names);
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

} // namespace ruvo
