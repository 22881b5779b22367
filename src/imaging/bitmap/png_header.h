#pragma once

#include <QByteArrayView>

#include <optional>

namespace ruvo {

// What the header chunk a PNG starts with (after its signature) says of the picture: the
// PNG pages of archive books, and the PNG images icons hold.
struct PngHeader
{
    quint32 width = 0;
    quint32 height = 0;
    // Zero when the bytes end before them.
    int depth = 0;
    int colourType = 0;

    // Bits a pixel: the depth times the channels of the colour type; 0 when the type is
    // none PNG knows.
    int bitsPerPixel() const;

    static bool hasSignature(QByteArrayView bytes);
    // The header at the start of a PNG's bytes; nothing when they do not start with the
    // signature, or end before the picture's size.
    static std::optional<PngHeader> read(QByteArrayView png);
};

} // namespace ruvo
