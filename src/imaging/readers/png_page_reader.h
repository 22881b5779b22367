#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// PNG pages, which archive books hold: read by Qt's reader.
extern const PageReader pngPageReader;

} // namespace ruvo
