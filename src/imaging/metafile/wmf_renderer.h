#pragma once

#include "imaging/picture_decoder.h"

#include <QByteArray>

namespace ruvo {

// Draws a Windows metafile: checked record by record, played by libwmflite
// onto our QPainter device layer, on a white page of the picture's natural
// size.
class WmfRenderer
{
public:
    DecodedPicture render(const QByteArray& bytes) const;
};

} // namespace ruvo
