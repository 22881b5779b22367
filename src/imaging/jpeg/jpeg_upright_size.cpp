#include "imaging/jpeg/jpeg_upright_size.h"

#include "imaging/jpeg/exif_orientation.h"
#include "imaging/jpeg/jpeg_frame.h"
#include "imaging/jpeg/jpeg_markers.h"
#include "imaging/stream_bytes.h"

#include <QtEndian>

#include <algorithm>

namespace ruvo {

namespace {

// What is read at a time: the headers between two large segments fit in it.
constexpr qint64 kChunkBytes = 4096;
// A frame header up to its width: marker, length, precision, height and width.
constexpr qsizetype kFrameSizeBytes = 9;
constexpr qsizetype kFrameHeightAt = 5;
constexpr qsizetype kFrameWidthAt = 7;
// An APP1 segment up to what tells whether it is EXIF's: marker, length and EXIF's header.
constexpr qsizetype kApp1KindBytes = 10;

} // namespace

std::optional<QSize> jpegUprightSize(QIODevice& device)
{
    const StreamBytes stream(device);
    // The stream is walked a chunk at a time; base is where the chunk starts in it.
    qint64 base = 0;
    QByteArray chunk = stream.at(base, kChunkBytes);
    if (!JpegMarkers::startsStream(chunk))
        return std::nullopt;
    JpegMarkers markers(chunk);
    // Starts the walk again at that offset of the chunk, which is read from there on.
    const auto readFrom = [&](qsizetype at) {
        base += at;
        chunk = stream.at(base, kChunkBytes);
        markers = JpegMarkers(chunk, 0);
    };
    std::optional<QSize> stored;
    std::optional<ExifOrientation> orientation;
    bool reachedScan = false;
    while (!stored || !orientation) {
        const std::optional<JpegMarkers::Segment> segment = markers.next();
        if (!segment) {
            // The chunk ended: the walk goes on past it, unless the stream ended there.
            if (!markers.ranOut() || chunk.size() < kChunkBytes)
                break;
            readFrom(markers.position());
            continue;
        }
        reachedScan = segment->marker == JpegMarkers::kStartOfScan;
        const bool isFrame = isJpegFrame(segment->marker) && !stored;
        const bool isApp1 = segment->marker == JpegMarkers::kApp1 && !orientation;
        if (!isFrame && !isApp1)
            continue;
        const qsizetype wanted =
            isFrame ? kFrameSizeBytes : std::min(kApp1KindBytes, segment->end() - segment->at);
        if (segment->at + wanted > chunk.size()) {
            // The segment's start lies across the chunk's end: read again from the segment on,
            // which holds it unless the stream ends first.
            if (segment->at == 0)
                return std::nullopt;
            readFrom(segment->at);
            continue;
        }
        if (isFrame) {
            const char* frame = chunk.constData() + segment->at;
            stored = QSize(qFromBigEndian<quint16>(frame + kFrameWidthAt),
                           qFromBigEndian<quint16>(frame + kFrameHeightAt));
            continue;
        }
        const qsizetype payloadBytes = segment->length - 2;
        const QByteArrayView start = QByteArrayView(chunk)
                                         .sliced(segment->payloadAt())
                                         .first(std::min(payloadBytes, chunk.size() - segment->payloadAt()));
        if (!ExifOrientation::isExif(start))
            continue;
        orientation = ExifOrientation::fromApp1Start(start);
        if (!orientation)
            orientation = ExifOrientation::fromApp1(stream.at(base + segment->payloadAt(), payloadBytes));
    }
    // Without an EXIF segment the photo stands as stored, once every segment up to the first
    // scan is known to be none: libjpeg reads past what is not a marker, where the walk stops.
    if (!stored || stored->isEmpty() || (!orientation && !reachedScan))
        return std::nullopt;
    return orientation.value_or(ExifOrientation()).turned(*stored);
}

} // namespace ruvo
