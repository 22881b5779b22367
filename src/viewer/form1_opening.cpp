// Opening a path as a book, the first pages at start-up, and the resets that
// every opening goes through.
#include "books/book.h"
#include "books/books.h"
#include "browse/form2.h"
#include "imaging/picture_decoder.h"
#include "platform/busy_pointer.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/modal_window_service.h"
#include "platform/paths.h"
#include "platform/process_service.h"
#include "platform/readable_name.h"
#include "session/page_list.h"
#include "session/settings_store.h"
#include "session/user_messages.h"
#include "viewer/book_opening.h"
#include "viewer/empty_area_text.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"

#include <algorithm>
#include <utility>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

QString bookCaption(const QString& folder)
{
    return u"Ruvo - "_s + readableName(folder);
}

} // namespace

void Form1::prepareStart()
{
    const QString commandLine = m_platform.process.commandLine();
    if (commandLine.isEmpty())
        return;
    const BookOpening opening = bookOpening(commandLine, m_platform.files, m_platform.books);
    if (opening.kind != BookOpening::Kind::Book)
        return;
    PageList book;
    book.load(opening.folder, m_platform.books);
    m_startBook = book.book();
    // The page it opens at and the one after it: the first spread, or the next page.
    int first = std::max(0, pageIndexOf(book, opening.pageName));
    if (opening.pageName.isEmpty()) {
        if (const std::optional<ResumedPlace> resumed = resumedPlaceIn(book))
            first = resumed->index;
    }
    for (const int index : {first, first + 1}) {
        if (index < book.count())
            m_startPages.append(PrefetchRequest(book.pageAt(index)));
    }
    if (!m_startPages.isEmpty())
        m_platform.pages.prefetch(m_startPages);
}

void Form1::showFirstPages()
{
    m_browser.Form_Load(m_platform.process.currentFolder());
    // A book named on the command line takes the window: the folder the program started in
    // is not shown in its place, even when that book cannot be opened.
    if (!m_state.commandLine.isEmpty())
        m_browser.pages().clear();
    if (pages().isEmpty())
        return;
    m_browser.setVisible(false);
    reading().moveTo(0);
    RUVIHENS();
    if (pages().count() > 1)
        RUVINEW2();
    else
        RUVINEW1();
    GAZOUAWASE();
    BOTNHANTEI();
    showBookCaption();
    prefetchAround();
}

void Form1::dP(bool mayResume)
{
    const ChangeBatch::Scope changes(m_changes);
    if (m_controls.list1.isEmpty() || m_controls.list1.constFirst().isEmpty())
        return;
    // Listing the folder and decoding its first pages take their time.
    const BusyPointer busy(m_platform.pointer);
    // Dropped and command-line paths may be relative to where the program started.
    const BookOpening opening =
        bookOpening(m_controls.list1.constFirst(), m_platform.files, m_platform.books);
    // A vanished path leaves the open book as it is.
    if (opening.kind == BookOpening::Kind::Gone)
        return;
    if (opening.kind == BookOpening::Kind::NotAPage) {
        if (!m_browser.isVisible())
            m_platform.modal.showModeless(WindowName::dropHelp);
        return;
    }
    // A book that cannot be opened says why, and the open book stays.
    if (opening.kind == BookOpening::Kind::Refused) {
        tellUnreadable(opening.path, opening.failure);
        return;
    }
    // The book opened before the splash is not opened again.
    std::shared_ptr<Book> book = std::exchange(m_startBook, {});
    if (!book || book->location() != folderPathForm(opening.folder))
        book = m_platform.books.open(opening.folder);
    if (book->failure() != BookFailure::None) {
        tellUnreadable(opening.folder, book->failure());
        return;
    }
    leaveBook();
    m_browser.setDrive(m_platform.files.volumeRoot(opening.path));
    m_browser.setBook(std::move(book));
    const int named = pageIndexOf(pages(), opening.pageName);
    std::optional<ResumedPlace> resumed;
    if (named >= 0)
        m_browser.pages().select(named);
    else if (mayResume && opening.pageName.isEmpty())
        resumed = resumedPlaceIn(pages());
    if (resumed)
        m_browser.pages().select(resumed->index);

    clearPictures();
    NAKAHESUJYOKYO();
    showBookCaption();
    TEXCLS();
    tellIfPagesLeftOut();
    if (pages().isEmpty()) {
        showNoPages();
    } else {
        if (pages().selectedIndex() < 0) {
            reading().moveTo(0);
            m_browser.pages().select(0);
        } else {
            reading().moveTo(pages().selectedIndex());
        }
        if (resumed)
            startAtResumedPlace(*resumed);
        m_browser.MEMOR();
        MTUGI();
    }
    m_changes.note();
}

void Form1::dropFiles(const QStringList& paths)
{
    // A drop without a list of files (text, say) is not for us.
    if (paths.isEmpty())
        return;
    m_controls.list1 = paths;
    dP();
}

void Form1::openPath(const QString& path)
{
    m_controls.list1 = QStringList{path};
    dP(false);
}

void Form1::openChosenFolder(int firstPage, bool pageChosen)
{
    const ChangeBatch::Scope changes(m_changes);
    leaveBook();
    std::optional<ResumedPlace> resumed;
    if (!pageChosen)
        resumed = resumedPlaceIn(pages());
    clearPictures();
    showBookCaption();
    TEXCLS();
    tellIfPagesLeftOut();
    if (!pages().isEmpty()) {
        reading().moveTo(firstPage);
        if (resumed) {
            m_browser.pages().select(resumed->index);
            startAtResumedPlace(*resumed);
        }
        MTUGI();
    } else {
        showNoPages();
    }
    NAKAHESUJYOKYO();
    m_changes.note();
}

void Form1::openChosenPage(int pageIndex)
{
    const ChangeBatch::Scope changes(m_changes);
    leaveBook();
    reading().moveTo(pageIndex);
    MTUGI();
    showBookCaption();
    m_changes.note();
}

void Form1::tellUnreadable(const QString& path, BookFailure failure)
{
    const UserMessage message = Messages::refusedBook(path, failure);
    m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
}

void Form1::tellIfPagesLeftOut()
{
    const std::shared_ptr<Book>& book = pages().book();
    if (!book || book->pageNames().size() <= pages().count()) {
        m_fields.toldPagesLeftOut.clear();
        return;
    }
    // Told once for the book, not again at each opening of it.
    if (m_fields.toldPagesLeftOut == book->location())
        return;
    m_fields.toldPagesLeftOut = book->location();
    const UserMessage message = Messages::pagesLeftOut(book->location(), int(book->pageNames().size()));
    m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
}

void Form1::numberOrderClick()
{
    const bool on = toggleStoredSwitch(MenuItem::numberOrder, Setting::numberOrder);
    m_platform.books.setFolderOrder(on ? NameOrder::Numbers : NameOrder::Characters);
    listFolderBookAgain();
}

void Form1::allFormatsClick()
{
    const bool on = toggleStoredSwitch(MenuItem::allFormats, Setting::allFormats);
    m_platform.books.setFolderFormats(on ? PageFormats::All : PageFormats::Basic);
    listFolderBookAgain();
}

void Form1::thumbnailShapeClick()
{
    // Read by the register window at each registration.
    toggleStoredSwitch(MenuItem::thumbnailShape, Setting::keepThumbnailShape);
}

bool Form1::toggleStoredSwitch(const QString& itemName, const SettingKey& key)
{
    MenuItemState& item = m_controls.menu(itemName);
    item.checked = !item.checked;
    SettingsStore(m_platform.settings).writeNumber(key, item.checked ? 1 : 0);
    return item.checked;
}

void Form1::listFolderBookAgain()
{
    // A folder book on screen is listed again as its folder is now read, at the page it shows
    // (its first when that page is no longer one); one that showed none may now show some.
    const std::shared_ptr<Book> book = pages().book();
    if (!m_fields.bookOpened || !book || book->isArchive())
        return;
    const QString name = pages().isEmpty() ? QString() : pages().name(m_reading.shown().first);
    m_browser.setBook(m_platform.books.open(book->location()));
    openChosenFolder(std::max(0, pageIndexOf(pages(), name)), true);
}

void Form1::reopenIfChanged()
{
    const std::shared_ptr<Book> book = pages().book();
    if (!book || book->isCurrent())
        return;
    // The page about to be shown, as the book now holds it; its first page when it holds it
    // no more. Nothing of the book as it was is shown again.
    const QString name = pages().name(m_reading.index());
    std::shared_ptr<Book> reopened = m_platform.books.open(book->location());
    // Replaced by a file that is no archive, it is no book either; by one that cannot be read,
    // it is told why.
    const BookFailure readFailure = bookFailureOf(m_platform.files.readFault(book->location()));
    const BookFailure failure = reopened->isArchive()              ? reopened->failure()
                                : readFailure != BookFailure::None ? readFailure
                                                                   : BookFailure::Unreadable;
    if (!reopened->isArchive())
        m_browser.pages().clear();
    else
        m_browser.setBook(std::move(reopened));
    reading().moveTo(pageIndexOf(pages(), name));
    // An archive taken away is said to be gone; one replaced by what is no book, unreadable.
    if (failure != BookFailure::None && m_platform.files.lookup(book->location()).isEmpty()) {
        const UserMessage message = Messages::missingFile(book->location());
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
    } else if (failure != BookFailure::None) {
        tellUnreadable(book->location(), failure);
    }
    if (pages().isEmpty()) {
        clearPictures();
        showNoPages();
        return;
    }
    m_browser.pages().select(m_reading.index());
    tellIfPagesLeftOut();
}

void Form1::clearPictures()
{
    // The stretched images go too: a folder without pages shows no page.
    for (Surface* surface :
         {&m_controls.picture2, &m_controls.picture3, &m_controls.image1, &m_controls.image2})
        surface->picture = QImage();
    m_awaited.clear();
}

void Form1::showBookCaption()
{
    m_controls.window.caption = bookCaption(m_browser.folder());
    m_fields.bookOpened = true;
    // Said again below when the book has no pages.
    m_controls.emptyAreaText.clear();
}

void Form1::showNoPages()
{
    m_controls.statusBar.panel(1) = StatusText::noPages();
    const std::shared_ptr<Book>& book = pages().book();
    m_controls.emptyAreaText = book ? EmptyAreaText::noPages(book->location()) : EmptyAreaText::noBook();
    // No page is on screen: nothing may offer the last book's page to be registered.
    m_state.shownPagePath.clear();
    m_state.shownVolumeLabel.clear();
    reading().moveTo(0);
    BOTNHANTEI();
}

void Form1::NAKAHESUJYOKYO()
{
    m_fields.goingBack = false;
    m_fields.endCheckArmed = false;
}

void Form1::TEXCLS()
{
    m_controls.statusBar.panel(2) = onePageMode() ? StatusText::oneScreenMode() : QString();
    m_controls.statusBar.panel(3) = QString();
}

const PageList& Form1::pages() const
{
    return m_browser.pages();
}

bool Form1::onePageMode() const
{
    return m_mode.onePage;
}

bool Form1::stretchOn() const
{
    return m_mode.stretched();
}

} // namespace ruvo
