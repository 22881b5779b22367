#include "imaging/gif/gif_screen.h"

#include "imaging/picture_limits.h"

#include <QtEndian>

namespace ruvo {

namespace {

constexpr qsizetype kScreenFlagsAt = 10;
constexpr qsizetype kColourTableAt = 13;
constexpr quint8 kColourTableFlag = 0x80;
constexpr char kExtension = 0x21;
constexpr char kGraphicControl = char(0xF9);
constexpr char kApplication = char(0xFF);
// An application extension's first sub-block: its 11 bytes of name and version.
constexpr qsizetype kApplicationNameBytes = 11;
constexpr char kImageDescriptor = 0x2C;
constexpr qsizetype kImageDescriptorBytes = 10;
// The minimum code size that starts an image's data, after its descriptor and colour table.
constexpr qsizetype kCodeSizeBytes = 1;

int word(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

// The size of the colour table that the flags at that place announce.
qsizetype colourTableBytes(QByteArrayView gif, qsizetype flagsAt)
{
    const quint8 flags = quint8(gif.at(flagsAt));
    return (flags & kColourTableFlag) ? 3 * (2 << (flags & 7)) : 0;
}

// Just past the data sub-blocks that start there, up to their empty one; 0 when the bytes end first.
qsizetype pastSubBlocks(QByteArrayView gif, qsizetype at)
{
    while (at < gif.size() && gif.at(at) != 0)
        at += 1 + quint8(gif.at(at));
    return at < gif.size() ? at + 1 : 0;
}

// Whether the extension at that place is the loop extension animations carry, under the name
// most writers give it or the older one a few still do.
bool isLoopExtension(QByteArrayView gif, qsizetype at)
{
    if (gif.at(at + 1) != kApplication || at + 3 + kApplicationNameBytes > gif.size() ||
        quint8(gif.at(at + 2)) != kApplicationNameBytes)
        return false;
    const QByteArrayView name = gif.sliced(at + 3, kApplicationNameBytes);
    return name == QByteArrayView("NETSCAPE2.0") || name == QByteArrayView("ANIMEXTS1.0");
}

} // namespace

std::optional<QSize> gifLogicalScreen(QByteArrayView gif)
{
    if (gif.size() < kGifScreenSizeAt + 4)
        return std::nullopt;
    return QSize(word(gif, kGifScreenSizeAt), word(gif, kGifScreenSizeAt + 2));
}

std::optional<GifScreen> gifScreen(QByteArrayView gif)
{
    if (gif.size() < kColourTableAt)
        return std::nullopt;
    GifScreen screen;
    screen.size = *gifLogicalScreen(gif);
    screen.headBytes = kColourTableAt + colourTableBytes(gif, kScreenFlagsAt);
    qsizetype at = screen.headBytes;
    qsizetype control = -1;
    qint64 pixels = 0;
    bool animated = false;
    while (at < gif.size() && screen.firstFrame.size() < kGifFirstFrameMaxBlocks) {
        if (gif.at(at) == kImageDescriptor) {
            if (at + kImageDescriptorBytes > gif.size())
                break;
            GifImageBlock block;
            block.place = QRect(word(gif, at + 1), word(gif, at + 3), word(gif, at + 5), word(gif, at + 7));
            block.descriptorAt = at;
            block.controlAt = control;
            if (control >= 0) {
                block.disposal = (quint8(gif.at(control + 3)) >> 2) & 7;
                block.delayed = word(gif, control + 4) > 0;
            }
            const qsizetype dataAt =
                at + kImageDescriptorBytes + colourTableBytes(gif, at + 9) + kCodeSizeBytes;
            block.end = dataAt <= gif.size() ? pastSubBlocks(gif, dataAt) : 0;
            pixels += qint64(block.place.width()) * block.place.height();
            // Only the first block is taken when the bytes end inside it: it is read as it is.
            if (!screen.firstFrame.isEmpty() && (block.end == 0 || pixels > kPictureMaxPixels))
                break;
            screen.firstFrame.append(block);
            if (block.end == 0 || block.delayed)
                break;
            at = block.end;
            control = -1;
            continue;
        }
        if (gif.at(at) != kExtension || at + 1 >= gif.size())
            break;
        if (gif.at(at + 1) == kGraphicControl && at + kGifGraphicControlBytes <= gif.size())
            control = at;
        animated = animated || isLoopExtension(gif, at);
        // The label, then sub-blocks until an empty one.
        at = pastSubBlocks(gif, at + 2);
        if (at == 0)
            break;
    }
    if (screen.firstFrame.isEmpty())
        return std::nullopt;
    if (animated)
        screen.firstFrame.resize(1);
    return screen;
}

QSize gifCanvasSize(const GifScreen& screen)
{
    const QRect& first = screen.firstFrame.front().place;
    return QSize(screen.size.width() > 0 ? screen.size.width() : first.left() + first.width(),
                 screen.size.height() > 0 ? screen.size.height() : first.top() + first.height());
}

QImage withUncoveredScreenClear(QImage frame, const GifScreen& screen)
{
    const QRect whole(QPoint(0, 0), frame.size());
    const QRect covered = screen.firstFrame.front().place.intersected(whole);
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
