#pragma once

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QSize>

namespace ruvo::bench {

// A page as hard to decode as a scanned one: gradients and many lines, told apart by
// their colours.
inline QImage scannedPage(QSize size, int page)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor::fromHsv(page * 40 % 360, 120, 250));
    gradient.setColorAt(1, QColor::fromHsv(page * 70 % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::black, 3));
    for (int y = 0; y < size.height(); y += 23)
        painter.drawLine(0, y, size.width(), (y * 7 + page * 131) % size.height());
    return image;
}

} // namespace ruvo::bench
