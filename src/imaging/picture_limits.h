#pragma once

#include <QtGlobal>

namespace ruvo {

// How large a picture may be. Each bound is far above what a real page needs,
// yet short of what a forged header could ask for.

// The longest side of any picture: one read from a file, or a bitmap inside a
// metafile.
inline constexpr int kPictureMaxSide = 32767;
// A picture read from a file: enough for a 12-megapixel scan many times over.
inline constexpr qint64 kPictureMaxPixels = 250 * 1000 * 1000;
// What Qt's image readers may allocate for one picture.
inline constexpr int kImageReaderAllocationMegabytes = 1024;

// Metafiles are drawn rather than decoded, so any size would do; these bounds
// keep a careless or hostile header from asking for an absurd page.
inline constexpr int kMetafileMaxSide = 8192;
// Both the drawn page and every bitmap inside the metafile, which is expanded
// to 32 bits a pixel on its way to the screen: a few hundred megabytes each.
inline constexpr qint64 kMetafileMaxPixels = 40 * 1000 * 1000;
// Nor does a metafile need to be big: anything larger is not a page.
inline constexpr qint64 kMetafileMaxBytes = 64 * 1024 * 1024;

} // namespace ruvo
