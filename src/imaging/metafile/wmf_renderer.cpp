#include "imaging/metafile/wmf_renderer.h"

#include "imaging/metafile/metafile_size.h"
#include "imaging/metafile/wmf_device.h"
#include "imaging/metafile/wmf_validator.h"
#include "imaging/picture_memory.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QtEndian>

#include <libwmf/api.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ruvo {

namespace {

constexpr double kPointsPerInch = 72.0;
// All the memory libwmf may hold for one picture.
constexpr size_t kLibraryBudget = size_t(256) * 1024 * 1024;
constexpr int kPlayMilliseconds = 20000;

// libwmf keeps its state in the API, but nothing promises it is reentrant;
// pictures take turns.
QMutex& playerMutex()
{
    static QMutex mutex;
    return mutex;
}

// libwmf's allocations go through this, so a hostile file cannot make it ask
// for more than the budget. Each block carries its size in front.
struct Budget
{
    size_t used = 0;
};

constexpr size_t kBlockHeader = alignof(std::max_align_t);

void* budgetAllocate(void* context, size_t size)
{
    auto* budget = static_cast<Budget*>(context);
    if (size > kLibraryBudget - budget->used)
        return nullptr;
    auto* block = static_cast<char*>(std::malloc(kBlockHeader + size));
    if (!block)
        return nullptr;
    std::memcpy(block, &size, sizeof size);
    budget->used += size;
    return block + kBlockHeader;
}

void budgetFree(void* context, void* memory)
{
    if (!memory)
        return;
    auto* budget = static_cast<Budget*>(context);
    char* block = static_cast<char*>(memory) - kBlockHeader;
    size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    budget->used -= size;
    std::free(block);
}

void* budgetReallocate(void* context, void* memory, size_t size)
{
    if (!memory)
        return budgetAllocate(context, size);
    auto* budget = static_cast<Budget*>(context);
    char* block = static_cast<char*>(memory) - kBlockHeader;
    size_t old = 0;
    std::memcpy(&old, block, sizeof old);
    if (size > old && size - old > kLibraryBudget - budget->used)
        return nullptr;
    auto* grown = static_cast<char*>(std::realloc(block, kBlockHeader + size));
    if (!grown)
        return nullptr;
    std::memcpy(grown, &size, sizeof size);
    budget->used = budget->used - old + size;
    return grown + kBlockHeader;
}

// Asked after every record while playing; a picture that takes too long is cut short.
int playStatus(void* context, float)
{
    return static_cast<QDeadlineTimer*>(context)->hasExpired() ? 1 : 0;
}

void installDevice(wmfAPI* api)
{
    WmfDevice::install(api);
}

QString libraryError(wmf_error_t error)
{
    switch (error) {
    case wmf_E_InsMem:
        return QStringLiteral("WMF needs too much memory");
    case wmf_E_EOF:
        return QStringLiteral("WMF ends too early");
    case wmf_E_UserExit:
        return QStringLiteral("WMF takes too long to draw");
    case wmf_E_DeviceError:
        return QStringLiteral("WMF could not be drawn");
    default:
        return QStringLiteral("WMF player refused the file");
    }
}

class Api
{
public:
    ~Api()
    {
        if (m_api)
            wmf_lite_destroy(m_api);
    }
    wmfAPI** handle() { return &m_api; }
    wmfAPI* operator->() const { return m_api; }
    wmfAPI* get() const { return m_api; }

private:
    wmfAPI* m_api = nullptr;
};

DecodedPicture failure(const QString& reason)
{
    return DecodedPicture{QImage(), reason};
}

// The file as the player gets it: each record it must not read replaced, and the header's
// sizes, of the whole and of the largest record, as they then stand.
QByteArray playedCopy(const QByteArray& bytes, const WmfLayout& layout)
{
    constexpr qint64 kSizeAt = 6;
    constexpr qint64 kLargestRecordAt = 12;
    QByteArray data;
    data.reserve(bytes.size());
    qint64 words = layout.sizeInWords;
    quint32 largest = qFromLittleEndian<quint32>(bytes.constData() + layout.headerAt + kLargestRecordAt);
    qint64 from = 0;
    for (const WmfRepair& repair : layout.repairs) {
        data += QByteArrayView(bytes).sliced(from, repair.at - from);
        data += repair.record;
        from = repair.at + 2 * repair.words;
        words += repair.record.size() / 2 - repair.words;
        largest = std::max(largest, quint32(repair.record.size() / 2));
    }
    data += QByteArrayView(bytes).sliced(from);
    qToLittleEndian<quint32>(quint32(words), data.data() + layout.headerAt + kSizeAt);
    qToLittleEndian<quint32>(largest, data.data() + layout.headerAt + kLargestRecordAt);
    return data;
}

QSize pageSize(const WmfLayout& layout, const wmfD_Rect& scanned)
{
    if (layout.placeable)
        return placeableWmfSize(layout.boundingBox, layout.unitsPerInch);
    if (!layout.windowExtent.isEmpty())
        return unplacedWmfSize(QSizeF(layout.windowExtent));
    // The player measures in points.
    const double perPoint = kScreenDpi / kPointsPerInch;
    return unplacedWmfSize(
        QSizeF((scanned.BR.x - scanned.TL.x) * perPoint, (scanned.BR.y - scanned.TL.y) * perPoint));
}

} // namespace

DecodedPicture WmfRenderer::render(const QByteArray& bytes) const
{
    const WmfValidator validator(bytes);
    if (!validator.isValid())
        return failure(validator.error());
    const WmfLayout layout = validator.layout();

    const QMutexLocker lock(&playerMutex());
    Budget budget;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.context = &budget;
    options.malloc = budgetAllocate;
    options.realloc = budgetReallocate;
    options.free = budgetFree;
    options.function = installDevice;
    const unsigned long flags =
        WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG | WMF_OPT_IGNORE_NONFATAL;
    Api api;
    if (wmf_lite_create(api.handle(), flags, &options) != wmf_E_None || !api.get())
        return failure(QStringLiteral("WMF player could not start"));

    WmfDevice device(layout);
    device.attach(api.get());
    // The player reads straight from this buffer and is handed a non-const pointer.
    QByteArray data = playedCopy(bytes, layout);
    if (wmf_mem_open(api.get(), reinterpret_cast<unsigned char*>(data.data()), long(data.size())) !=
        wmf_E_None)
        return failure(libraryError(api->err));
    wmfD_Rect scanned{};
    if (wmf_scan(api.get(), 0, &scanned) != wmf_E_None)
        return failure(libraryError(api->err));

    const QSize size = pageSize(layout, scanned);
    if (size.isEmpty())
        return failure(QStringLiteral("WMF picture has no size"));
    QImage image = newPicture(size, QImage::Format_RGB32);
    if (image.isNull())
        return failure(QStringLiteral("not enough memory for the WMF picture"));
    image.fill(Qt::white);

    QDeadlineTimer deadline(kPlayMilliseconds);
    wmf_status_function(api.get(), &deadline, playStatus);
    device.begin(&image, QRectF(QPointF(scanned.TL.x, scanned.TL.y), QPointF(scanned.BR.x, scanned.BR.y)));
    const wmf_error_t played = wmf_play(api.get(), 0, &scanned);
    device.end();
    if (played != wmf_E_None)
        return failure(libraryError(played));
    return DecodedPicture{image, QString()};
}

} // namespace ruvo
