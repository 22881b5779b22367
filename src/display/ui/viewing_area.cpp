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

void drawPicture(QPainter& painter, const Surface& surface, QPoint origin)
{
    if (!surface.visible || surface.picture.isNull() || surface.width <= 0 || surface.height <= 0)
        return;
    const QRect target = rectOf(surface, origin);
    if (surface.stretch)
        painter.drawImage(target, surface.picture);
    else
        painter.drawImage(target.topLeft(), surface.picture);
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
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const Surface& frame = m_controls.picture1;
    if (frame.visible && frame.width > 0 && frame.height > 0) {
        const QRect frameRect = rectOf(frame);
        painter.fillRect(frameRect, colorFromValue(frame.backColor));
        painter.save();
        painter.setClipRect(frameRect);
        drawPicture(painter, m_controls.picture3, frameRect.topLeft());
        drawPicture(painter, m_controls.picture2, frameRect.topLeft());
        painter.restore();
    }
    drawPicture(painter, m_controls.image2, {});
    drawPicture(painter, m_controls.image1, {});
    const Surface& panel = m_controls.picture4;
    if (panel.visible)
        painter.fillRect(rectOf(panel), colorFromValue(panel.backColor));
}

void ViewingArea::resizeEvent(QResizeEvent*)
{
    Q_EMIT resized();
}

} // namespace ruvo
