#include "session/page_list.h"

#include "books/book.h"
#include "books/books.h"
#include "platform/paths.h"

namespace ruvo {

void PageList::load(const QString& folder, Books& books)
{
    load(books.open(folder));
}

void PageList::load(std::shared_ptr<Book> book)
{
    m_book = std::move(book);
    m_folder = m_book->location();
    m_selected = -1;
    m_names = m_book->pageNames();
    if (m_names.size() > maximumCount)
        m_names.resize(maximumCount);
}

void PageList::clear()
{
    m_folder.clear();
    m_names.clear();
    m_selected = -1;
    m_book.reset();
}

bool PageList::isArchive() const
{
    return m_book && m_book->isArchive();
}

PageRef PageList::pageAt(int index) const
{
    return PageRef(m_book, name(index));
}

QString PageList::pathOf(int index) const
{
    return m_book ? m_book->pathOf(name(index)) : joinPath(m_folder, name(index));
}

bool PageList::hasPage(int index) const
{
    return index >= 0 && index < m_names.size() && m_book->hasPage(m_names.at(index));
}

QString PageList::name(int index) const
{
    return index >= 0 && index < m_names.size() ? m_names.at(index) : QString();
}

void PageList::select(int index)
{
    m_selected = index >= 0 && index < m_names.size() ? index : -1;
}

} // namespace ruvo
