#include "bookshelf/thumbnail_sampling.h"

#include "common/number_text.h"
#include "common/twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ruvo {

namespace {

QRgb overWhite(QRgb pixel)
{
    const int alpha = qAlpha(pixel);
    if (alpha == 255)
        return pixel;
    const auto blend = [alpha](int value) { return (value * alpha + 255 * (255 - alpha) + 127) / 255; };
    return qRgb(blend(qRed(pixel)), blend(qGreen(pixel)), blend(qBlue(pixel)));
}

} // namespace

ThumbnailSteps thumbnailSteps(double pageWidthTwips, double pageHeightTwips)
{
    return {roundHalfEven(pageWidthTwips / thumbnailWidth), roundHalfEven(pageHeightTwips / thumbnailHeight)};
}

QImage pointSampledThumbnail(const QImage& page)
{
    QImage thumbnail(thumbnailWidth, thumbnailHeight, QImage::Format_RGB32);
    if (page.isNull()) {
        thumbnail.fill(Qt::white);
        return thumbnail;
    }
    const bool opaque = !page.hasAlphaChannel();
    const ThumbnailSteps steps = thumbnailSteps(toTwips(page.width()), toTwips(page.height()));
    // Steps are whole twips, so the pixel under a point is an exact integer division. Only
    // the sampled pixels are read: a page is never converted whole.
    qint64 y = 0;
    for (int i = 0; i < thumbnailHeight; ++i) {
        const int row = int(std::min<qint64>(y / twipsPerPixel, page.height() - 1));
        auto* target = reinterpret_cast<QRgb*>(thumbnail.scanLine(i));
        qint64 x = 0;
        for (int j = 0; j < thumbnailWidth; ++j) {
            const int column = int(std::min<qint64>(x / twipsPerPixel, page.width() - 1));
            const QRgb pixel = page.pixel(column, row);
            target[j] = opaque ? (pixel | 0xFF000000u) : overWhite(pixel);
            x += steps.x;
        }
        y += steps.y;
    }
    return thumbnail;
}

QImage averagedThumbnail(const QImage& page)
{
    QImage thumbnail(thumbnailWidth, thumbnailHeight, QImage::Format_RGB32);
    thumbnail.fill(Qt::white);
    if (page.isNull())
        return thumbnail;
    const double scale =
        std::min(double(thumbnailWidth) / page.width(), double(thumbnailHeight) / page.height());
    const QSize fitted(std::clamp(int(std::lround(page.width() * scale)), 1, thumbnailWidth),
                       std::clamp(int(std::lround(page.height() * scale)), 1, thumbnailHeight));
    // Qt's smooth reduction averages the area each pixel covers.
    const QImage reduced = page.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&thumbnail);
    painter.drawImage(
        QPoint((thumbnailWidth - reduced.width()) / 2, (thumbnailHeight - reduced.height()) / 2), reduced);
    return thumbnail;
}

} // namespace ruvo
