#include "imaging/file_picture_decoder.h"

#include "imaging/picture_formats.h"
#include "imaging/picture_limits.h"
#include "imaging/quiet_messages.h"
#include "imaging/readers/page_reader.h"
#include "imaging/readers/page_reading.h"

#include <QImageReader>

#include <new>

namespace ruvo {

namespace {

DecodedPicture decodeSource(const PageSource& source, const SpareCore& spare, const ScaledSizeOf& scaledSize)
{
    QString error;
    const std::unique_ptr<QIODevice> opened = source.open(&error);
    if (!opened)
        return failure(error);
    QIODevice& file = *opened;
    if (file.size() == 0)
        return failure(QStringLiteral("file is empty"));
    const PictureFormatInfo* format = pageFormatOfContent(file.peek(pictureSignatureBytes), source.formats());
    if (!format)
        return failure(QStringLiteral("unrecognised picture format"));
    return format->reader.decode(file, spare, scaledSize);
}

} // namespace

FilePictureDecoder::FilePictureDecoder()
{
    // The limit is global to Qt's readers; setting it more than once is harmless.
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(kImageReaderAllocationMegabytes);
        return true;
    }();
    Q_UNUSED(limitSet);
}

DecodedPicture FilePictureDecoder::decode(const PageRef& page, const SpareCore& spare,
                                          const ScaledSizeOf& scaledSize) const
{
    if (const std::unique_ptr<PageRenderer> renderer = page.renderer())
        return renderPage(*renderer, scaledSize);
    return decodePage(*page.source(), spare, scaledSize);
}

DecodedPicture FilePictureDecoder::renderPage(const PageRenderer& renderer, const ScaledSizeOf& scaledSize)
{
    const QuietMessages quiet;
    try {
        return renderer.render(scaledSize);
    } catch (const std::bad_alloc&) {
        return failure(QStringLiteral("not enough memory for the picture"));
    } catch (...) {
        return failure(QStringLiteral("unexpected failure while drawing"));
    }
}

DecodedPicture FilePictureDecoder::decodePage(const PageSource& source, const SpareCore& spare,
                                              const ScaledSizeOf& scaledSize)
{
    // A damaged or odd file makes Qt's readers and the metafile drawing
    // complain on the terminal; the result says all that is to be said.
    const QuietMessages quiet;
    try {
        return decodeSource(source, spare, scaledSize);
    } catch (const std::bad_alloc&) {
        return failure(QStringLiteral("not enough memory for the picture"));
    } catch (...) {
        return failure(QStringLiteral("unexpected failure while decoding"));
    }
}

} // namespace ruvo
