// Turning pages: the page step and the commands that show the page or spread
// it lands on.
#include "browse/form2.h"
#include "common/twips.h"
#include "display/stretch_fit.h"
#include "display/stretched_device_size.h"
#include "imaging/page_cache.h"
#include "platform/busy_pointer.h"
#include "viewer/form1.h"
#include "viewer/status_texts.h"

#include <utility>

namespace ruvo {

ReadingSession& Form1::reading()
{
    // A folder listed again is the same book: the position and the pairing hold while its
    // pages do.
    m_reading.setBook(pages().folder(), pages().count(), [this](int index) { return pageIsWide(index); });
    m_reading.setPairing(m_mode.pairing());
    return m_reading;
}

void Form1::readingMoved()
{
    m_state.pageIndex = qint16(m_reading.index());
    m_fields.spreadShown = m_reading.shown().count == 2;
}

void Form1::PAGESOUSA()
{
    if (!pages().isEmpty())
        reading().turn(std::exchange(m_fields.goingBack, false));
}

void Form1::MTUGI()
{
    TEXCLS();
    showPagesAtIndex();
}

void Form1::MMAE()
{
    PAGESOUSA();
    showPagesAtIndex();
}

void Form1::showPagesAtIndex()
{
    reopenIfChanged();
    // Nothing to show in a folder without pages; only the commands follow.
    if (!pages().isEmpty()) {
        loadSpread();
        GAZOUAWASE();
        prefetchAround();
    }
    BOTNHANTEI();
    noteReadingPlace();
}

void Form1::prefetchAround()
{
    // The work ahead starts once the window has been told of the change and has drawn it,
    // so that it does not compete with the drawing; by then the page is where the event
    // left it. A window not yet on screen draws when the window system shows it, and the
    // work waits for that.
    m_changes.afterNotice([this] {
        Q_EMIT drawNow();
        if (m_firstDrawingAwaited)
            m_prefetchHeld = true;
        else
            m_platform.pages.prefetch(pagesAround());
    });
}

void Form1::windowOpening()
{
    m_firstDrawingAwaited = true;
}

void Form1::pagesDrawn()
{
    m_firstDrawingAwaited = false;
    if (std::exchange(m_prefetchHeld, false))
        m_platform.pages.prefetch(pagesAround());
}

QList<PrefetchRequest> Form1::pagesAround()
{
    // Until the book on the command line is open, its first pages stay wanted first,
    // whatever folder the window shows meanwhile.
    if (pages().isEmpty())
        return m_startPages;
    // The spreads the next and the previous turn will show, the next first, each page in the
    // place it will take: the later page of a spread is its second. One page at a time, the
    // page after the next too.
    const ReadingSession& session = reading();
    const Spread shown = session.shown();
    const int count = pages().count();
    QList<Spread> around;
    if (shown.last() < count - 1) {
        around.append(session.nextSpread());
        if (session.pairing() == Pairing::OnePage && around.last().last() < count - 1)
            around.append(Spread{around.last().last() + 1, 1});
    }
    if (shown.first > 0)
        around.append(session.previousSpread());
    QList<PrefetchRequest> requests = m_startPages;
    for (const Spread& spread : std::as_const(around)) {
        for (int page = spread.first; page <= spread.last(); ++page)
            requests.append(requestFor(pages().pageAt(page), page > spread.first));
    }
    return requests;
}

PrefetchRequest Form1::requestFor(const PageRef& page, bool secondPage) const
{
    return PrefetchRequest(page, stretchOn() ? stretchedSizeFor(secondPage) : nullptr, m_devicePixelRatio);
}

std::function<QSize(QSize)> Form1::stretchedSizeFor(bool secondPage) const
{
    // What stretching will do at the turn: the area as it is, the stretched image's
    // present size as the one it had before.
    const QSizeF area(m_controls.nori.width, m_controls.nori.height);
    const Surface& image = secondPage ? m_controls.image2 : m_controls.image1;
    const QSizeF previous(image.width, image.height);
    const bool onePage = onePageMode();
    // Where spreads follow the pages' shapes, a wide page stands alone over the whole area.
    const bool byShape = spreadsByShape();
    const qreal ratio = m_devicePixelRatio;
    // The page as a turn lays it out (see loadPicture).
    const qreal pagesRatio = pagePixelRatio();
    return [=](QSize pixels) {
        const QSizeF page(pixels.width() * double(twipsPerPixel) / pagesRatio,
                          pixels.height() * double(twipsPerPixel) / pagesRatio);
        const bool wholeArea = onePage || (byShape && pixels.width() > pixels.height());
        const StretchedImage stretched = secondPage ? stretchSecondPage(page, area, previous)
                                                    : stretchFirstPage(page, area, wholeArea, previous);
        return stretched.visible ? stretchedDeviceSize(stretched.width, stretched.height, ratio) : QSize();
    };
}

void Form1::setDevicePixelRatio(qreal ratio)
{
    const qreal laidOutAt = pagePixelRatio();
    m_devicePixelRatio = ratio;
    // Pages at one page pixel per device pixel are laid out again for a screen of another scale.
    if (pagePixelRatio() == laidOutAt || !m_loaded || pages().isEmpty() || m_controls.picture6.visible)
        return;
    const ChangeBatch::Scope changes(m_changes);
    showSpreadAgain();
    m_changes.note();
}

qreal Form1::pagePixelRatio() const
{
    return m_mode.devicePixels ? m_devicePixelRatio : 1;
}

void Form1::prepareAhead()
{
    prefetchAround();
}

QList<QImage> Form1::stretchedImages(const QList<PictureToScale>& pictures) const
{
    return m_platform.pages.scaled(pictures);
}

void Form1::nextPage()
{
    PAGESOUSA();
    MTUGI();
}

void Form1::previousPage()
{
    m_fields.goingBack = true;
    MMAE();
}

void Form1::NEXTP_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    const BusyPointer busy(m_platform.pointer);
    nextPage();
    m_changes.note();
}

void Form1::PRVP_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    const BusyPointer busy(m_platform.pointer);
    previousPage();
    m_changes.note();
}

} // namespace ruvo
