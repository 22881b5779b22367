#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// GIF pages: the first frame, on a canvas judged before anything is allocated for it; read by
// Qt's reader when it is one image block, composed of its blocks here when it is several.
extern const PageReader gifPageReader;

} // namespace ruvo
