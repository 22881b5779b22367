#include "imaging/scaling/smooth_scaling.h"

#include "imaging/picture_memory.h"
#include "imaging/scaling/area_scaler.h"
#include "imaging/scaling/scaling_band.h"

#include <QColorSpace>
#include <new>

namespace ruvo {

QImage scalingTarget(const QImage& picture, QSize size)
{
    QImage target = newPicture(size, AreaScaler::targetFormat(picture.format()));
    if (!target.isNull())
        target.setColorSpace(picture.colorSpace());
    return target;
}

QImage smoothScaled(const QImage& picture, QSize size)
{
    if (picture.size() == size && picture.format() == AreaScaler::targetFormat(picture.format()))
        return picture;
    if (!AreaScaler::handles(picture, size))
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    try {
        QImage target = scalingTarget(picture, size);
        if (target.isNull())
            return {};
        const AreaScaler scaler(picture.size(), size, picture.format());
        ScalingBand(scaler, target.bits(), target.bytesPerLine())
            .addRows(picture.constBits(), picture.bytesPerLine(), picture.height());
        return target;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace ruvo
