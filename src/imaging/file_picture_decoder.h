#pragma once

#include "imaging/page_source.h"
#include "imaging/picture_decoder.h"

#include <memory>

namespace ruvo {

// Decodes page pictures: JPEG through libjpeg-turbo (CMYK ones through Qt's reader), BMP,
// GIF and ICO through Qt's image readers, WMF and EMF through the metafile renderers; a page
// that is drawn rather than decoded (a PDF book's) is drawn by its book's renderer. The
// format is told by the page's content, never by its name. It reads a page through the
// source its book hands out, and only decodes: it keeps nothing. Safe to call from worker
// threads.
class FilePictureDecoder : public PictureDecoder
{
public:
    FilePictureDecoder();

    using PictureDecoder::decode;
    DecodedPicture decode(const PageRef& page, const SpareCore& spare,
                          const ScaledSizeOf& scaledSize) const override;
    // The page whose bytes the source gives, decoded as decode() does.
    static DecodedPicture decodePage(const PageSource& source, const SpareCore& spare = {},
                                     const ScaledSizeOf& scaledSize = {});
    // The page the renderer draws, drawn as decode() draws it.
    static DecodedPicture renderPage(const PageRenderer& renderer, const ScaledSizeOf& scaledSize = {});
};

} // namespace ruvo
