#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace ruvo {

// Whether Qt's bitmap reader reads the bitmap whose header starts dib the way
// it is meant. It knows only the header sizes of 12, 40, 64, 108 and 124
// bytes, and scales channels of other widths than 8 bits inexactly or not at
// all (11 bits come out black), the plain 16-bit pixels' 5 bits among them.
// What it cannot read, decodeDib can.
bool qtReadsDib(QByteArrayView dib);

// Decodes an uncompressed bitmap with a header of any size and channel masks
// of any width: the header at the start of dib, the pixels pixelsAt bytes
// after it. Channels are scaled to 8 bits exactly, rounding to the nearest.
// A null image, with the reason, when the bitmap is damaged, compressed or
// larger than a picture may be.
QImage decodeDib(QByteArrayView dib, qint64 pixelsAt, QString* error);

// A bitmap file whose header is longer than the plain 40-byte info header,
// cut to that header, whose fields the longer ones begin with; the colour
// table and the pixels move up with it. This is how Qt's reader gets the
// run-length bitmaps, which decodeDib leaves to it, behind a header it does
// not know. The file as it is when its header is no longer than that.
QByteArray bmpWithInfoHeader(QByteArray file);

// Decodes a packed bitmap (header, colour table and pixels in one block, as
// metafiles embed them). A null image when it is damaged or too large.
QImage decodePackedDib(QByteArrayView packed);

} // namespace ruvo
