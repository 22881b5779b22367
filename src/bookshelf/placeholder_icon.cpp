#include "bookshelf/placeholder_icon.h"

#include <QPainter>

namespace ruvo {

QImage shelfPlaceholderIcon()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(64, 64, 64));
    QPainter painter(&image);
    // Cover, spine and the edge of the pages.
    painter.fillRect(QRect(7, 3, 19, 26), QColor(0xee, 0xee, 0xe8));
    painter.fillRect(QRect(5, 2, 19, 26), QColor(0x3a, 0x6e, 0xa5));
    painter.fillRect(QRect(5, 2, 4, 26), QColor(0x25, 0x4a, 0x70));
    painter.fillRect(QRect(12, 8, 9, 2), QColor(0xee, 0xee, 0xe8));
    painter.fillRect(QRect(12, 12, 9, 1), QColor(0xee, 0xee, 0xe8));
    return image;
}

} // namespace ruvo
