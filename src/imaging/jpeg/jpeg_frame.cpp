#include "imaging/jpeg/jpeg_frame.h"

namespace ruvo {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kTem = 0x01;
constexpr unsigned char kHuffmanTables = 0xC4;
constexpr unsigned char kJpegExtension = 0xC8;
constexpr unsigned char kArithmeticConditioning = 0xCC;
constexpr unsigned char kFirstArithmeticFrame = 0xC9;

unsigned char byteAt(QByteArrayView data, qsizetype at)
{
    return static_cast<unsigned char>(data[at]);
}

bool isFrame(unsigned char code)
{
    return code >= 0xC0 && code <= 0xCF && code != kHuffmanTables && code != kJpegExtension &&
           code != kArithmeticConditioning;
}

} // namespace

std::optional<unsigned char> jpegFrameMarker(QByteArrayView data)
{
    const qsizetype size = data.size();
    if (size < 4 || byteAt(data, 0) != kMarker || byteAt(data, 1) != kStartOfImage)
        return std::nullopt;
    qsizetype at = 2;
    while (at + 1 < size) {
        if (byteAt(data, at) != kMarker)
            return std::nullopt;
        const unsigned char code = byteAt(data, at + 1);
        if (code == kMarker) {
            ++at; // fill bytes before a marker
            continue;
        }
        if (isFrame(code))
            return code;
        if (code == kStartOfScan)
            return std::nullopt;
        if (code == kTem || (code >= 0xD0 && code <= 0xD7)) {
            at += 2;
            continue;
        }
        if (at + 3 >= size)
            return std::nullopt;
        const qsizetype length = qsizetype(byteAt(data, at + 2)) << 8 | byteAt(data, at + 3);
        if (length < 2)
            return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

bool isArithmeticJpegFrame(unsigned char marker)
{
    return marker >= kFirstArithmeticFrame;
}

} // namespace ruvo
