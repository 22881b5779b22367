// Where the reader left each book: remembered on leaving it, and the place a book opened as a
// whole starts at; the books read last, and the books beside the open one in its folder.
#include "books/book.h"
#include "browse/books_in_folder.h"
#include "browse/form2.h"
#include "commands/key_texts.h"
#include "platform/busy_pointer.h"
#include "platform/file_services.h"
#include "platform/file_stamp.h"
#include "platform/native_name.h"
#include "platform/paths.h"
#include "platform/process_service.h"
#include "platform/readable_name.h"
#include "session/page_list.h"
#include "session/settings_store.h"
#include "viewer/book_opening.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"

#include <utility>

namespace ruvo {

namespace {

constexpr int recentBooksShown = 10;

BookKey bookKeyOf(const QString& location, bool archive)
{
    if (!archive)
        return BookKey{nativeName(location), -1, 0};
    const FileStamp stamp = fileStampOf(location);
    return BookKey{nativeName(location), stamp.size, stamp.modified};
}

} // namespace

PositionsFile& Form1::positionsFile()
{
    if (!m_positions)
        m_positions.emplace(m_platform.files, m_platform.process.stateFolder());
    if (m_positions->load() == PositionsFile::Loaded::Damaged && !m_toldPositionsLost) {
        m_toldPositionsLost = true;
        m_pendingNotice = StatusText::positionsLost();
    }
    return *m_positions;
}

bool Form1::resumeOn() const
{
    return m_controls.menu(MenuItem::resume).checked;
}

std::optional<Form1::ResumedPlace> Form1::resumedPlaceIn(const PageList& book)
{
    if (!resumeOn() || !book.book())
        return std::nullopt;
    const std::optional<ReadingPosition> left =
        positionsFile().positions().find(bookKeyOf(book.book()->location(), book.book()->isArchive()));
    if (!left)
        return std::nullopt;
    // A page gone since opens the book at its start.
    const int index = left->page.isEmpty() ? 0 : pageIndexOf(book, nameFromNative(left->page));
    if (index < 0)
        return std::nullopt;
    return ResumedPlace{index, left->shifted};
}

void Form1::startAtResumedPlace(const ResumedPlace& place)
{
    ReadingSession& session = reading();
    session.moveTo(place.index);
    if (spreadsByShape())
        session.anchorAt(place.index, place.shifted);
    if (place.index > 0 || place.shifted)
        m_pendingNotice = StatusText::resumedAt(place.index);
}

Form1::ReadingPlace Form1::readingPlace() const
{
    const std::shared_ptr<Book>& book = pages().book();
    if (!book || pages().isEmpty())
        return {};
    const Spread shown = m_reading.shown();
    ReadingPlace place;
    place.location = book->location();
    place.archive = book->isArchive();
    place.page = pages().name(shown.first);
    place.shifted = m_reading.bookName() == pages().folder() && m_reading.shiftedHere();
    place.atEnd = shown.last() >= pages().count() - 1;
    return place;
}

void Form1::noteReadingPlace()
{
    m_readingPlace = readingPlace();
    QString notice = std::exchange(m_pendingNotice, QString());
    if (notice.isEmpty() && m_readingPlace.atEnd)
        notice = nextBookNotice();
    m_controls.statusBar.notice = notice;
}

QString Form1::nextBookNotice()
{
    // Looked for once for the book, not at every turn on its last pages.
    if (m_nextBookOf != m_readingPlace.location) {
        m_nextBookOf = m_readingPlace.location;
        m_nextBook = neighbourBook(m_readingPlace.location, true, m_platform.files, m_platform.books);
    }
    if (m_nextBook.isEmpty())
        return QString();
    return StatusText::nextVolume(fileNameOf(m_nextBook), keyName(KeyCode::BracketRight));
}

void Form1::leaveBook()
{
    // The book still on screen is taken as it is now (a mode switched since the last turn);
    // one the browser has already put aside, as it was last shown.
    const ReadingPlace now = readingPlace();
    if (!now.location.isEmpty() && now.location == m_readingPlace.location)
        m_readingPlace = now;
    const ReadingPlace place = std::exchange(m_readingPlace, ReadingPlace{});
    if (place.location.isEmpty())
        return;
    ReadingPosition position;
    position.book = bookKeyOf(place.location, place.archive);
    // A book read to its end starts again from its start.
    if (!place.atEnd) {
        position.page = nativeName(place.page);
        position.shifted = place.shifted;
    }
    PositionsFile& file = positionsFile();
    file.positions().remember(position);
    // A write that fails (a full disk) loses this position only; the file stays as it was.
    file.save();
}

QList<RecentBook> Form1::recentBooks()
{
    QList<RecentBook> books;
    for (const ReadingPosition& position : positionsFile().positions().inOrder()) {
        const QString path = nameFromNative(position.book.path);
        // Books gone since are left out.
        if (m_platform.files.lookup(path, true).isEmpty())
            continue;
        books.append(RecentBook{path, readableName(fileNameOf(path))});
        if (books.size() == recentBooksShown)
            break;
    }
    return books;
}

void Form1::openRecentBook(const QString& path)
{
    const ChangeBatch::Scope changes(m_changes);
    openAsBook(path);
    m_changes.note();
}

void Form1::openAsBook(const QString& path)
{
    m_controls.list1 = QStringList{path};
    dP();
}

void Form1::openNeighbourBook(bool forward)
{
    const std::shared_ptr<Book>& book = pages().book();
    if (!book)
        return;
    const BusyPointer busy(m_platform.pointer);
    const QString path = neighbourBook(book->location(), forward, m_platform.files, m_platform.books);
    if (!path.isEmpty())
        openAsBook(path);
}

void Form1::nextBookClick()
{
    openNeighbourBook(true);
}

void Form1::previousBookClick()
{
    openNeighbourBook(false);
}

void Form1::firstPagesClick()
{
    if (pages().isEmpty())
        return;
    NAKAHESUJYOKYO();
    reading().toFirst();
    MTUGI();
}

void Form1::lastPagesClick()
{
    if (pages().isEmpty())
        return;
    NAKAHESUJYOKYO();
    reading().toLast();
    MTUGI();
}

void Form1::resumeClick()
{
    MenuItemState& item = m_controls.menu(MenuItem::resume);
    item.checked = !item.checked;
    SettingsStore(m_platform.settings).writeNumber(Setting::resumeBooks, item.checked ? 1 : 0);
}

} // namespace ruvo
