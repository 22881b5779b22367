#pragma once

#include "imaging/jpeg/exif_orientation.h"

namespace ruvo {

// How a HEIF picture (an AVIF's) mirrors itself, after any rotation: its top and bottom
// exchanged, or its left and right.
enum class HeifMirror
{
    None,
    TopToBottom,
    LeftToRight
};

// The EXIF orientation that turns a picture upright as its HEIF transforms do: first its
// rotation, a number of quarter turns anticlockwise (the irot box), then its mirroring (the
// imir box).
ExifOrientation heifOrientation(int anticlockwiseQuarterTurns, HeifMirror mirror);

} // namespace ruvo
