#pragma once

#include <QByteArrayView>
#include <optional>

namespace ruvo {

// Where a JPEG stream ends: the offset just past its end-of-image marker,
// found by walking the marker segments and the entropy-coded data from the
// start of the file. Nothing is returned when the stream is cut off before
// its end marker or is not a JPEG at all. Whatever follows the end marker
// (a phone's motion clip, padding) is not the picture's concern.
std::optional<qsizetype> jpegEnd(QByteArrayView data);

} // namespace ruvo
