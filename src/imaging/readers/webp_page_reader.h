#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// WebP pages, which archive books hold: read by Qt's reader, an animation as its first frame
// on its canvas.
extern const PageReader webpPageReader;

} // namespace ruvo
