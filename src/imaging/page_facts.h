#pragma once

#include "imaging/picture_formats.h"

#include <QIODevice>
#include <QSize>

#include <optional>

namespace ruvo {

// What a page's header tells before it is decoded.
struct PageFacts
{
    // In pixels, as the page will be drawn: the size of the picture the decoder makes of it,
    // a JPEG's turned as its EXIF orientation says (sides swapped for orientations 5 to 8).
    QSize size;
    PictureFormat format;
};

// The facts of the page whose bytes the device gives from its position on, read from its
// header alone: no pixel is decoded, and little is read, a few kilobytes at most for most
// pages (a bare WMF is read whole for the window its records set; an EMF's records are
// counted). The format is told by content, as the decoder tells it: among the formats of an
// the formats given. Nothing when the format is none of them, when the
// header is cut off or claims a size of zero, or does not tell the size. The device must be
// able to seek.
std::optional<PageFacts> readPageFacts(QIODevice& device, PageFormats formats);

} // namespace ruvo
