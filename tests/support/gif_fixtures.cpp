#include "support/gif_fixtures.h"

#include "sample_book/gif_writer.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace ruvo::test {

namespace {

constexpr qsizetype kFlagsAt = 10;
constexpr qsizetype kColourTableAt = 13;
constexpr qsizetype kControlBytes = 8;
constexpr qsizetype kDescriptorBytes = 10;

QByteArray word(int value)
{
    return QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF);
}

// The writer's GIF of the block, as one image.
QByteArray singleImage(const QImage& image)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("block.gif"));
    QFile file(path);
    if (!writeGif(image, path) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

QByteArray gifOfBlocks(QSize screen, const QList<GifBlock>& blocks, GifStart start)
{
    QByteArray gif = (start == GifStart::Gif87a ? "GIF87a" : "GIF89a") + word(screen.width()) +
                     word(screen.height()) + QByteArray(3, '\0');
    if (start == GifStart::Looping)
        gif += QByteArray("\x21\xFF\x0B", 3) + "NETSCAPE2.0" + QByteArray("\x03\x01\x00\x00\x00", 5);
    for (const GifBlock& block : blocks) {
        // The writer's file: its global colour table, a control extension when a colour is
        // transparent, the descriptor, the data and the trailer.
        const QByteArray single = singleImage(block.image);
        if (single.isEmpty())
            return {};
        const quint8 flags = quint8(single.at(kFlagsAt));
        const qsizetype tableBytes = 3 * (2 << (flags & 7));
        qsizetype at = kColourTableAt + tableBytes;
        int transparent = -1;
        if (single.at(at) == '!') {
            transparent = quint8(single.at(at + 6));
            at += kControlBytes;
        }
        if (block.control && start != GifStart::Gif87a)
            gif += QByteArray("\x21\xF9\x04", 3) + char((block.disposal << 2) | (transparent >= 0 ? 1 : 0)) +
                   word(block.delay) + char(std::max(transparent, 0)) + char(0);
        // The descriptor, placed, with the writer's table as its own.
        gif +=
            ',' + word(block.at.x()) + word(block.at.y()) + single.mid(at + 5, 4) + char(0x80 | (flags & 7));
        gif += single.mid(kColourTableAt, tableBytes);
        gif += single.mid(at + kDescriptorBytes, single.size() - 1 - (at + kDescriptorBytes));
    }
    return gif + ';';
}

} // namespace ruvo::test
