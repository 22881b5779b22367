#pragma once

#include <QImage>

namespace ruvo {

// The picture shown in place of a page that cannot be decoded: a blank sheet
// crossed out, so that the reader sees a page is missing rather than nothing.
QImage placeholderPicture();

} // namespace ruvo
