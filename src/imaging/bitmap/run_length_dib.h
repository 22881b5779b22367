#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace ruvo {

// Decodes a run-length coded bitmap (8 or 4 bits a pixel) of any header size: the header at
// the start of dib, the coded pixels pixelsAt bytes after it. Every pixel is defined: a
// pixel that no data sets (the data ended early, or skipped it) is transparent, so that
// the decoding is the same every time; a bitmap whose data sets every pixel is opaque. The rows
// run from the bottom up, or from the top down when the height is negative; a run past the end
// of a row goes on into the next. A null image, with the reason, when the header is damaged or
// the picture too large.
QImage decodeRunLengthDib(QByteArrayView dib, qint64 pixelsAt, QString* error);

} // namespace ruvo
