#pragma once

#include "imaging/picture_limits.h"

#include <QRect>
#include <QSize>
#include <QSizeF>

namespace ruvo {

// What a metafile's physical measures are shown at.
inline constexpr double kScreenDpi = 96.0;

// The pixel size to draw a metafile of the given natural size at: shrunk,
// keeping its proportions, to fit maxSide and the pixel budget. An empty size
// when the natural size is not a usable size at all.
QSize fitMetafileSize(QSizeF natural, int maxSide = kMetafileMaxSide);

// The size a placeable WMF is drawn at: its box, in units of which unitsPerInch make an inch.
QSize placeableWmfSize(const QRect& box, int unitsPerInch);

// The size a WMF without a placeable header is drawn at, from a natural size in its own
// units (the window its records set, or the area they draw over): those units are anyone's
// guess, and the page is kept to a screen's size.
QSize unplacedWmfSize(QSizeF natural);

} // namespace ruvo
