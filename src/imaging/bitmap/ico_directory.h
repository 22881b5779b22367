#pragma once

#include <QByteArray>
#include <QSize>

#include <optional>

namespace ruvo {

// An icon whose directory tells each image's size as the image itself does.
// Writers put sizes in the directory that disagree with the images inside,
// and byte counts that run past the file; Qt's reader trusts the directory,
// cutting such an image short or refusing it. Each entry's width and height
// are taken from the image's own header (a bitmap's or a PNG's), its byte
// count is kept to the file, and the rest is left as it was.
QByteArray icoWithTrueSizes(QByteArray ico);

// The bits per pixel of an icon's image at index, as the image itself says (a PNG's from its
// depth and colour type); 0 when it says nothing readable.
int icoImageBits(QByteArrayView ico, int index);

// The size of an icon's image at index as the image itself says (a PNG's header or a bitmap's),
// which Qt's reader knows only from the directory, as 256 for any side of more than 255;
// nothing when the image says nothing readable. A side longer than QSize holds is cut to
// its largest.
std::optional<QSize> icoImageSize(QByteArrayView ico, int index);

} // namespace ruvo
