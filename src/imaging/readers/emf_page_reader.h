#pragma once

#include "imaging/readers/page_reader.h"

namespace ruvo {

// EMF pages: checked record by record and drawn by the EMF renderer.
extern const PageReader emfPageReader;

} // namespace ruvo
