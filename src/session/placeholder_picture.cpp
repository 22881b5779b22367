#include "session/placeholder_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace ruvo {

QImage placeholderPicture()
{
    constexpr int width = 160;
    constexpr int height = 224;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x40, 0x40, 0x40));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // A sheet with its upper right corner folded over.
    const int fold = 36;
    QPainterPath sheet;
    sheet.moveTo(12, 12);
    sheet.lineTo(width - 12 - fold, 12);
    sheet.lineTo(width - 12, 12 + fold);
    sheet.lineTo(width - 12, height - 12);
    sheet.lineTo(12, height - 12);
    sheet.closeSubpath();
    painter.fillPath(sheet, QColor(0xee, 0xee, 0xe8));
    QPainterPath corner;
    corner.moveTo(width - 12 - fold, 12);
    corner.lineTo(width - 12 - fold, 12 + fold);
    corner.lineTo(width - 12, 12 + fold);
    corner.closeSubpath();
    painter.fillPath(corner, QColor(0xb8, 0xb8, 0xb0));

    painter.setPen(QPen(QColor(0xc0, 0x30, 0x30), 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPoint(48, 80), QPoint(width - 48, height - 64));
    painter.drawLine(QPoint(width - 48, 80), QPoint(48, height - 64));
    return image;
}

} // namespace ruvo
