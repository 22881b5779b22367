#include "support/picture_comparison.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace ruvo::test {

namespace {

const QColor kQuarterColours[4] = {QColor(220, 30, 40), QColor(30, 190, 60), QColor(40, 50, 210),
                                   QColor(230, 210, 40)};

QRect quarter(QSize size, int index)
{
    const int halfWidth = size.width() / 2;
    const int halfHeight = size.height() / 2;
    const int x = index % 2 == 0 ? 0 : halfWidth;
    const int y = index < 2 ? 0 : halfHeight;
    return QRect(x, y, index % 2 == 0 ? halfWidth : size.width() - halfWidth,
                 index < 2 ? halfHeight : size.height() - halfHeight);
}

int pixelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

} // namespace

QImage quarteredPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int index = 0; index < 4; ++index)
        painter.fillRect(quarter(size, index), kQuarterColours[index]);
    return picture;
}

QImage quarteredWithAlpha(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(quarter(size, 0), kQuarterColours[0]);
    QColor half = kQuarterColours[1];
    half.setAlpha(128);
    painter.fillRect(quarter(size, 1), half);
    return picture;
}

int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 256;
    const QImage first = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x)
            largest = std::max(largest, pixelDifference(first.pixel(x, y), second.pixel(x, y)));
    }
    return largest;
}

int largestDifferenceAtQuarters(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 256;
    const QImage first = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int index = 0; index < 4; ++index) {
        const QPoint centre = quarter(a.size(), index).center();
        largest = std::max(largest, pixelDifference(first.pixel(centre), second.pixel(centre)));
    }
    return largest;
}

} // namespace ruvo::test
