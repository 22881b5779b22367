#include "imaging/smooth_scaling.h"

#include "imaging/area_scaler.h"
#include "imaging/scaling_band.h"

#include <QColorSpace>

namespace ruvo {

QImage scalingTarget(const QImage& picture, QSize size)
{
    QImage target(size, AreaScaler::targetFormat(picture.format()));
    if (!target.isNull())
        target.setColorSpace(picture.colorSpace());
    return target;
}

QImage smoothScaled(const QImage& picture, QSize size)
{
    if (!AreaScaler::handles(picture, size))
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage target = scalingTarget(picture, size);
    if (target.isNull())
        return {};
    const AreaScaler scaler(picture.size(), size, picture.format());
    ScalingBand band(scaler, target, 0);
    band.addRows(picture.constBits(), picture.bytesPerLine(), picture.height());
    return target;
}

} // namespace ruvo
