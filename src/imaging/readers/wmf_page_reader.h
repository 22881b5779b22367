#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// WMF pages: checked record by record and drawn by the WMF renderer.
extern const PageReader wmfPageReader;

} // namespace ruvo
