#include "display/ui/viewing_area.h"

#include "display/color_value.h"
#include "display/twips.h"
#include "viewer/form1_controls.h"

#include <QPainter>

namespace ruvo {

namespace {

QRect rectOf(const Surface& surface, QPoint origin = {})
{
    return toPixelRect(surface.left, surface.top, surface.width, surface.height).translated(origin);
}

bool isShown(const Surface& surface)
{
    return surface.visible && !surface.picture.isNull() && surface.width > 0 && surface.height > 0;
}

} // namespace

ViewingArea::ViewingArea(const Form1Controls& controls, QWidget* parent) : QWidget(parent), m_controls(controls)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ViewingArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colorFromValue(m_controls.nori.backColor));

    // The frame is hidden while a spread is being put together.
    const Surface& frame = m_controls.picture1;
    if (frame.visible && frame.width > 0 && frame.height > 0) {
        const QRect frameRect = rectOf(frame);
        painter.fillRect(frameRect, colorFromValue(frame.backColor));
        painter.save();
        painter.setClipRect(frameRect);
        for (const Surface* page : {&m_controls.picture3, &m_controls.picture2}) {
            if (isShown(*page))
                painter.drawImage(rectOf(*page, frameRect.topLeft()).topLeft(), page->picture);
        }
        painter.restore();
    }
    drawStretched(painter, m_controls.image2, m_scaled2);
    drawStretched(painter, m_controls.image1, m_scaled1);

    const Surface& panel = m_controls.picture4;
    if (panel.visible)
        painter.fillRect(rectOf(panel), colorFromValue(panel.backColor));
}

void ViewingArea::drawStretched(QPainter& painter, const Surface& surface, ScaledPicture& cache)
{
    if (!isShown(surface)) {
        cache = ScaledPicture{};
        return;
    }
    const QRect target = rectOf(surface);
    const QSize deviceSize = target.size() * devicePixelRatio();
    if (cache.key != surface.picture.cacheKey() || cache.size != deviceSize) {
        cache.key = surface.picture.cacheKey();
        cache.size = deviceSize;
        cache.image = surface.picture.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        cache.image.setDevicePixelRatio(devicePixelRatio());
    }
    painter.drawImage(target.topLeft(), cache.image);
}

void ViewingArea::resizeEvent(QResizeEvent*)
{
    Q_EMIT resized();
}

} // namespace ruvo
