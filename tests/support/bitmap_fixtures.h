#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QRgb>
#include <QSize>

#include <array>
#include <functional>

namespace ruvo::test {

// How a test bitmap is laid out in its file.
struct BitmapLayout
{
    // 12 (core), 16 (OS/2 2.x, cut after the bit count), 40, 52, 56, 108, 124.
    int headerSize = 40;
    int bitCount = 24;
    // 0 plain, 1 and 2 run-length coded (8 and 4 bits), 3 bit fields, 6 bit
    // fields with alpha.
    quint32 compression = 0;
    // Red, green, blue and alpha: written after a 40-byte header, inside the
    // longer ones (the alpha mask from 56 bytes on).
    std::array<quint32, 4> masks = {0, 0, 0, 0};
    bool topDown = false;
    // The colour table, as many entries as the header then says it holds
    // (headers that cannot say so hold all the bit count allows).
    QList<QRgb> palette;
};

// A raw pixel value: a colour table index or the packed channels.
using PixelValue = std::function<quint32(int x, int y)>;

// A bitmap file laid out as asked whose pixel at (x, y), counted from the top
// left, holds value(x, y).
QByteArray bitmapFile(const BitmapLayout& layout, QSize size, const PixelValue& value);

// An icon holding one solid image per size, each a bitmap with its (empty)
// transparency mask: of 32 bits a pixel, or of the bits given (8: a palette).
QByteArray iconWithSizes(const QList<int>& sizes, const QList<QColor>& colours, const QList<int>& bits = {});

// An icon of those PNG images, in that order, each entry's sides written as 0: the directory
// holds no side of more than 255 and takes 0 for 256 and more.
QByteArray iconOfPngs(const QList<QByteArray>& images);

// Where an icon's directory entry for image index starts.
inline qsizetype iconEntryAt(int index)
{
    return 6 + 16 * qsizetype(index);
}

} // namespace ruvo::test
