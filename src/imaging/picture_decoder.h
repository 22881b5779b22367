#pragma once

#include "imaging/decoded_picture.h"
#include "imaging/page_ref.h"
#include "platform/file_stamp.h"

#include <functional>

namespace ruvo {

// Runs a piece of work on another core as soon as one is free: at once, later, or never.
// The work checks for itself whether it is still wanted when it runs.
using SpareCore = std::function<void(std::function<void()>)>;

// The one entry point through which every page, preview and thumbnail picture
// is read: page in, picture or error out. It only decodes and keeps nothing. Never throws,
// never crashes on a damaged file.
class PictureDecoder
{
public:
    virtual ~PictureDecoder() = default;
    // For a caller that waits for the picture: part of the work may be done on the spare
    // core beside it, and a reader that can scales the picture to scaledSize as it decodes
    // it (see DecodedPicture::scaled).
    virtual DecodedPicture decode(const PageRef& page, const SpareCore& spare,
                                  const ScaledSizeOf& scaledSize) const = 0;
    DecodedPicture decode(const PageRef& page) const { return decode(page, {}, {}); }
    // The picture file at path, outside any book, in one of the basic formats (a thumbnail the
    // shelf keeps).
    DecodedPicture decode(const QString& path) const
    {
        return decode(PageRef::file(path, PageFormats::Basic));
    }
    // What tells whether the page changed since it was decoded.
    virtual FileStamp stampOf(const PageRef& page) const { return page.stamp(); }
};

} // namespace ruvo
