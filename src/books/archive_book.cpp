#include "books/archive_book.h"

#include "books/archive_index.h"
#include "books/archive_members.h"
#include "books/archive_page_source.h"
#include "books/page_names.h"

namespace ruvo {

ArchiveBook::ArchiveBook(QString archive, std::shared_ptr<ArchiveMembers> members)
    : m_archive(std::move(archive)), m_members(std::move(members))
{
    const ArchiveIndex index = readArchiveIndex(m_archive);
    m_failure = index.failure;
    m_names = index.pages;
    m_listed = QSet<QString>(m_names.cbegin(), m_names.cend());
    sortPageNames(m_names);
}

std::unique_ptr<PageSource> ArchiveBook::sourceOf(const QString& name) const
{
    return std::make_unique<ArchivePageSource>(m_members, name);
}

} // namespace ruvo
