#pragma once

#include "imaging/page_source.h"
#include "imaging/picture_decoder.h"

#include <functional>
#include <memory>

namespace ruvo {

// Decodes page pictures: JPEG through libjpeg-turbo (CMYK ones through Qt's reader), BMP,
// GIF and ICO through Qt's image readers, WMF and EMF through the metafile renderers. The
// format is told by the page's content, never by its name. It reads a page through its
// source alone (a file, or what the path's source says), and only decodes: it keeps nothing. Safe to call
// from worker threads.
class FilePictureDecoder : public PictureDecoder
{
public:
    // Where a page's bytes are read from, by its path.
    using PageSourceOf = std::function<std::unique_ptr<PageSource>(const QString& path)>;

    // What tells whether a page changed since it was read, by its path.
    using StampOf = std::function<FileStamp(const QString& path)>;

    // Pages are plain files unless sourceOf says otherwise, and are stamped as files unless
    // stampOf does.
    explicit FilePictureDecoder(PageSourceOf sourceOf = {}, StampOf stampOf = {});

    using PictureDecoder::decode;
    DecodedPicture decode(const QString& path, const SpareCore& spare,
                          const ScaledSizeOf& scaledSize) const override;
    FileStamp stampOf(const QString& path) const override;
    // The page whose bytes the source gives, decoded as decode() does.
    static DecodedPicture decodePage(const PageSource& source, const SpareCore& spare = {},
                                     const ScaledSizeOf& scaledSize = {});

private:
    PageSourceOf m_sourceOf;
    StampOf m_stampOf;
};

} // namespace ruvo
