#include "imaging/avif/heif_orientation.h"

namespace ruvo {

ExifOrientation heifOrientation(int anticlockwiseQuarterTurns, HeifMirror mirror)
{
    // By quarter turns, then by mirroring: none, top to bottom, left to right. A quarter turn
    // anticlockwise is EXIF's 8; mirrored after it, the picture's diagonals trade places.
    constexpr int tags[4][3] = {{1, 4, 2}, {8, 5, 7}, {3, 2, 4}, {6, 7, 5}};
    return ExifOrientation(tags[anticlockwiseQuarterTurns & 3][int(mirror)]);
}

} // namespace ruvo
