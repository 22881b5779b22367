#include "imaging/metafile/metafile_size.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace ruvo {

namespace {

// Without a placeable header the units are anyone's guess; keep such a page
// to a screen's size.
constexpr int kUnplacedMaxSide = 2048;

} // namespace

QSize fitMetafileSize(QSizeF natural, int maxSide)
{
    const double width = natural.width();
    const double height = natural.height();
    if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0)
        return QSize();
    double scale = 1.0;
    scale = std::min(scale, maxSide / width);
    scale = std::min(scale, maxSide / height);
    scale = std::min(scale, std::sqrt(double(kMetafileMaxPixels) / (width * height)));
    const int w = std::clamp(qRound(width * scale), 1, maxSide);
    const int h = std::clamp(qRound(height * scale), 1, maxSide);
    return QSize(w, h);
}

QSize placeableWmfSize(const QRect& box, int unitsPerInch)
{
    const double perUnit = kScreenDpi / unitsPerInch;
    return fitMetafileSize(
        QSizeF((box.right() - box.left()) * perUnit, (box.bottom() - box.top()) * perUnit));
}

QSize unplacedWmfSize(QSizeF natural)
{
    return fitMetafileSize(natural, kUnplacedMaxSide);
}

} // namespace ruvo
