#include "display/stretched_device_size.h"

#include "common/twips.h"

namespace ruvo {

QSize stretchedDeviceSize(double widthTwips, double heightTwips, qreal devicePixelRatio)
{
    return QSize(toPixels(widthTwips), toPixels(heightTwips)) * devicePixelRatio;
}

} // namespace ruvo
