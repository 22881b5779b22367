// Placing the page frame at actual size, the five placements, and the window
// layout with the stretched pages.
#include "commands/placement_commands.h"
#include "common/number_text.h"
#include "display/spread_layout.h"
#include "display/stretched_device_size.h"
#include "display/window_layout.h"
#include "viewer/form1.h"

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

QSizeF sizeOf(const Surface& surface)
{
    return QSizeF(surface.width, surface.height);
}

void apply(Surface& surface, const StretchedImage& image)
{
    surface.visible = image.visible;
    if (image.visible)
        surface.move(image.left, image.top, image.width, image.height);
}

} // namespace

void Form1::takeWindowGeometry(const WindowGeometry& geometry)
{
    WindowState& window = m_controls.window;
    window.state = geometry.state;
    // A maximised window keeps the last normal size to come back to.
    if (window.state == WindowShowState::Normal && geometry.visible) {
        window.left = geometry.left;
        window.top = geometry.top;
        window.width = geometry.width;
        window.height = geometry.height;
    }
    window.scaleWidth = geometry.clientWidth;
    window.scaleHeight = geometry.clientHeight;
}

SpreadPages Form1::pagesInFrame() const
{
    return SpreadPages{sizeOf(m_controls.picture2), sizeOf(m_controls.picture3)};
}

void Form1::GAZOUAWASE()
{
    const FrameFit fit = layOutFrame(pagesInFrame(), sizeOf(m_controls.nori), m_mode.direction).frame;
    m_controls.picture1.move(fit.left, fit.top, fit.width, fit.height);
    m_fields.scrollRange = fit.scrollRange;
}

void Form1::placePagesInFrame()
{
    const FrameLayout layout = layOutFrame(pagesInFrame(), sizeOf(m_controls.nori), m_mode.direction);
    m_controls.picture2.left = layout.first.x();
    m_controls.picture2.top = layout.first.y();
    m_controls.picture3.left = layout.second.x();
    m_controls.picture3.top = layout.second.y();
}

void Form1::singlePageFit()
{
    const FrameFit fit = fitSinglePage(sizeOf(m_controls.picture2), sizeOf(m_controls.nori));
    m_controls.picture1.move(fit.left, fit.top, fit.width, fit.height);
}

void Form1::place(Placement placement)
{
    const ChangeBatch::Scope changes(m_changes);
    BotanOK();
    m_controls.button(placementButton(placement)).enabled = false;
    m_controls.menu(placementMenuItem(placement)).enabled = false;
    const QPointF at = placementPosition(placement, sizeOf(m_controls.picture1), sizeOf(m_controls.nori));
    m_controls.picture1.left = at.x();
    m_controls.picture1.top = at.y();
    m_changes.note();
}

void Form1::MIGIUESOROE()
{
    place(Placement::UpperRight);
}

void Form1::MIGISHITASOROE()
{
    place(Placement::LowerRight);
}

void Form1::NAKASOROE()
{
    place(Placement::Centre);
}

void Form1::HIDARIUESOROE()
{
    place(Placement::UpperLeft);
}

void Form1::HIDARISHITASOROE()
{
    place(Placement::LowerLeft);
}

void Form1::Form_Resize()
{
    WindowState& window = m_controls.window;
    if (window.height < smallestLaidOutSide || window.width < smallestLaidOutSide)
        return;
    if (window.state == WindowShowState::Normal && window.top < 0)
        window.top = 0;

    const ViewingAreaPlace area =
        placeViewingArea(window.scaleWidth, window.scaleHeight, m_controls.toolbarShown(),
                         m_controls.toolbarHeight, m_controls.statusBarShown(), m_controls.statusBarHeight);
    Surface& nori = m_controls.nori;
    const QSizeF before = sizeOf(nori);
    nori.top = area.top;
    nori.width = area.width;
    nori.height = area.height;
    m_fields.scrollRange = roundHalfEven(m_controls.picture1.height - nori.height);
    if (m_controls.picture4.visible)
        m_controls.picture4.move(0, 0, nori.width, nori.height);
    if (stretchOn())
        stretchPages();
    else if (sizeOf(nori) != before)
        refitFrame();
}

void Form1::refitFrame()
{
    // Only pages on screen at actual size have a frame to place.
    if (!m_controls.picture1.visible || m_controls.picture2.height <= 15)
        return;
    GAZOUAWASE();
    // The placement chosen for the old area is gone: every one may be chosen again.
    BotanOK();
}

void Form1::stretchPages()
{
    const QSizeF area = sizeOf(m_controls.nori);
    // A wide page alone in two-page reading is stretched as a page of one-page reading is,
    // over the whole area; the last page alone keeps the right half of a spread.
    const bool wholeArea = onePageMode() || widePageShownAlone();
    Surface& first = m_controls.image1;
    Surface& second = m_controls.image2;
    const StretchedLayout layout = layOutStretched(
        pagesInFrame(), area, wholeArea, SpreadPages{sizeOf(first), sizeOf(second)}, m_mode.direction);
    apply(first, layout.first);
    keepSharp(m_controls.picture2, first);
    // One page at a time, the second image is already put away.
    if (onePageMode())
        return;
    apply(second, layout.second);
    keepSharp(m_controls.picture3, second);
}

void Form1::keepSharp(Surface& page, Surface& stretched)
{
    if (stretched.visible &&
        decodeAgainIfSmall(page, stretchedDeviceSize(stretched.width, stretched.height, m_devicePixelRatio)))
        stretched.picture = page.picture;
}

} // namespace ruvo
