#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <optional>

namespace ruvo {

// The header of a device-independent bitmap as metafiles embed it, checked
// against what a page picture may sensibly hold before anything trusts it.
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
    };

    int headerSize = 0;
    int width = 0;
    // Positive heights are stored bottom row first.
    int height = 0;
    int bitCount = 0;
    quint32 compression = Rgb;
    // Colour table and bit masks between the header and the pixels.
    qint64 tableBytes = 0;
    // What the rows need when stored uncompressed; zero for compressed pixels.
    qint64 pixelBytes = 0;

    bool isCoreHeader() const { return headerSize == 12; }
    bool isBottomUp() const { return height > 0; }
    int rows() const { return height < 0 ? -height : height; }

    // Reads the header at the start of bytes; nullopt with a reason when it is
    // damaged or asks for more than a page may have.
    static std::optional<DibHeader> parse(QByteArrayView bytes, QString* error);
};

// Decodes a packed bitmap (header, colour table and pixels in one block, as
// metafiles embed them). A null image when it is damaged or too large.
QImage decodePackedDib(QByteArrayView packed);

} // namespace ruvo
