#include "imaging/gif/gif_screen.h"

#include <QtEndian>

namespace ruvo {

namespace {

constexpr qsizetype kScreenAt = 6;
constexpr qsizetype kScreenFlagsAt = 10;
constexpr qsizetype kColourTableAt = 13;
constexpr quint8 kColourTableFlag = 0x80;
constexpr char kExtension = 0x21;
constexpr char kImageDescriptor = 0x2C;
constexpr qsizetype kImageDescriptorBytes = 10;

int word(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

} // namespace

std::optional<GifScreen> gifScreen(QByteArrayView gif)
{
    if (gif.size() < kColourTableAt)
        return std::nullopt;
    GifScreen screen;
    screen.size = QSize(word(gif, kScreenAt), word(gif, kScreenAt + 2));
    const quint8 flags = quint8(gif.at(kScreenFlagsAt));
    qsizetype at = kColourTableAt + ((flags & kColourTableFlag) ? 3 * (2 << (flags & 7)) : 0);
    while (at < gif.size()) {
        if (gif.at(at) == kImageDescriptor) {
            if (at + kImageDescriptorBytes > gif.size())
                return std::nullopt;
            screen.firstImage =
                QRect(word(gif, at + 1), word(gif, at + 3), word(gif, at + 5), word(gif, at + 7));
            return screen;
        }
        if (gif.at(at) != kExtension)
            return std::nullopt;
        // The label, then sub-blocks until an empty one.
        at += 2;
        while (at < gif.size() && gif.at(at) != 0)
            at += 1 + quint8(gif.at(at));
        ++at;
    }
    return std::nullopt;
}

QImage withUncoveredScreenClear(QImage frame, const GifScreen& screen)
{
    const QRect whole(QPoint(0, 0), frame.size());
    const QRect covered = screen.firstImage.intersected(whole);
    if (frame.size() != screen.size || covered == whole)
        return frame;
    frame = frame.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < frame.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            if (!covered.contains(x, y))
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return frame;
}

} // namespace ruvo
