#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// BMP pages: by Qt's reader where it draws them right, by our own bitmap decoders where it
// does not, and those coded in runs always.
extern const PageReader bmpPageReader;

} // namespace ruvo
