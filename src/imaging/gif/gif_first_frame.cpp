#include "imaging/gif/gif_first_frame.h"

#include "imaging/picture_limits.h"
#include "imaging/picture_memory.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

namespace ruvo {

namespace {

constexpr qsizetype kPlaceBytes = 4;
constexpr char kTrailer = 0x3B;
constexpr int kRestoreBackground = 2;
constexpr int kRestorePrevious = 3;

void putWord(QByteArray& bytes, qsizetype at, int value)
{
    qToLittleEndian<quint16>(quint16(value), bytes.data() + at);
}

// The block alone, as a GIF whose screen is the block: the file's header and global colour
// table, the block's control extension and its image, placed at the screen's corner.
QByteArray blockAlone(QByteArrayView gif, const GifScreen& screen, const GifImageBlock& block)
{
    QByteArray alone = gif.first(screen.headBytes).toByteArray();
    putWord(alone, kGifScreenSizeAt, block.place.width());
    putWord(alone, kGifScreenSizeAt + 2, block.place.height());
    if (block.controlAt >= 0)
        alone += gif.sliced(block.controlAt, kGifGraphicControlBytes);
    const qsizetype descriptorAt = alone.size();
    alone += gif.sliced(block.descriptorAt, block.end - block.descriptorAt);
    alone.replace(descriptorAt + 1, kPlaceBytes, QByteArray(kPlaceBytes, '\0'));
    alone += kTrailer;
    return alone;
}

QImage readBlock(QByteArrayView gif, const GifScreen& screen, const GifImageBlock& block, QString* error)
{
    QBuffer buffer;
    buffer.setData(blockAlone(gif, screen, block));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QImage image;
    if (!reader.read(&image) && error)
        *error = reader.errorString();
    return image;
}

bool opaque(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

// Whether the block's image, drawn at its place, would cover any pixel of the frame that is
// already painted: a pixel both opaque in the image and painted in the frame.
bool paintsOver(const QImage& frame, const QImage& image, QPoint at)
{
    const QRect shared = QRect(at, image.size()).intersected(frame.rect());
    const QImage block = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = shared.top(); y <= shared.bottom(); ++y) {
        const auto* painted = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        const auto* drawn = reinterpret_cast<const QRgb*>(block.constScanLine(y - at.y()));
        for (int x = shared.left(); x <= shared.right(); ++x) {
            if (qAlpha(painted[x]) != 0 && qAlpha(drawn[x - at.x()]) != 0)
                return true;
        }
    }
    return false;
}

} // namespace

QImage composedFirstFrame(QByteArrayView gif, const GifScreen& screen, qint64 mostPixels, QString* error)
{
    // The canvas and the first block, without which there is no frame, are judged before
    // either is allocated: a header can claim far more than its file holds.
    const QSize canvas = gifCanvasSize(screen);
    const QRect& first = screen.firstFrame.front().place;
    if (!withinPictureLimits(canvas.width(), canvas.height(), mostPixels) ||
        !withinPictureLimits(first.width(), first.height(), mostPixels)) {
        if (error)
            *error = QStringLiteral("the GIF's screen or first image is larger than its file can hold");
        return QImage();
    }
    QImage frame = newPicture(canvas, QImage::Format_ARGB32_Premultiplied);
    if (frame.isNull()) {
        if (error)
            *error = QStringLiteral("not enough memory for the picture");
        return QImage();
    }
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    qint64 pixels = 0;
    // The block drawn last, and what lay under it, which it is disposed of by once the next
    // block is known to belong to the frame: the frame ends with it drawn.
    const GifImageBlock* previous = nullptr;
    QImage underPrevious;
    for (qsizetype i = 0; i < screen.firstFrame.size(); ++i) {
        const GifImageBlock& block = screen.firstFrame.at(i);
        // Each block is read as a picture of its own size: together they stay within the file.
        const bool readable =
            block.end > 0 && !block.place.isEmpty() &&
            withinPictureLimits(block.place.width(), block.place.height(), mostPixels - pixels);
        pixels += qint64(block.place.width()) * block.place.height();
        const QImage image = readable ? readBlock(gif, screen, block, error) : QImage();
        if (image.isNull()) {
            if (i > 0)
                break;
            if (error && error->isEmpty())
                *error = QStringLiteral("the first image of the GIF cannot be read");
            return QImage();
        }
        if (previous) {
            // The frame holds the previous block, not yet disposed of, over what the blocks
            // before it left: a block that paints over any of that is the next frame.
            if (paintsOver(frame, image, block.place.topLeft()))
                break;
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            if (previous->disposal == kRestoreBackground)
                painter.fillRect(previous->place, Qt::transparent);
            else if (previous->disposal == kRestorePrevious)
                painter.drawImage(previous->place.topLeft(), underPrevious);
        }
        underPrevious = block.disposal == kRestorePrevious ? frame.copy(block.place) : QImage();
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(block.place.topLeft(), image);
        previous = &block;
    }
    painter.end();
    return frame.convertToFormat(opaque(frame) ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}

} // namespace ruvo
