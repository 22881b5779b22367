#include "imaging/readers/wmf_page_reader.h"

#include "imaging/metafile/metafile_size.h"
#include "imaging/metafile/wmf_placeable.h"
#include "imaging/metafile/wmf_renderer.h"
#include "imaging/metafile/wmf_validator.h"
#include "imaging/picture_limits.h"
#include "imaging/readers/page_reading.h"
#include "imaging/stream_bytes.h"

namespace ruvo {

namespace {

DecodedPicture drawWmf(const QByteArray& bytes)
{
    return WmfRenderer().render(bytes);
}

DecodedPicture decodeWmf(QIODevice& file, const SpareCore&, const ScaledSizeOf&)
{
    return drawMetafile(file, drawWmf);
}

// A placeable metafile's size is in its header. A bare one's is the window its records set,
// which they are all read for; one that sets none is measured by playing it, and has no size
// here.
std::optional<QSize> wmfSize(QIODevice& file)
{
    const StreamBytes stream(file);
    const QByteArray head = stream.at(0, WmfPlaceable::kBytes);
    if (WmfPlaceable::startsWith(head)) {
        QString error;
        const std::optional<WmfPlaceable> placeable =
            head.size() == WmfPlaceable::kBytes ? WmfPlaceable::read(head, &error) : std::nullopt;
        if (!placeable)
            return std::nullopt;
        return placeableWmfSize(placeable->boundingBox, placeable->unitsPerInch);
    }
    if (stream.size() > kMetafileMaxBytes)
        return std::nullopt;
    const WmfValidator validator(stream.at(0, stream.size()));
    if (!validator.isValid() || validator.layout().windowExtent.isEmpty())
        return std::nullopt;
    return unplacedWmfSize(QSizeF(validator.layout().windowExtent));
}

} // namespace

const PageReader wmfPageReader{decodeWmf, wmfSize};

} // namespace ruvo
