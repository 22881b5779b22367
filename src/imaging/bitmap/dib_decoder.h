#pragma once

#include "imaging/bitmap/dib_header.h"

#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QString>

namespace ruvo {

// Whether Qt's bitmap reader reads the bitmap whose header starts dib the way
// it is meant. It knows only the header sizes of 12, 40, 64, 108 and 124
// bytes, and scales channels of other widths than 8 bits inexactly or not at
// all (11 bits come out black), the plain 16-bit pixels' 5 bits among them.
// What it cannot read, decodeDib can.
// With pixelsAt, the offset of the pixels after the header, an OS/2 core header's colour
// table shorter than its bit count allows is told too: Qt reads past it.
bool qtReadsDib(QByteArrayView dib, qint64 pixelsAt = -1);

// Decodes an uncompressed bitmap with a header of any size and channel masks
// of any width: the header at the start of dib, the pixels pixelsAt bytes
// after it. Channels are scaled to 8 bits exactly, rounding to the nearest.
// A null image, with the reason, when the bitmap is damaged, compressed or
// larger than a picture may be.
QImage decodeDib(QByteArrayView dib, qint64 pixelsAt, QString* error);

// The colour table between the header (and its masks) and the pixels, as many entries as
// the bit count allows; entries it does not hold are black.
QList<QRgb> dibPalette(const DibHeader& header, QByteArrayView dib, qint64 pixelsAt);

// Decodes a packed bitmap (header, colour table and pixels in one block, as
// metafiles embed them). A null image when it is damaged or too large.
QImage decodePackedDib(QByteArrayView packed);

} // namespace ruvo
