#pragma once

#include "imaging/picture_decoder.h"

namespace ruvo {

// Decodes page pictures from files: JPEG through libjpeg-turbo (CMYK ones through Qt's
// reader), BMP, GIF and ICO through Qt's image readers, WMF and EMF through the metafile
// renderers. The format is told by the file's content, never by its name. Safe to call
// from worker threads.
class FilePictureDecoder : public PictureDecoder
{
public:
    FilePictureDecoder();

    DecodedPicture decode(const QString& path) const override;
    DecodedPicture decodeSharing(const QString& path, const SpareCore& spare,
                                 const ScaledSizeOf& scaledSize = {}) const override;
};

} // namespace ruvo
