#pragma once

#include <QIODevice>
#include <QSize>

#include <optional>

namespace ruvo {

// The size a JPEG stands at once turned upright as its EXIF orientation says, read from its
// headers alone: the markers are walked from the device's position up to the frame header,
// each segment stepped over by seeking past it (a large EXIF segment with its thumbnail costs
// the few bytes that hold the orientation), and on to the first scan while no EXIF segment was
// seen. A few kilobytes read for a usual photo. Nothing when the headers are cut off, or stop at
// something that is not a marker, before both are known; when the frame claims a side of zero;
// or when the device cannot seek.
std::optional<QSize> jpegUprightSize(QIODevice& device);

} // namespace ruvo
