#pragma once

#include <QImage>
#include <QSize>

namespace ruvo {

// The empty image a picture is scaled into at size, with the picture's colour space.
QImage scalingTarget(const QImage& picture, QSize size);

// The picture scaled smoothly to size: made smaller by averaging the area each new pixel
// covers, and otherwise by Qt's smooth scaling. The picture itself when it has that size and
// format already; a null image when there is no memory for it.
QImage smoothScaled(const QImage& picture, QSize size);

} // namespace ruvo
