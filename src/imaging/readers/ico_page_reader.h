#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// ICO pages: the icon's largest image in the most colours, read by Qt's reader from the icon
// with its directory's sizes made true.
extern const PageReader icoPageReader;

} // namespace ruvo
