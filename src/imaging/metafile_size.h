#pragma once

#include <QSize>
#include <QSizeF>

namespace ruvo {

// Metafiles are drawn rather than decoded, so any size would do; these bounds
// keep a careless or hostile header from asking for an absurd page.
inline constexpr int kMetafileMaxSide = 8192;
inline constexpr qint64 kMetafileMaxPixels = 40 * 1000 * 1000;
// Nor does a metafile need to be big: anything larger is not a page.
inline constexpr qint64 kMetafileMaxBytes = 64 * 1024 * 1024;

// The pixel size to draw a metafile of the given natural size at: shrunk,
// keeping its proportions, to fit maxSide and the pixel budget. An empty size
// when the natural size is not a usable size at all.
QSize fitMetafileSize(QSizeF natural, int maxSide = kMetafileMaxSide);

} // namespace ruvo
