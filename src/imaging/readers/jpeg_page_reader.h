#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// JPEG pages: read whole and decoded by our own reader with libjpeg-turbo, those of four
// channels (CMYK) and files too large to read whole by Qt's reader. Either way the page
// stands upright as its EXIF orientation says.
extern const PageReader jpegPageReader;

} // namespace ruvo
