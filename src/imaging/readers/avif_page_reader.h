#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// AVIF pages, which archive books hold: read by libavif, AV1 decoded by dav1d (see avif/).
extern const PageReader avifPageReader;

} // namespace ruvo
