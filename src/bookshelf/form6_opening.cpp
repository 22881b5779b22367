#include "bookshelf/form6.h"

#include "books/book_failure.h"
#include "books/books.h"
#include "bookshelf/bookshelf_texts.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "session/book_opener.h"

namespace ruvo {

void Form6::DBCLI()
{
    if (m_selectedIndex < 0 || m_selectedIndex >= entryCount())
        return;
    const ShelfEntry entry = m_entries.at(m_selectedIndex);
    // An empty path is refused before the lookup, which could otherwise match a file by accident.
    if (entry.bookPath.isEmpty()) {
        const UserMessage message = BookshelfTexts::noBookPath();
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        return;
    }
    // A page inside an archive is there as long as its archive is; the archive says the rest.
    // What is there but cannot be read is opened all the same, to be told why.
    if (m_platform.files.lookup(entry.bookPath).isEmpty() &&
        !m_platform.books.archivePageOf(entry.bookPath) &&
        bookFailureOf(m_platform.files.readFault(entry.bookPath)) == BookFailure::None) {
        const UserMessage message = BookshelfTexts::bookNotFound(entry);
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        return;
    }
    close();
    m_opener.openPath(entry.bookPath);
}

} // namespace ruvo
