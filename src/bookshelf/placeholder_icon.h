#pragma once

#include <QImage>

namespace ruvo {

// The icon a book gets on the shelf when its thumbnail is missing or cannot be
// read: a plain closed book, 32 x 32 pixels.
QImage shelfPlaceholderIcon();

} // namespace ruvo
