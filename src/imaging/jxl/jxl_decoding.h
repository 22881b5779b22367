#pragma once

#include "imaging/picture_decoder.h"

#include <QByteArrayView>

namespace ruvo {

// A JPEG XL picture decoded by libjxl from its bytes, as pages are: its size judged against the
// bounds before anything is allocated for it, then its first frame (an animation's first, its
// layers composed) turned upright by libjxl as its orientation says, in sRGB (libjxl turns an
// XYB-coded picture into sRGB itself; one kept in its own colour space is turned by its profile),
// alpha premultiplied. Decoded on the caller's thread and, when a spare core is given, on the
// spare core beside it.
DecodedPicture decodeJxl(QByteArrayView bytes, const SpareCore& spare);

} // namespace ruvo
