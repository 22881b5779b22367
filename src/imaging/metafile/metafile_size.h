#pragma once

#include "imaging/picture_limits.h"

#include <QSize>
#include <QSizeF>

namespace ruvo {

// The pixel size to draw a metafile of the given natural size at: shrunk,
// keeping its proportions, to fit maxSide and the pixel budget. An empty size
// when the natural size is not a usable size at all.
QSize fitMetafileSize(QSizeF natural, int maxSide = kMetafileMaxSide);

} // namespace ruvo
