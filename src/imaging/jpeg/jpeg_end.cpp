#include "imaging/jpeg/jpeg_end.h"

#include <cstring>

namespace ruvo {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kTem = 0x01;

bool isRestart(unsigned char code)
{
    return code >= 0xD0 && code <= 0xD7;
}

unsigned char byteAt(QByteArrayView data, qsizetype at)
{
    return static_cast<unsigned char>(data[at]);
}

// From inside a scan's entropy-coded data to the next marker that is not a
// stuffed byte or a restart marker: the offset of its 0xFF, or -1.
qsizetype nextMarkerAfterScan(QByteArrayView data, qsizetype at)
{
    const qsizetype size = data.size();
    while (at < size) {
        const void* found = std::memchr(data.data() + at, kMarker, std::size_t(size - at));
        if (!found)
            return -1;
        at = static_cast<const char*>(found) - data.data();
        if (at + 1 >= size)
            return -1;
        const unsigned char code = byteAt(data, at + 1);
        if (code == 0x00 || isRestart(code) || code == kMarker) {
            at += code == kMarker ? 1 : 2;
            continue;
        }
        return at;
    }
    return -1;
}

} // namespace

std::optional<qsizetype> jpegEnd(QByteArrayView data)
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
        if (code == kEndOfImage)
            return at + 2;
        if (isRestart(code) || code == kTem || code == kStartOfImage) {
            at += 2;
            continue;
        }
        if (at + 3 >= size)
            return std::nullopt;
        const qsizetype length = (qsizetype(byteAt(data, at + 2)) << 8) | byteAt(data, at + 3);
        if (length < 2)
            return std::nullopt;
        at += 2 + length;
        if (at > size)
            return std::nullopt;
        if (code == kStartOfScan) {
            at = nextMarkerAfterScan(data, at);
            if (at < 0)
                return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace ruvo
