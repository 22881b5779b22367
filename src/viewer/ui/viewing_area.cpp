#include "viewer/ui/viewing_area.h"

#include "common/twips.h"
#include "display/color_value.h"
#include "display/stretched_device_size.h"
#include "viewer/form1.h"

#include <QList>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

namespace ruvo {

namespace {

// Fills area with color except where the covered rectangles lie.
void fillAround(QPainter& painter, const QRect& area, const QList<QRect>& covered, const QColor& color)
{
    QRegion region(area);
    for (const QRect& rect : covered)
        region -= rect;
    for (const QRect& rect : region)
        painter.fillRect(rect, color);
}

QRect rectOf(const Surface& surface, QPoint origin = {})
{
    return toPixelRect(surface.left, surface.top, surface.width, surface.height).translated(origin);
}

bool isShown(const Surface& surface)
{
    return surface.visible && !surface.picture.isNull() && surface.width > 0 && surface.height > 0;
}

// The whole pixels a stretched page's scaled image covers: at a fractional device pixel
// ratio its last row and column may fall short of the surface.
QRect stretchedCover(const Surface& surface, qreal ratio)
{
    const QSize device = stretchedDeviceSize(surface.width, surface.height, ratio);
    return QRect(rectOf(surface).topLeft(), QSize(int(device.width() / ratio), int(device.height() / ratio)));
}

} // namespace

ViewingArea::ViewingArea(Form1& logic, QWidget* parent) : QWidget(parent), m_logic(logic)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ViewingArea::surfacesChanged()
{
    m_changesToDraw = true;
    update();
}

void ViewingArea::drawChanges()
{
    if (m_changesToDraw)
        repaint();
}

void ViewingArea::paintEvent(QPaintEvent*)
{
    m_changesToDraw = false;
    ++m_paints;
    const Form1Controls& controls = m_logic.controls();
    QPainter painter(this);
    // A page laid out at one picture pixel to each device-independent pixel (the logic's
    // switch, or a page of a screen of another ratio) is enlarged smoothly rather than
    // into blocks on a screen with more device pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    // The frame is hidden while a spread is being put together. Each colour is laid only
    // where nothing opaque is drawn over it: a large page is a lot of memory to fill twice.
    const Surface& frame = controls.picture1;
    const bool frameShown = frame.visible && frame.width > 0 && frame.height > 0;
    const QRect frameRect = frameShown ? rectOf(frame) : QRect();
    QList<QRect> overBackground{frameRect};
    for (const Surface* stretched : {&controls.image1, &controls.image2}) {
        if (isShown(*stretched) && !stretched->picture.hasAlphaChannel())
            overBackground.append(stretchedCover(*stretched, devicePixelRatio()));
    }
    fillAround(painter, rect(), overBackground, colorFromValue(controls.nori.backColor));
    if (frameShown) {
        QList<QRect> opaquePages;
        for (const Surface* page : {&controls.picture3, &controls.picture2}) {
            // A page placed on device pixels may stand up to one short of its rounded place.
            if (isShown(*page) && !page->picture.hasAlphaChannel())
                opaquePages.append(page->pixelRatio == 1 ? pageRect(*page)
                                                         : pageRect(*page).adjusted(1, 1, -1, -1));
        }
        fillAround(painter, frameRect, opaquePages, colorFromValue(frame.backColor));
        painter.save();
        painter.setClipRect(frameRect);
        for (const Surface* page : {&controls.picture3, &controls.picture2}) {
            if (isShown(*page))
                drawPage(painter, *page);
        }
        painter.restore();
    }
    drawStretchedPages(painter);
    drawCanvas(painter);
    drawEmptyAreaText(painter, frameShown && frameRect.contains(rect().center()) ? frame.backColor
                                                                                 : controls.nori.backColor);
    // Told once the window has put the drawing on screen, after this event.
    if (m_paints == 1)
        QMetaObject::invokeMethod(
            this, [this] { m_logic.pagesDrawn(); }, Qt::QueuedConnection);
}

void ViewingArea::drawEmptyAreaText(QPainter& painter, int backColor)
{
    const QString& text = m_logic.controls().emptyAreaText;
    if (text.isEmpty())
        return;
    // Light on a dark background, dark on a light one.
    const QColor background = colorFromValue(backColor);
    painter.setPen(background.lightnessF() < 0.5 ? QColor(230, 230, 230) : QColor(40, 40, 40));
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    painter.setFont(font);
    const int margin = std::max(8, width() / 12);
    painter.drawText(rect().adjusted(margin, margin, -margin, -margin), Qt::AlignCenter | Qt::TextWordWrap,
                     text);
}

bool ViewingArea::needsScaling(const Surface& surface, ScaledPicture& cache) const
{
    if (!isShown(surface)) {
        cache = ScaledPicture{};
        return false;
    }
    const QSize deviceSize = stretchedDeviceSize(surface.width, surface.height, devicePixelRatio());
    return cache.key != surface.picture.cacheKey() || cache.size != deviceSize;
}

void ViewingArea::drawStretchedPages(QPainter& painter)
{
    const Form1Controls& controls = m_logic.controls();
    const qreal ratio = devicePixelRatio();
    // Each page is scaled once for its size, not on every repaint; the first page first, as
    // the one a spread not decoded ahead has decoded on the spot.
    const std::pair<const Surface*, ScaledPicture*> pages[] = {{&controls.image1, &m_scaled1},
                                                               {&controls.image2, &m_scaled2}};
    QList<PictureToScale> wanted;
    QList<ScaledPicture*> caches;
    for (const auto& [surface, cache] : pages) {
        if (!needsScaling(*surface, *cache))
            continue;
        wanted.append({surface->picture, stretchedDeviceSize(surface->width, surface->height, ratio)});
        caches.append(cache);
    }
    const QList<QImage> images = wanted.isEmpty() ? QList<QImage>() : m_logic.stretchedImages(wanted);
    for (qsizetype i = 0; i < caches.size(); ++i) {
        *caches.at(i) = ScaledPicture{wanted.at(i).picture.cacheKey(), wanted.at(i).size, images.value(i)};
        caches.at(i)->image.setDevicePixelRatio(ratio);
    }
    for (const auto& [surface, cache] :
         {std::pair{&controls.image2, &m_scaled2}, std::pair{&controls.image1, &m_scaled1}}) {
        if (isShown(*surface))
            painter.drawImage(rectOf(*surface).topLeft(), m_adjusted.of(cache->image, controls.adjustments));
    }
}

void ViewingArea::drawCanvas(QPainter& painter)
{
    const Form1Controls& controls = m_logic.controls();
    const Surface& canvas = controls.picture6;
    if (!canvas.visible)
        return;
    const QRect canvasRect = rectOf(canvas);
    painter.fillRect(canvasRect, colorFromValue(controls.nori.backColor));
    for (const Surface& tile : controls.foto) {
        if (isShown(tile))
            painter.drawImage(rectOf(tile, canvasRect.topLeft()).topLeft(), tile.picture);
    }
}

void ViewingArea::drawPage(QPainter& painter, const Surface& page)
{
    const QImage& picture = m_adjusted.of(page.picture, m_logic.controls().adjustments);
    const QRect rect = pageRect(page);
    const qreal ratio = devicePixelRatio();
    if (page.pixelRatio == 1) {
        painter.drawImage(rect.topLeft(), picture);
    } else if (qFuzzyCompare(page.pixelRatio, ratio)) {
        // A picture pixel to each device pixel: drawn in device pixels, from the one nearest
        // the page's corner, so that no pixel is resampled.
        // The frame clips it at the device pixels its edges reach into: the frame's twips are
        // rounded as the page's are not, and no row of a page that fits may be lost to that.
        const Surface& frame = m_logic.controls().picture1;
        const auto device = [ratio](double twips) { return int(std::lround(twips / twipsPerPixel * ratio)); };
        const auto outward = [ratio](double twips, bool end) {
            const double at = twips / twipsPerPixel * ratio;
            return int(end ? std::ceil(at - 1e-9) : std::floor(at + 1e-9));
        };
        const QRect frameOnDevice(
            QPoint(outward(frame.left, false), outward(frame.top, false)),
            QPoint(outward(frame.left + frame.width, true) - 1, outward(frame.top + frame.height, true) - 1));
        painter.save();
        painter.setClipRect(
            QRectF(QPointF(frameOnDevice.topLeft()) / ratio, QSizeF(frameOnDevice.size()) / ratio));
        painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        painter.drawImage(QPoint(device(frame.left + page.left), device(frame.top + page.top)), picture);
        painter.restore();
    } else {
        // Laid out for a screen of another ratio: scaled to where it lies until laid out again.
        painter.drawImage(rect, picture);
    }
}

QRect ViewingArea::pageRect(const Surface& page) const
{
    return rectOf(page, rectOf(m_logic.controls().picture1).topLeft());
}

QPointF ViewingArea::twipsInside(const QRect& rect, QPointF position) const
{
    return (position - QPointF(rect.topLeft())) * twipsPerPixel;
}

void ViewingArea::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const Form1Controls& controls = m_logic.controls();
    const QPointF position = event->position();
    const bool onCanvas = controls.picture6.visible && rectOf(controls.picture6).contains(position.toPoint());
    const bool framed = controls.picture1.visible && !onCanvas;
    if (framed && isShown(controls.picture2) && pageRect(controls.picture2).contains(position.toPoint())) {
        const QPointF at = twipsInside(pageRect(controls.picture2), position);
        if (event->button() != Qt::RightButton)
            m_pressed = PagePressed::First;
        m_logic.Picture2_MouseDown(event->button(), at.x(), at.y());
    } else if (framed && isShown(controls.picture3) &&
               pageRect(controls.picture3).contains(position.toPoint())) {
        const QPointF at = twipsInside(pageRect(controls.picture3), position);
        if (event->button() != Qt::RightButton)
            m_pressed = PagePressed::Second;
        m_logic.Picture3_MouseDown(event->button(), at.x(), at.y());
    } else {
        m_logic.surfaceMouseDown(event->button());
    }
}

void ViewingArea::wheelEvent(QWheelEvent* event)
{
    WheelPhase phase = WheelPhase::None;
    switch (event->phase()) {
    case Qt::ScrollBegin:
        phase = WheelPhase::Begin;
        break;
    case Qt::ScrollUpdate:
    case Qt::ScrollMomentum:
        phase = WheelPhase::Update;
        break;
    case Qt::ScrollEnd:
        phase = WheelPhase::End;
        break;
    case Qt::NoScrollPhase:
        break;
    }
    event->accept();
    m_logic.wheelTurned(event->angleDelta().y(), phase);
}

void ViewingArea::mouseMoveEvent(QMouseEvent* event)
{
    const Form1Controls& controls = m_logic.controls();
    const QPoint position = event->position().toPoint();
    // The page that took the press follows the mouse wherever it goes.
    const Surface* page = nullptr;
    if (m_pressed == PagePressed::First)
        page = &controls.picture2;
    else if (m_pressed == PagePressed::Second)
        page = &controls.picture3;
    else if (controls.picture1.visible && isShown(controls.picture2) &&
             pageRect(controls.picture2).contains(position))
        page = &controls.picture2;
    else if (controls.picture1.visible && isShown(controls.picture3) &&
             pageRect(controls.picture3).contains(position))
        page = &controls.picture3;
    if (page) {
        const QPointF at = twipsInside(pageRect(*page), event->position());
        m_logic.pictureMouseMove(at.x(), at.y());
    }
}

void ViewingArea::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event);
    if (m_pressed == PagePressed::None)
        return;
    m_pressed = PagePressed::None;
    m_logic.pictureMouseUp();
}

void ViewingArea::resizeEvent(QResizeEvent*)
{
    Q_EMIT resized();
}

} // namespace ruvo
