#include "imaging/metafile/metafile_size.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace ruvo {

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

} // namespace ruvo
