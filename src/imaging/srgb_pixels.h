#pragma once

#include <QColorSpace>
#include <QImage>

namespace ruvo {

// A decoded picture whose pixels are in the colour space stored, turned into sRGB's, the colour
// space a page is drawn in. Nothing is done when stored is sRGB or not valid (a profile Qt
// cannot read), nor to a grey picture, whose profile Qt does not apply: those pixels are shown
// as they are.
void convertToSrgb(QImage& picture, const QColorSpace& stored);

} // namespace ruvo
