#include "imaging/jpeg/jpeg_end.h"

#include "imaging/jpeg/jpeg_markers.h"

#include <cstring>

namespace ruvo {

namespace {

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
        const void* found = std::memchr(data.data() + at, JpegMarkers::kPrefix, std::size_t(size - at));
        if (!found)
            return -1;
        at = static_cast<const char*>(found) - data.data();
        if (at + 1 >= size)
            return -1;
        const unsigned char code = byteAt(data, at + 1);
        if (code == 0x00 || JpegMarkers::isRestart(code) || code == JpegMarkers::kPrefix) {
            at += code == JpegMarkers::kPrefix ? 1 : 2;
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
    if (!JpegMarkers::startsStream(data))
        return std::nullopt;
    JpegMarkers markers(data);
    while (const std::optional<JpegMarkers::Segment> segment = markers.next()) {
        if (segment->end() > size)
            return std::nullopt;
        if (segment->marker == JpegMarkers::kEndOfImage)
            return segment->end();
        if (segment->marker == JpegMarkers::kStartOfScan) {
            const qsizetype next = nextMarkerAfterScan(data, segment->end());
            if (next < 0)
                return std::nullopt;
            markers = JpegMarkers(data, next);
        }
    }
    return std::nullopt;
}

} // namespace ruvo
