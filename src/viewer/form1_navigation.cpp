// Turning pages: the page step and the commands that show the page or spread
// it lands on.
#include "browse/form2.h"
#include "common/twips.h"
#include "display/stretch_fit.h"
#include "display/stretched_device_size.h"
#include "imaging/page_cache.h"
#include "platform/busy_pointer.h"
#include "viewer/form1.h"
#include "viewer/page_step.h"
#include "viewer/status_texts.h"

#include <utility>

namespace ruvo {

bool Form1::lastPageShownAlone() const
{
    // The status bar is the record of it: the text is set wherever the last
    // page is shown alone and replaced by whatever is shown next.
    return m_controls.statusBar.panel(2) == StatusText::lastPageAlone();
}

void Form1::PAGESOUSA()
{
    const int count = pages().count();
    if (m_fields.goingBack) {
        m_state.pageIndex =
            qint16(stepBackward(m_state.pageIndex, count, onePageMode(), lastPageShownAlone()));
        m_fields.goingBack = false;
    } else {
        m_state.pageIndex = qint16(stepForward(m_state.pageIndex, count));
    }
}

void Form1::MTUGI()
{
    TEXCLS();
    reopenIfChanged();
    // Nothing to show in a folder without pages; only the commands follow.
    if (!pages().isEmpty()) {
        if (spreadsByShape()) {
            loadSpread();
        } else {
            RUVIHENS();
            if (!onePageMode() && m_state.pageIndex + 1 < pages().count())
                RUVINEW2();
            else
                RUVINEW1();
        }
        GAZOUAWASE();
        prefetchAround();
    }
    BOTNHANTEI();
    noteReadingPlace();
}

void Form1::MMAE()
{
    if (onePageMode())
        PAGESOUSA();
    reopenIfChanged();
    if (!pages().isEmpty()) {
        if (spreadsByShape()) {
            loadSpread();
        } else {
            RUVIHENS();
            if (onePageMode())
                RUVINEW1();
            else
                RUVINEW2();
        }
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
    // The pages the next and the previous command will want, the next first, each in the
    // place it will take: the later page of a spread is its second.
    struct Wanted
    {
        int index;
        bool secondPage;
    };
    const int index = m_state.pageIndex;
    QList<Wanted> wanted;
    if (spreadsByShape()) {
        // The spreads the next and the previous turn will show, as the pairing has them; asked
        // of a copy, so that a page index not yet shown never moves the pairing.
        SpreadPlan plan = spreads();
        const Spread shown = shownSpread();
        QList<Spread> around;
        if (shown.last() < pages().count() - 1)
            around.append(plan.next(shown));
        if (shown.first > 0)
            around.append(plan.previous(shown));
        for (const Spread& spread : std::as_const(around)) {
            wanted.append({spread.first, false});
            if (spread.count == 2)
                wanted.append({spread.first + 1, true});
        }
    } else if (onePageMode()) {
        wanted = {{index + 1, false}, {index + 2, false}, {index - 1, false}};
    } else {
        wanted = {{index + 1, false}, {index + 2, true}, {index - 3, false}, {index - 2, true}};
    }
    QList<PrefetchRequest> requests = m_startPages;
    for (const Wanted& page : wanted) {
        if (page.index < 0 || page.index >= pages().count())
            continue;
        requests.append(requestFor(pages().pageAt(page.index), page.secondPage));
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
    m_devicePixelRatio = ratio;
}

qreal Form1::pagePixelRatio() const
{
    return m_controls.menu(MenuItem::devicePixels).checked ? m_devicePixelRatio : 1;
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
    if (!turnThroughSpreads(false))
        PAGESOUSA();
    MTUGI();
}

void Form1::previousPage()
{
    if (turnThroughSpreads(true)) {
        MMAE();
        return;
    }
    m_fields.goingBack = true;
    if (!onePageMode())
        PAGESOUSA();
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
