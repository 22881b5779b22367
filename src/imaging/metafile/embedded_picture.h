#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace ruvo {

// Whether the picture a metafile's bitmap holds whole (a JPEG or a PNG, as its compression
// says) is that, declaring a size its own bytes can fill and a bitmap inside a metafile may
// have. The converter hands such a picture on to Qt's readers as it is, and they allocate what
// its header claims before they read a pixel.
bool embeddedPictureFits(QByteArrayView picture, quint32 compression);

} // namespace ruvo
