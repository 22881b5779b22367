#include "imaging/readers/jxl_page_reader.h"

#include "imaging/jxl/jxl_decoding.h"
#include "imaging/jxl/jxl_header.h"
#include "imaging/picture_memory.h"
#include "imaging/readers/page_reading.h"

namespace ruvo {

namespace {

DecodedPicture decodeJxlPage(QIODevice& file, const SpareCore& spare, const ScaledSizeOf&)
{
    if (std::optional<DecodedPicture> refused = refusedWholeRead(file))
        return *refused;
    HeldBytes bytes;
    if (!bytes.readAll(file))
        return failure(QStringLiteral("cannot read file: ") + file.errorString());
    return decodeJxl(bytes.bytes(), spare);
}

std::optional<QSize> jxlSize(QIODevice& file)
{
    const std::optional<QSize> size = jxlUprightSize(file);
    return size && !size->isEmpty() ? size : std::nullopt;
}

} // namespace

const PageReader jxlPageReader{decodeJxlPage, jxlSize};

} // namespace ruvo
