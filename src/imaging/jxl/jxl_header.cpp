#include "imaging/jxl/jxl_header.h"

#include "imaging/stream_bytes.h"

#include <jxl/decode.h>
#include <jxl/decode_cxx.h>

#include <QByteArray>

#include <limits>

namespace ruvo {

namespace {

constexpr qint64 kReadBytes = 4096;
constexpr qint64 kMostHeaderBytes = 1024 * 1024;

} // namespace

std::optional<QSize> jxlUprightSize(QIODevice& device)
{
    const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    if (!decoder || JxlDecoderSubscribeEvents(decoder.get(), JXL_DEC_BASIC_INFO) != JXL_DEC_SUCCESS)
        return std::nullopt;
    const StreamBytes stream(device);
    // What the decoder has not yet taken, then what is read after it.
    QByteArray pending;
    qint64 read = 0;
    while (read < kMostHeaderBytes) {
        const QByteArray more = stream.at(read, kReadBytes);
        if (more.isEmpty())
            return std::nullopt;
        read += more.size();
        pending += more;
        JxlDecoderSetInput(decoder.get(), reinterpret_cast<const uint8_t*>(pending.constData()),
                           size_t(pending.size()));
        const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
        if (status == JXL_DEC_BASIC_INFO) {
            JxlBasicInfo info;
            if (JxlDecoderGetBasicInfo(decoder.get(), &info) != JXL_DEC_SUCCESS ||
                info.xsize > uint32_t(std::numeric_limits<int>::max()) ||
                info.ysize > uint32_t(std::numeric_limits<int>::max()))
                return std::nullopt;
            return QSize(int(info.xsize), int(info.ysize));
        }
        if (status != JXL_DEC_NEED_MORE_INPUT)
            return std::nullopt;
        pending = pending.right(qsizetype(JxlDecoderReleaseInput(decoder.get())));
    }
    return std::nullopt;
}

} // namespace ruvo
