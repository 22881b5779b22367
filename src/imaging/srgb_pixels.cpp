#include "imaging/srgb_pixels.h"

namespace ruvo {

void convertToSrgb(QImage& picture, const QColorSpace& stored)
{
    const QColorSpace srgb(QColorSpace::SRgb);
    if (!stored.isValid() || stored == srgb || picture.format() == QImage::Format_Grayscale8)
        return;
    picture.setColorSpace(stored);
    picture.convertToColorSpace(srgb);
}

} // namespace ruvo
