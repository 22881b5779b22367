#include "imaging/page_facts.h"

#include "imaging/readers/page_reader.h"

namespace ruvo {

std::optional<PageFacts> readPageFacts(QIODevice& device, PageFormats formats)
{
    const PictureFormatInfo* format = pageFormatOfContent(device.peek(pictureSignatureBytes), formats);
    if (!format)
        return std::nullopt;
    const std::optional<QSize> size = format->reader.size(device);
    if (!size || size->isEmpty())
        return std::nullopt;
    return PageFacts{*size, format->format};
}

} // namespace ruvo
