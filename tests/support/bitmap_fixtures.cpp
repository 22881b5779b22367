#include "support/bitmap_fixtures.h"

#include <QtEndian>

namespace ruvo::test {

namespace {

constexpr int kFileHeaderBytes = 14;

void put(QByteArray& bytes, qsizetype at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

// Run-length coded rows, bottom first (top first when top down): every pixel
// a run of one (RLE4 runs hold two indices, the second unused here), each row
// closed by an end of line, the whole by an end of bitmap.
QByteArray runLengthRows(const BitmapLayout& layout, QSize size, const PixelValue& value)
{
    QByteArray rows;
    for (int row = 0; row < size.height(); ++row) {
        const int y = layout.topDown ? row : size.height() - 1 - row;
        for (int x = 0; x < size.width(); ++x) {
            const quint32 v = value(x, y);
            rows.append(char(1)).append(char(layout.bitCount == 4 ? v << 4 : v));
        }
        rows.append(char(0)).append(char(0));
    }
    rows.append(char(0)).append(char(1));
    return rows;
}

QByteArray pixelRows(const BitmapLayout& layout, QSize size, const PixelValue& value)
{
    if (layout.compression == 1 || layout.compression == 2)
        return runLengthRows(layout, size, value);
    const int bits = layout.bitCount;
    const int stride = (size.width() * bits + 31) / 32 * 4;
    QByteArray rows(qsizetype(stride) * size.height(), '\0');
    for (int y = 0; y < size.height(); ++y) {
        const int row = layout.topDown ? y : size.height() - 1 - y;
        const qsizetype line = qsizetype(row) * stride;
        for (int x = 0; x < size.width(); ++x) {
            const quint32 v = value(x, y);
            if (bits < 8) {
                const int bit = x * bits;
                const qsizetype at = line + bit / 8;
                rows[at] = char(quint8(rows.at(at)) | (v << (8 - bits - bit % 8)));
            } else {
                put(rows, line + qsizetype(x) * bits / 8, v, bits / 8);
            }
        }
    }
    return rows;
}

} // namespace

QByteArray bitmapFile(const BitmapLayout& layout, QSize size, const PixelValue& value)
{
    const bool core = layout.headerSize == 12;
    QByteArray header(layout.headerSize, '\0');
    put(header, 0, quint32(layout.headerSize), 4);
    if (core) {
        put(header, 4, quint32(size.width()), 2);
        put(header, 6, quint32(size.height()), 2);
        put(header, 8, 1, 2);
        put(header, 10, quint32(layout.bitCount), 2);
    } else {
        put(header, 4, quint32(size.width()), 4);
        put(header, 8, quint32(layout.topDown ? -size.height() : size.height()), 4);
        put(header, 12, 1, 2);
        put(header, 14, quint32(layout.bitCount), 2);
    }
    const bool masked = layout.compression == 3 || layout.compression == 6;
    if (layout.headerSize >= 40) {
        put(header, 16, layout.compression, 4);
        put(header, 32, quint32(layout.palette.size()), 4);
    }
    QByteArray masks;
    if (masked) {
        const int count = layout.compression == 6 || layout.headerSize >= 56 ? 4 : 3;
        masks = QByteArray(4 * count, '\0');
        for (int i = 0; i < count; ++i)
            put(masks, 4 * i, layout.masks[i], 4);
        if (layout.headerSize > 40) {
            const qsizetype room = std::min<qsizetype>(masks.size(), layout.headerSize - 40);
            header.replace(40, room, masks.left(room));
            masks.clear();
        }
    }
    QByteArray table;
    for (QRgb colour : layout.palette) {
        table.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour)));
        if (!core)
            table.append('\0');
    }
    const QByteArray rows = pixelRows(layout, size, value);
    const qsizetype pixelsAt = kFileHeaderBytes + header.size() + masks.size() + table.size();
    QByteArray file(kFileHeaderBytes, '\0');
    file[0] = 'B';
    file[1] = 'M';
    put(file, 2, quint32(pixelsAt + rows.size()), 4);
    put(file, 10, quint32(pixelsAt), 4);
    return file + header + masks + table + rows;
}

QByteArray iconWithSizes(const QList<int>& sizes, const QList<QColor>& colours, const QList<int>& bits)
{
    QByteArray directory(iconEntryAt(int(sizes.size())), '\0');
    put(directory, 2, 1, 2);
    put(directory, 4, quint32(sizes.size()), 2);
    QByteArray images;
    for (int i = 0; i < sizes.size(); ++i) {
        const int side = sizes[i];
        const int depth = bits.value(i, 32);
        const int maskRow = (side + 31) / 32 * 4;
        QByteArray image(40, '\0');
        put(image, 0, 40, 4);
        put(image, 4, quint32(side), 4);
        put(image, 8, quint32(2 * side), 4);
        put(image, 12, 1, 2);
        put(image, 14, quint32(depth), 2);
        const QColor colour = colours[i];
        const char bgra[] = {char(colour.blue()), char(colour.green()), char(colour.red()), char(0xFF)};
        const QByteArray quad(bgra, 4);
        if (depth == 8) {
            // The whole palette, the colour first; every pixel is its index 0.
            put(image, 32, 256, 4);
            image.append(quad).append(QByteArray(255 * 4, '\0'));
            image.append(QByteArray((side + 3) / 4 * 4 * side, '\0'));
        } else {
            for (int pixel = 0; pixel < side * side; ++pixel)
                image.append(quad);
        }
        image.append(QByteArray(maskRow * side, '\0'));
        const qsizetype entry = iconEntryAt(i);
        directory[entry] = char(side);
        directory[entry + 1] = char(side);
        put(directory, entry + 4, 1, 2);
        put(directory, entry + 6, quint32(depth), 2);
        put(directory, entry + 8, quint32(image.size()), 4);
        put(directory, entry + 12, quint32(directory.size() + images.size()), 4);
        images += image;
    }
    return directory + images;
}

QByteArray iconOfPngs(const QList<QByteArray>& images)
{
    QByteArray ico(iconEntryAt(int(images.size())), '\0');
    qToLittleEndian<quint16>(1, ico.data() + 2);
    qToLittleEndian<quint16>(quint16(images.size()), ico.data() + 4);
    for (int i = 0; i < images.size(); ++i) {
        char* entry = ico.data() + iconEntryAt(i);
        qToLittleEndian<quint16>(1, entry + 4);
        qToLittleEndian<quint16>(32, entry + 6);
        qToLittleEndian<quint32>(quint32(images.at(i).size()), entry + 8);
        qToLittleEndian<quint32>(quint32(ico.size()), entry + 12);
        ico += images.at(i);
    }
    return ico;
}

} // namespace ruvo::test
