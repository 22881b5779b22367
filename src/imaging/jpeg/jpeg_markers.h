#pragma once

#include <QByteArrayView>

#include <optional>

namespace ruvo {

// Walks the marker segments of a JPEG stream one after the other. Each segment is stepped
// over by its length, whatever it holds (an EXIF thumbnail's own markers among it), and fill
// bytes (0xFF) before a marker are passed over. The walk ends after the start of a scan, as
// entropy-coded data follow it rather than segments, after the end of the image, at a byte
// that is not a marker and at a length too short to hold itself.
class JpegMarkers
{
public:
    // The byte every marker starts with, and the markers the walk's callers look for.
    static constexpr unsigned char kPrefix = 0xFF;
    static constexpr unsigned char kStartOfImage = 0xD8;
    static constexpr unsigned char kEndOfImage = 0xD9;
    static constexpr unsigned char kStartOfScan = 0xDA;
    static constexpr unsigned char kApp1 = 0xE1;

    // One marker and the segment it heads.
    struct Segment
    {
        unsigned char marker = 0;
        // Where its 0xFF stands.
        qsizetype at = 0;
        // Its length field, which counts itself and the payload after it; 0 for a marker
        // that stands alone (start and end of image, restart, TEM).
        qsizetype length = 0;

        // Where the payload starts, after the length field.
        qsizetype payloadAt() const { return at + 4; }
        // Just past the segment.
        qsizetype end() const { return at + 2 + length; }
    };

    // Whether data start a JPEG stream: the start-of-image marker, and room for one more.
    static bool startsStream(QByteArrayView data);
    // Whether a marker is one of the restart markers that entropy-coded data may hold.
    static bool isRestart(unsigned char marker) { return marker >= 0xD0 && marker <= 0xD7; }

    // From the marker at that offset: 2 is the one after the start of image.
    explicit JpegMarkers(QByteArrayView data, qsizetype at = 2) : m_data(data), m_at(at) {}

    // The next marker and its segment, which may run past the data; nothing once the walk
    // has ended.
    std::optional<Segment> next();
    // Whether the walk ended because the data did, before a marker or its length field was
    // whole, or where a segment had sent it past their end.
    bool ranOut() const { return m_ranOut; }
    // Where the walk stands: once it ran out, where the next marker starts, or would start.
    qsizetype position() const { return m_at; }

private:
    QByteArrayView m_data;
    qsizetype m_at;
    bool m_ended = false;
    bool m_ranOut = false;
};

} // namespace ruvo
