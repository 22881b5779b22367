#include "books/pdf_page_size.h"

#include "imaging/picture_limits.h"

#include <algorithm>
#include <cmath>

namespace ruvo {

QSize pdfPageActualSize(QSizeF points)
{
    constexpr double pixelsPerPoint = 96.0 / 72.0;
    if (!(points.width() > 0) || !(points.height() > 0))
        return QSize();
    // A page larger than any picture may be is held to the largest side a size can hold; the
    // drawing keeps to the picture limits all the same.
    const auto pixels = [](double side) {
        return int(std::clamp(std::round(side * pixelsPerPoint), 1.0, double(1 << 30)));
    };
    return QSize(pixels(points.width()), pixels(points.height()));
}

QSize withinPictureCap(QSize wanted)
{
    if (wanted.isEmpty())
        return wanted;
    const double width = wanted.width();
    const double height = wanted.height();
    const double factor = std::min({1.0, kPictureMaxSide / width, kPictureMaxSide / height,
                                    std::sqrt(double(kPdfPageMaxPixels) / (width * height))});
    if (factor >= 1.0)
        return wanted;
    return QSize(std::max(1, int(std::floor(width * factor))), std::max(1, int(std::floor(height * factor))));
}

} // namespace ruvo
