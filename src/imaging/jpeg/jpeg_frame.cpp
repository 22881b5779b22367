#include "imaging/jpeg/jpeg_frame.h"

#include "imaging/jpeg/jpeg_markers.h"

namespace ruvo {

namespace {

constexpr unsigned char kHuffmanTables = 0xC4;
constexpr unsigned char kJpegExtension = 0xC8;
constexpr unsigned char kArithmeticConditioning = 0xCC;
constexpr unsigned char kFirstArithmeticFrame = 0xC9;

} // namespace

bool isJpegFrame(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != kHuffmanTables && marker != kJpegExtension &&
           marker != kArithmeticConditioning;
}

std::optional<unsigned char> jpegFrameMarker(QByteArrayView data)
{
    if (!JpegMarkers::startsStream(data))
        return std::nullopt;
    JpegMarkers markers(data);
    while (const std::optional<JpegMarkers::Segment> segment = markers.next()) {
        if (isJpegFrame(segment->marker))
            return segment->marker;
    }
    return std::nullopt;
}

bool isArithmeticJpegFrame(unsigned char marker)
{
    return marker >= kFirstArithmeticFrame;
}

} // namespace ruvo
