#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// JPEG XL pages, which archive books hold: read by libjxl (see jxl/).
extern const PageReader jxlPageReader;

} // namespace ruvo
