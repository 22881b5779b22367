#pragma once

#include "imaging/picture_decoder.h"

#include <QByteArray>

namespace ruvo {

// Draws an enhanced metafile: libemf2svg turns it into SVG in memory, and Qt
// draws that onto a white page of the picture's natural size. The bytes are
// checked record by record first, since the converter trusts them.
class EmfRenderer
{
public:
    DecodedPicture render(const QByteArray& bytes) const;
};

} // namespace ruvo
