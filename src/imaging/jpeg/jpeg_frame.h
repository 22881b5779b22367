#pragma once

#include <QByteArrayView>

#include <optional>

namespace ruvo {

// The start-of-frame marker (0xC0 to 0xCF, less the table markers among them)
// of the JPEG stream at the start of data, found by walking the marker
// segments before the first scan. It tells how the pixels are coded: from
// 0xC9 on, arithmetically. Nothing when data ends, or the first scan starts,
// before a frame does.
std::optional<unsigned char> jpegFrameMarker(QByteArrayView data);

// Whether a marker starts a frame: 0xC0 to 0xCF, less the table markers among them.
bool isJpegFrame(unsigned char marker);

// Whether a frame marker stands for arithmetic coding, which can pack any
// number of pixels into a few bytes.
bool isArithmeticJpegFrame(unsigned char marker);

} // namespace ruvo
