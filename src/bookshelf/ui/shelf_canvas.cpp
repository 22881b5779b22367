#include "bookshelf/ui/shelf_canvas.h"

#include "bookshelf/form6.h"
#include "bookshelf/shelf_grid.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace ruvo {

namespace {
const QColor shelfColor(64, 64, 64);
const QColor frameColor(0x80, 0xc8, 0xff);
constexpr int frameWidth = 3;
} // namespace

ShelfCanvas::ShelfCanvas(Form6& logic, QWidget* parent) : QWidget(parent), m_logic(logic)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

int ShelfCanvas::iconAt(QPoint point, bool titlesToo) const
{
    const QList<ShelfIcon>& icons = m_logic.controls().icons;
    for (int i = 0; i < icons.size(); ++i) {
        const ShelfIcon& icon = icons.at(i);
        if (icon.visible && (icon.image.contains(point) || (titlesToo && icon.label.contains(point))))
            return i;
    }
    return -1;
}

const QPixmap& ShelfCanvas::thumbnail(const QImage& picture)
{
    auto it = m_thumbnails.find(picture.cacheKey());
    if (it == m_thumbnails.end()) {
        // Stretched to the icon, as a plain resize: no smoothing of the small picture.
        const QImage scaled = picture.scaled(ShelfGridMetrics::imageWidth, ShelfGridMetrics::imageHeight,
                                             Qt::IgnoreAspectRatio, Qt::FastTransformation);
        it = m_thumbnails.insert(picture.cacheKey(), QPixmap::fromImage(scaled));
    }
    return *it;
}

void ShelfCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, shelfColor);
    painter.setPen(Qt::white);
    for (const ShelfIcon& icon : m_logic.controls().icons) {
        if (!icon.visible || !exposed.intersects(icon.image.united(icon.label)))
            continue;
        painter.drawPixmap(icon.image.topLeft(), thumbnail(icon.picture));
        const QString caption =
            painter.fontMetrics().elidedText(icon.caption, Qt::ElideRight, icon.label.width());
        painter.drawText(icon.label, Qt::AlignHCenter | Qt::AlignTop, caption);
    }
    const CanvasBox& frame = m_logic.controls().shape1;
    if (frame.visible) {
        painter.setPen(QPen(frameColor, frameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.geometry.adjusted(-1, -1, 0, 0));
    }
}

void ShelfCanvas::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const int index = iconAt(point, true);
    m_pressedImage = iconAt(point, false);
    if (index >= 0)
        m_logic.iconMouseDown(index, event->button());
    else
        m_logic.backgroundMouseDown(event->button());
    setFocus();
}

void ShelfCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    const int index = iconAt(event->position().toPoint(), false);
    if (index >= 0 && index == m_pressedImage && event->button() == Qt::LeftButton)
        m_logic.Image1_Click(index);
    m_pressedImage = -1;
}

void ShelfCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int index = iconAt(event->position().toPoint(), false);
    if (index >= 0 && event->button() == Qt::LeftButton)
        m_logic.Image1_DblClick(index);
    else
        mousePressEvent(event);
}

bool ShelfCanvas::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = iconAt(help->pos(), true);
        if (index >= 0)
            QToolTip::showText(help->globalPos(), m_logic.controls().icons.at(index).toolTip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace ruvo
