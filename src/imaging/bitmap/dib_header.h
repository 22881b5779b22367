#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <optional>

namespace ruvo {

// The header of a device-independent bitmap, as bitmap files hold it after
// their file header and metafiles embed it.
struct DibHeader
{
    enum Compression : quint32
    {
        Rgb = 0,
        Rle8 = 1,
        Rle4 = 2,
        BitFields = 3,
        Jpeg = 4,
        Png = 5,
        AlphaBitFields = 6,
    };

    quint32 headerSize = 0;
    int width = 0;
    // Positive heights are stored bottom row first.
    int height = 0;
    int bitCount = 0;
    quint32 compression = Rgb;
    // The colour table's length as stored; zero means the most the bit count
    // allows. Core headers do not store it.
    quint32 coloursUsed = 0;
    // Entries of the colour table, and the bytes of the bit masks stored
    // after the header.
    qint64 colours = 0;
    qint64 maskBytes = 0;
    // Colour table and bit masks between the header and the pixels, the
    // table's entries holding colours.
    qint64 tableBytes = 0;
    // What the rows need when stored uncompressed; zero for compressed pixels.
    qint64 pixelBytes = 0;

    bool isCoreHeader() const { return headerSize == 12; }
    bool isBottomUp() const { return height > 0; }
    qint64 rows() const { return qAbs(qint64(height)); }

    // The fields at the start of bytes as they are stored, nothing judged:
    // laid out as a core header when the size says so, as an info header
    // otherwise, cut short after the bit count when the size is below an
    // info header's. Nullopt when bytes are too short for that layout; the table
    // and pixel sizes are left at zero.
    static std::optional<DibHeader> read(QByteArrayView bytes);

    // Reads the header at the start of bytes and checks it against what a
    // picture inside a metafile may sensibly hold; nullopt with a reason when
    // it is damaged or asks for more than that.
    static std::optional<DibHeader> parse(QByteArrayView bytes, QString* error);
};

} // namespace ruvo
