#pragma once

#include "imaging/picture_decoder.h"

#include <QImage>
#include <QSize>

namespace ruvo {

// The empty image a picture is scaled into at size, with the picture's colour space.
QImage scalingTarget(const QImage& picture, QSize size);

// The picture scaled smoothly to size: made smaller by averaging the area each new pixel
// covers (the same whether the picture is scaled whole or in bands), and otherwise by Qt's
// smooth scaling. With a spare core, the lower rows of a large picture are scaled there at
// the same time. The picture itself when it has that size and format already; a null image when there
// is no memory for it.
QImage smoothScaled(const QImage& picture, QSize size, const SpareCore& spare = {});

} // namespace ruvo
