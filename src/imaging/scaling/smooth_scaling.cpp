#include "imaging/scaling/smooth_scaling.h"

#include "imaging/scaling/area_scaler.h"
#include "imaging/scaling/row_claims.h"
#include "imaging/scaling/scaling_band.h"

#include <QColorSpace>
#include <QSemaphore>
#include <memory>
#include <new>

namespace ruvo {

namespace {

// Sharing pays once a picture keeps the spare core busy for a while.
constexpr qint64 kSmallestSharedPixels = 512 * 512;
// The caller claims its rows this many at a time.
constexpr int kRowsClaimedTogether = 32;

// The lower rows of a picture, scaled on the spare core from wherever it takes them.
class SpareRows
{
public:
    SpareRows(const QImage& picture, std::shared_ptr<const AreaScaler> scaler, uchar* targetBits,
              qsizetype targetBytesPerLine)
        : m_picture(picture), m_scaler(std::move(scaler)),
          m_band(*m_scaler, targetBits, targetBytesPerLine, picture.height()),
          m_claims(picture.height(), kRowsClaimedTogether)
    {
    }

    // On the spare core. Scaled rows cost the same wherever they lie: each side takes half
    // of what is left.
    void run()
    {
        const int height = m_claims.height();
        const int from = m_claims.take([height](int claimed) { return claimed + (height - claimed) / 2; });
        if (from >= height)
            return;
        m_band.restartAt(from);
        m_band.addRows(m_picture.constScanLine(from), m_picture.bytesPerLine(), height - from);
        m_done.release();
    }

    RowClaims& claims() { return m_claims; }

    // After the claims were closed with rows taken: the spare core's band, once it is done.
    ScalingBand& waitForBand()
    {
        m_done.acquire();
        return m_band;
    }

private:
    const QImage m_picture;
    // The scaler and the band outlive the caller should the spare core begin only after it.
    const std::shared_ptr<const AreaScaler> m_scaler;
    ScalingBand m_band;
    RowClaims m_claims;
    QSemaphore m_done;
};

} // namespace

QImage scalingTarget(const QImage& picture, QSize size)
{
    QImage target(size, AreaScaler::targetFormat(picture.format()));
    if (!target.isNull())
        target.setColorSpace(picture.colorSpace());
    return target;
}

QImage smoothScaled(const QImage& picture, QSize size, const SpareCore& spare)
{
    if (picture.size() == size && picture.format() == AreaScaler::targetFormat(picture.format()))
        return picture;
    if (!AreaScaler::handles(picture, size))
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Everything is allocated before the spare core is offered its rows; nothing after.
    try {
        QImage target = scalingTarget(picture, size);
        if (target.isNull())
            return {};
        const auto scaler = std::make_shared<const AreaScaler>(picture.size(), size, picture.format());
        uchar* const bits = target.bits();
        const qsizetype bytesPerLine = target.bytesPerLine();
        ScalingBand upper(*scaler, bits, bytesPerLine, 0);
        std::shared_ptr<SpareRows> lower;
        const int height = picture.height();
        if (spare && qint64(picture.width()) * height >= kSmallestSharedPixels) {
            lower = std::make_shared<SpareRows>(picture, scaler, bits, bytesPerLine);
            spare([lower] { lower->run(); });
        }
        const auto scaleRows = [&](int from, int end) {
            upper.addRows(picture.constScanLine(from), picture.bytesPerLine(), end - from);
            return true;
        };
        if (lower)
            lower->claims().doClaimed(scaleRows);
        else
            scaleRows(0, height);
        if (lower && lower->claims().close())
            ScalingBand::join(upper, lower->waitForBand());
        return target;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace ruvo
