#pragma once

#include <QIODevice>
#include <QSize>

#include <optional>

namespace ruvo {

// The size a JPEG XL stream from the device's position on stands at, turned upright as its
// orientation says, read from its header alone: the codestream's size header, found through the
// container's boxes when it has them. Read a few kilobytes at a time, a megabyte at most;
// nothing when the header is damaged or lies further.
std::optional<QSize> jxlUprightSize(QIODevice& device);

} // namespace ruvo
