// Putting page pictures on screen: one page, a spread, or the second page of
// a spread next to a page already shown.
#include "browse/form2.h"
#include "common/twips.h"
#include "imaging/page_cache.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "session/user_messages.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"

namespace ruvo {

void Form1::RUVIHENS()
{
    takePage(m_reading.index());
}

void Form1::takePage(int index)
{
    const PageRef candidate = pages().pageAt(index);
    if (pages().hasPage(index)) {
        m_fields.page = candidate;
        m_fields.pagePath = candidate.path();
        return;
    }
    const UserMessage message = Messages::missingFile(candidate.path());
    m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
}

void Form1::loadPicture(Surface& target, const PageRef& page, const QList<PrefetchRequest>& next)
{
    // The status bar says a page is loading for as long as it decodes; a page decoded
    // ahead is shown at once, with no need to say so. The pages stay as they were until
    // the new ones are there: a spread half put together is not worth showing.
    if (!page.isEmpty() && !m_platform.pages.isReady(page))
        Q_EMIT statusChanged();
    // A missing page shows the previous one again; the first page of a run has
    // none, and the missing page has already been reported.
    // Drawn stretched, a page decoded now is scaled on the way, at the size it is likely
    // to be drawn at.
    const bool secondPage = &target == &m_controls.picture3;
    DecodedPicture decoded =
        page.isEmpty() ? DecodedPicture{} : m_platform.pages.take(requestFor(page, secondPage), next);
    // Page images take the size of their picture, which a picture decoded only to be drawn
    // smaller holds at that size.
    QSize size = m_controls.picture5.picture.size();
    target.source = PageRef();
    target.pixelRatio = 1;
    if (page.isEmpty()) {
        target.picture = m_controls.picture5.picture;
    } else if (decoded.isValid()) {
        size = decoded.pictureSize();
        target.picture = std::move(decoded.image);
        target.source = page;
        target.pixelRatio = pagePixelRatio();
    } else {
        const UserMessage message = Messages::damagedPicture(page.path());
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        target.picture = m_controls.picture5.picture;
    }
    target.width = size.width() * double(twipsPerPixel) / target.pixelRatio;
    target.height = size.height() * double(twipsPerPixel) / target.pixelRatio;
}

void Form1::showPicture(Surface& target, const PageRef& page, int panel, const QList<PrefetchRequest>& next)
{
    // A page still to be decoded is awaited with the window free, as long as it takes: the
    // place keeps what it showed and the status bar says the page is loading, so that no
    // page stands under another's name.
    if (!page.isEmpty() &&
        m_platform.pages.takeLater(requestFor(page, &target == &m_controls.picture3), this, whenArrived())) {
        for (const PrefetchRequest& beside : next)
            m_platform.pages.takeLater(beside, this, whenArrived());
        m_awaited.await(target, page, panel, pageLabel());
        return;
    }
    m_awaited.forget(target);
    loadPicture(target, page, next);
    m_controls.statusBar.panel(panel) = pageLabel();
}

std::function<void()> Form1::whenArrived()
{
    // Told on this thread, perhaps at once: looked at once the work at hand is done.
    return [this] { QMetaObject::invokeMethod(this, &Form1::picturesArrived, Qt::QueuedConnection); };
}

void Form1::picturesArrived()
{
    for (const AwaitedPictures::Picture& awaited : m_awaited.pictures()) {
        const bool secondPage = awaited.place == &m_controls.picture3;
        if (m_platform.pages.takeLater(requestFor(awaited.page, secondPage), this, whenArrived()))
            return;
    }
    if (m_awaited.isEmpty() && !m_sharperAwaited)
        return;
    const ChangeBatch::Scope changes(m_changes);
    if (m_awaited.isEmpty()) {
        m_sharperAwaited = false;
        sharpenPages();
        m_changes.note();
        return;
    }
    for (const AwaitedPictures::Picture& awaited : m_awaited.takeAll()) {
        loadPicture(*awaited.place, awaited.page);
        m_controls.statusBar.panel(awaited.panel) = awaited.label;
    }
    // Placed as a spread's loading places its pages, and fitted as a turn fits them.
    if (m_controls.picture3.width > 0)
        placePagesInFrame();
    showLoadedPages();
    GAZOUAWASE();
    m_changes.note();
}

bool Form1::decodeAgainIfSmall(Surface& page, QSize drawn)
{
    const QSize own(int(std::lround(page.width / twipsPerPixel * page.pixelRatio)),
                    int(std::lround(page.height / twipsPerPixel * page.pixelRatio)));
    const DecodedPicture shown{page.picture, {}, {}, own};
    // A place awaiting its page still shows the one before.
    if (m_awaited.isAwaited(page) || page.source.isEmpty() || page.picture.isNull() || own.isEmpty() ||
        shown.serves(drawn))
        return false;
    const ScaledSizeOf drawnSize = drawn.isEmpty() ? ScaledSizeOf() : [drawn](QSize) { return drawn; };
    const PrefetchRequest sharper(page.source, drawnSize, m_devicePixelRatio);
    // Until the page is decoded again, off this thread, the picture on screen is drawn larger.
    if (m_platform.pages.takeLater(sharper, this, whenArrived())) {
        m_sharperAwaited = true;
        return false;
    }
    const DecodedPicture decoded = m_platform.pages.take(sharper, {});
    // A file changed meanwhile keeps the picture laid out.
    if (!decoded.isValid() || decoded.pictureSize() != own)
        return false;
    page.picture = decoded.image;
    return true;
}

void Form1::sharpenPages()
{
    if (stretchOn()) {
        stretchPages();
        return;
    }
    decodeAgainIfSmall(m_controls.picture2, QSize());
    decodeAgainIfSmall(m_controls.picture3, QSize());
}

void Form1::noteShownPage()
{
    // The volume label is read on every load, so that a book on removable media
    // can later be found again by it.
    m_state.shownPagePath = m_fields.pagePath;
    // A page inside an archive is on the archive's volume.
    m_state.shownVolumeLabel =
        m_platform.files.volumeLabel(pages().isArchive() ? pages().folder() : m_fields.pagePath);
}

void Form1::showLoadedPages()
{
    if (stretchOn()) {
        SUTOREP();
    } else {
        BotanOK();
        m_controls.picture1.visible = true;
    }
}

QString Form1::pageLabel(int index) const
{
    return StatusText::pageLabel(index, pages().name(index));
}

QString Form1::pageLabel() const
{
    return pageLabel(m_reading.index());
}

QString Form1::positionText(int index) const
{
    return StatusText::position(index, pages().count());
}

QString Form1::positionText() const
{
    return positionText(m_reading.index());
}

void Form1::RUVINEW1()
{
    StatusBarState& status = m_controls.statusBar;
    m_controls.picture1.visible = false;
    m_controls.picture3.collapse();
    m_controls.picture3.picture = QImage();
    m_awaited.forget(m_controls.picture3);
    placePagesInFrame();
    status.panel(3) = StatusText::loading();
    m_reading.show(Spread{m_reading.index(), 1});
    showPicture(m_controls.picture2, m_fields.page, 3);
    noteShownPage();
    status.panel(1) = positionText();
    if (!onePageMode())
        status.panel(2) = StatusText::lastPageAlone();
    showLoadedPages();
    m_fields.endCheckArmed = true;
}

void Form1::RUVINEW2()
{
    StatusBarState& status = m_controls.statusBar;
    m_controls.picture1.visible = false;
    status.panel(3) = StatusText::loading();
    // A spread of the book's last page has it on both sides.
    const int first = m_reading.index();
    const Spread spread{first, first + 1 < pages().count() ? 2 : 1};
    // The second page is decoded beside the first when neither was prepared ahead.
    QList<PrefetchRequest> next;
    if (spread.count == 2)
        next.append(requestFor(pages().pageAt(spread.last()), true));
    showPicture(m_controls.picture2, m_fields.page, 3, next);
    noteShownPage();
    status.panel(1) = positionText();
    m_reading.show(spread);
    RUVIHENS();
    status.panel(2) = StatusText::loading();
    showPicture(m_controls.picture3, m_fields.page, 2);
    status.panel(1) = positionText();
    placePagesInFrame();
    showLoadedPages();
    if (m_reading.index() + 1 == pages().count())
        m_fields.endCheckArmed = true;
}

void Form1::RUVINEW3()
{
    StatusBarState& status = m_controls.statusBar;
    m_controls.picture1.visible = false;
    RUVIHENS();
    status.panel(2) = StatusText::loading();
    showPicture(m_controls.picture3, m_fields.page, 2);
    noteShownPage();
    status.panel(1) = positionText();
    placePagesInFrame();
    showLoadedPages();
}

} // namespace ruvo
