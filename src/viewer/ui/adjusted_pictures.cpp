#include "viewer/ui/adjusted_pictures.h"

namespace ruvo {

const QImage& AdjustedPictures::of(const QImage& picture, const PictureAdjustments& adjustments)
{
    if (adjustments.isNone() || picture.isNull())
        return picture;
    for (const Adjusted& adjusted : std::as_const(m_adjusted)) {
        if (adjusted.key == picture.cacheKey() && adjusted.adjustments == adjustments)
            return adjusted.image;
    }
    if (m_adjusted.size() >= kept)
        m_adjusted.removeLast();
    m_adjusted.prepend(Adjusted{picture.cacheKey(), adjustments, adjustedPicture(picture, adjustments)});
    return m_adjusted.first().image;
}

} // namespace ruvo
