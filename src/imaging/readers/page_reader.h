#pragma once

#include "imaging/picture_decoder.h"

#include <QIODevice>
#include <QSize>

#include <optional>

namespace ruvo {

// What reads the pages of one picture format; the format table names each format's reader.
// Both read the page from the device's position on, where the page's bytes start.
struct PageReader
{
    // The page's picture, decoded as FilePictureDecoder::decodePage describes.
    DecodedPicture (*decode)(QIODevice& file, const SpareCore& spare, const ScaledSizeOf& scaledSize);
    // The size of the picture decode makes of a whole page, read from its header alone; nothing
    // when the header is cut off, or does not tell it.
    std::optional<QSize> (*size)(QIODevice& file);
};

} // namespace ruvo
