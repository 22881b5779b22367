#include "imaging/scaling/area_scaler.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ruvo {

namespace {

constexpr int kDownBits = 15;
constexpr int kAcrossBits = 16;
// The sums down the picture, back to bytes.
constexpr float kToByte = 1.0f / float(1 << kDownBits);

using Floats4 = float __attribute__((vector_size(16)));
using Ints4 = int32_t __attribute__((vector_size(16)));

// The row adding is most of the work: it is built for the wider vector units as well, and
// the widest one the processor has is chosen when the program starts.
#if defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define RUVO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define RUVO_VECTOR_CLONES
#endif

// Four channels of 0 to 255.5, to the bytes of a pixel in memory order.
QRgb toBytes(Floats4 channels)
{
#if defined(__SSE2__)
    const __m128i whole = _mm_cvttps_epi32(__m128(channels));
    const __m128i shorts = _mm_packs_epi32(whole, whole);
    return QRgb(_mm_cvtsi128_si32(_mm_packus_epi16(shorts, shorts)));
#else
    uchar bytes[4];
    for (int c = 0; c < 4; ++c)
        bytes[c] = uchar(std::min(255, int(channels[c])));
    QRgb pixel;
    std::memcpy(&pixel, bytes, sizeof pixel);
    return pixel;
#endif
}

RUVO_VECTOR_CLONES void addWeighted(const uchar* __restrict row, uint32_t* __restrict sums, int count,
                                    uint16_t weight)
{
    for (int i = 0; i < count; ++i)
        sums[i] += uint32_t(weight * row[i]);
}

// Along one side, a source pixel is `to` units long and a new pixel `from` units: both
// sides are then from * to units. The share of new pixel n up to position, in 2^bits.
uint32_t shareUpTo(qint64 position, int n, int from, int bits)
{
    const qint64 start = qint64(n) * from;
    const qint64 covered = std::clamp<qint64>(position - start, 0, from);
    return uint32_t(((covered << bits) + from / 2) / from);
}

} // namespace

bool AreaScaler::handles(const QImage& picture, QSize size)
{
    const QImage::Format format = picture.format();
    const bool known = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied ||
                       format == QImage::Format_Grayscale8;
    return known && !size.isEmpty() && size.width() <= picture.width() && size.height() <= picture.height();
}

QImage::Format AreaScaler::targetFormat(QImage::Format source)
{
    return source == QImage::Format_ARGB32_Premultiplied ? source : QImage::Format_RGB32;
}

AreaScaler::AreaScaler(QSize from, QSize to, QImage::Format source)
    : m_from(from), m_to(to), m_channels(source == QImage::Format_Grayscale8 ? 1 : 4),
      m_opaque(source != QImage::Format_ARGB32_Premultiplied)
{
    const int fromHeight = from.height();
    const int toHeight = to.height();
    m_targetRow.resize(size_t(fromHeight));
    m_weightHere.resize(size_t(fromHeight));
    m_weightIntoNext.resize(size_t(fromHeight));
    for (int row = 0; row < fromHeight; ++row) {
        const qint64 start = qint64(row) * toHeight;
        const qint64 end = start + toHeight;
        const int target = int(start / fromHeight);
        m_targetRow[size_t(row)] = target;
        m_weightHere[size_t(row)] = uint16_t(shareUpTo(end, target, fromHeight, kDownBits) -
                                             shareUpTo(start, target, fromHeight, kDownBits));
        if (target + 1 < toHeight)
            m_weightIntoNext[size_t(row)] = uint16_t(shareUpTo(end, target + 1, fromHeight, kDownBits));
    }

    // Across, every new column takes as many source columns as the widest needs, the
    // others with weights of nought: a loop of one length throughout runs faster.
    const int fromWidth = from.width();
    const int toWidth = to.width();
    m_taps = int((qint64(fromWidth) + toWidth - 1) / toWidth) + 1;
    m_taps = std::min(m_taps, fromWidth);
    m_firstColumn.resize(size_t(toWidth));
    m_columnWeights.assign(size_t(toWidth) * size_t(m_taps), 0.0f);
    for (int column = 0; column < toWidth; ++column) {
        const qint64 start = qint64(column) * fromWidth;
        const qint64 end = start + fromWidth;
        const int first = std::min(int(start / toWidth), fromWidth - m_taps);
        m_firstColumn[size_t(column)] = first;
        float* weights = m_columnWeights.data() + size_t(column) * size_t(m_taps);
        for (int tap = 0; tap < m_taps; ++tap) {
            const qint64 sourceStart = std::max(start, qint64(first + tap) * toWidth);
            const qint64 sourceEnd = std::min(end, qint64(first + tap + 1) * toWidth);
            if (sourceStart < sourceEnd) {
                const uint32_t share = shareUpTo(sourceEnd, column, fromWidth, kAcrossBits) -
                                       shareUpTo(sourceStart, column, fromWidth, kAcrossBits);
                weights[tap] = float(share) / float(1 << kAcrossBits);
            }
        }
    }
    if (m_channels == 1)
        layOutFourColumnWeights();
}

void AreaScaler::layOutFourColumnWeights()
{
    const int groups = m_to.width() / 4;
    m_fourColumnWeights.resize(size_t(groups) * size_t(m_taps) * 4);
    float* laid = m_fourColumnWeights.data();
    for (int group = 0; group < groups; ++group) {
        for (int tap = 0; tap < m_taps; ++tap) {
            for (int column = 0; column < 4; ++column)
                *laid++ = m_columnWeights[size_t(group * 4 + column) * size_t(m_taps) + size_t(tap)];
        }
    }
}

bool AreaScaler::endsTargetRow(int sourceRow) const
{
    const int target = targetRowOf(sourceRow);
    return qint64(sourceRow + 1) * m_to.height() >= qint64(target + 1) * m_from.height();
}

void AreaScaler::addRow(const uchar* sourceRow, int row, uint32_t* sums, uint32_t* nextSums) const
{
    const int count = sumsPerRow();
    addWeighted(sourceRow, sums, count, m_weightHere[size_t(row)]);
    const uint16_t next = m_weightIntoNext[size_t(row)];
    if (next > 0)
        addWeighted(sourceRow, nextSums, count, next);
}

void AreaScaler::writeRow(const uint32_t* sums, uchar* targetRow) const
{
    switch (m_taps) {
    case 2:
        return writeColumns<2>(sums, targetRow);
    case 3:
        return writeColumns<3>(sums, targetRow);
    case 4:
        return writeColumns<4>(sums, targetRow);
    default:
        return writeColumns<0>(sums, targetRow);
    }
}

template <int FixedTaps> void AreaScaler::writeColumns(const uint32_t* sums, uchar* targetRow) const
{
    const int taps = FixedTaps > 0 ? FixedTaps : m_taps;
    const float* weights = m_columnWeights.data();
    const int columns = m_to.width();
    if (m_channels == 1) {
        // Four new columns at a time, their weights laid side by side, tap by tap.
        const int grouped = columns / 4 * 4;
        const float* fourWeights = m_fourColumnWeights.data();
        for (int column = 0; column < grouped; column += 4, weights += 4 * taps, targetRow += 16) {
            const int* first = m_firstColumn.data() + column;
            Floats4 greys = {0, 0, 0, 0};
            for (int tap = 0; tap < taps; ++tap, fourWeights += 4) {
                const Ints4 values = {int(sums[first[0] + tap]), int(sums[first[1] + tap]),
                                      int(sums[first[2] + tap]), int(sums[first[3] + tap])};
                Floats4 tapWeights;
                std::memcpy(&tapWeights, fourWeights, sizeof tapWeights);
                greys += tapWeights * __builtin_convertvector(values, Floats4);
            }
            Ints4 value = __builtin_convertvector(greys * kToByte + 0.5f, Ints4);
            value = value > 255 ? Ints4{255, 255, 255, 255} : value;
            const Ints4 pixels = value | value << 8 | value << 16 | int(0xff000000u);
            std::memcpy(targetRow, &pixels, sizeof pixels);
        }
        for (int column = grouped; column < columns; ++column, weights += taps, targetRow += 4) {
            const uint32_t* source = sums + m_firstColumn[size_t(column)];
            float grey = 0;
            for (int tap = 0; tap < taps; ++tap)
                grey += weights[tap] * float(source[tap]);
            const int value = std::min(255, int(grey * kToByte + 0.5f));
            const QRgb pixel = qRgb(value, value, value);
            std::memcpy(targetRow, &pixel, sizeof pixel);
        }
        return;
    }
    const QRgb opaque = m_opaque ? 0xff000000u : 0u;
    for (int column = 0; column < columns; ++column, weights += taps, targetRow += 4) {
        const uint32_t* source = sums + size_t(m_firstColumn[size_t(column)]) * 4;
        Floats4 channels = {0, 0, 0, 0};
        for (int tap = 0; tap < taps; ++tap, source += 4) {
            Ints4 values;
            std::memcpy(&values, source, sizeof values);
            channels += weights[tap] * __builtin_convertvector(values, Floats4);
        }
        QRgb pixel = toBytes(channels * kToByte + 0.5f) | opaque;
        std::memcpy(targetRow, &pixel, sizeof pixel);
    }
}

} // namespace ruvo
