#include "imaging/jpeg/jpeg_markers.h"

namespace ruvo {

namespace {

constexpr unsigned char kTem = 0x01;

bool standsAlone(unsigned char code)
{
    return code == JpegMarkers::kStartOfImage || code == JpegMarkers::kEndOfImage || code == kTem ||
           JpegMarkers::isRestart(code);
}

} // namespace

bool JpegMarkers::startsStream(QByteArrayView data)
{
    return data.size() >= 4 && static_cast<unsigned char>(data[0]) == kPrefix &&
           static_cast<unsigned char>(data[1]) == kStartOfImage;
}

std::optional<JpegMarkers::Segment> JpegMarkers::next()
{
    const auto byteAt = [this](qsizetype at) { return static_cast<unsigned char>(m_data[at]); };
    const qsizetype size = m_data.size();
    while (!m_ended && m_at + 1 < size) {
        if (byteAt(m_at) != kPrefix)
            break;
        const unsigned char code = byteAt(m_at + 1);
        if (code == kPrefix) {
            ++m_at;
            continue;
        }
        Segment segment{code, m_at, 0};
        if (standsAlone(code)) {
            m_at += 2;
            m_ended = code == kEndOfImage;
            return segment;
        }
        if (m_at + 3 >= size) {
            m_ranOut = true;
            break;
        }
        segment.length = (qsizetype(byteAt(m_at + 2)) << 8) | byteAt(m_at + 3);
        if (segment.length < 2)
            break;
        m_at = segment.end();
        m_ended = code == kStartOfScan;
        return segment;
    }
    m_ranOut = m_ranOut || (!m_ended && m_at + 1 >= size);
    m_ended = true;
    return std::nullopt;
}

} // namespace ruvo
