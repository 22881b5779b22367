#pragma once

#include <QColorSpace>

namespace ruvo {

// The colour space that an AV1 picture's coding-independent code points (CICP: its colour
// primaries and transfer characteristics, as numbered by ITU-T H.273) describe, for the
// pixels once turned from YUV into RGB; sRGB's for the codes that leave them unspecified or
// that Qt cannot describe (PQ and HLG, the HDR curves, among them), whose pixels are then
// shown as they are. The curves of BT.709, BT.601 and BT.2020, which describe a camera's
// coding rather than a display's, are taken for sRGB's, as browsers take them.
QColorSpace cicpColourSpace(int primaries, int transfer);

} // namespace ruvo
