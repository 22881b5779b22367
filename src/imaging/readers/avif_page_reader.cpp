#include "imaging/readers/avif_page_reader.h"

#include "imaging/avif/avif_decoding.h"
#include "imaging/picture_memory.h"
#include "imaging/readers/page_reading.h"

namespace ruvo {

namespace {

DecodedPicture decodeAvif(QIODevice& file, const SpareCore& spare, const ScaledSizeOf&)
{
    if (std::optional<DecodedPicture> refused = refusedWholeRead(file))
        return *refused;
    HeldBytes bytes;
    if (!bytes.readAll(file))
        return failure(QStringLiteral("cannot read file: ") + file.errorString());
    AvifDecoding avif;
    if (!avif.parse(bytes.bytes()))
        return failure(avif.error());
    return avif.decodeFirstFrame(spare);
}

// The size the primary item's spatial extent (ispe) or the sequence's track header tells, turned
// as its irot says.
std::optional<QSize> avifSize(QIODevice& file)
{
    AvifDecoding avif;
    if (!avif.parse(file))
        return std::nullopt;
    const QSize size = avif.uprightSize();
    return size.isEmpty() ? std::nullopt : std::optional<QSize>(size);
}

} // namespace

const PageReader avifPageReader{decodeAvif, avifSize};

} // namespace ruvo
