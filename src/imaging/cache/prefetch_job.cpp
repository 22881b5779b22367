#include "imaging/cache/prefetch_job.h"

#include "imaging/scaling/smooth_scaling.h"
#include "platform/background_priority.h"

#include <utility>

namespace ruvo {

QImage takeScaled(DecodedPicture& decoded, qreal devicePixelRatio)
{
    QImage scaled = std::exchange(decoded.scaled, QImage());
    if (decoded.isReduced() && scaled.cacheKey() == decoded.image.cacheKey()) {
        // Let go of first: a shared image would be copied to take the ratio.
        scaled = QImage();
        decoded.image.setDevicePixelRatio(devicePixelRatio);
        return decoded.image;
    }
    if (!scaled.isNull())
        scaled.setDevicePixelRatio(devicePixelRatio);
    return scaled;
}

PrefetchJob::PrefetchJob(const PictureDecoder& decoder, const PrefetchRequest& request,
                         std::function<void()> finished)
    : m_decoder(&decoder), m_request(request), m_finished(std::move(finished))
{
    m_picture.start();
    m_scaled.start();
}

PrefetchJob::PrefetchJob(const DecodedPicture& picture, const PrefetchRequest& request,
                         std::function<void()> finished)
    : m_source(picture.image), m_sourceSize(picture.pictureSize()), m_request(request),
      m_finished(std::move(finished))
{
    m_picture.start();
    m_scaled.start();
}

void PrefetchJob::run(QThreadPool* scaleIn, const SpareCore& spare)
{
    int expected = Queued;
    if (!m_state.compare_exchange_strong(expected, Started))
        return;
    QImage scaledOnTheWay;
    if (m_decoder) {
        DecodedPicture decoded = m_decoder->decode(m_request.page, spare, m_request.scaledSize);
        scaledOnTheWay = takeScaled(decoded, m_request.devicePixelRatio);
        // Set before the picture is published: whoever sees the picture may scale it.
        m_source = decoded.image;
        m_sourceSize = decoded.pictureSize();
        m_picture.addResult(std::move(decoded));
    } else {
        m_picture.addResult(DecodedPicture{m_source, {}, {}, m_sourceSize});
    }
    // Scaled on the way: taken before the picture is published, so that whoever waits for the
    // scaled image waits for this one rather than scaling the picture again.
    const bool scaledAlready = !scaledOnTheWay.isNull() && !m_scalingTaken.exchange(true);
    m_picture.finish();
    if (scaledAlready) {
        publishScaled(std::move(scaledOnTheWay));
        return;
    }
    if (scaleIn && m_request.scaledSize && !m_source.isNull())
        // Ahead of the queue: the page is on its way to the screen.
        scaleIn->start(
            [self = shared_from_this()] {
                lowerThisThreadPriority();
                self->scaleHere();
            },
            1);
    else
        scaleHere();
}

void PrefetchJob::scaleHere()
{
    if (m_scalingTaken.exchange(true))
        return;
    const QSize size = m_source.isNull() ? QSize() : m_request.drawnSize(m_sourceSize);
    publishScaled(size.isEmpty() ? QImage() : smoothScaled(m_source, size));
}

void PrefetchJob::publishScaled(QImage image)
{
    if (!image.isNull()) {
        image.setDevicePixelRatio(m_request.devicePixelRatio);
        m_scaled.addResult(ScaledPicture{m_source.cacheKey(), std::move(image)});
    }
    m_scaled.finish();
    if (m_finished)
        m_finished();
}

bool PrefetchJob::cancel()
{
    int expected = Queued;
    if (!m_state.compare_exchange_strong(expected, Started))
        return false;
    m_picture.finish();
    m_scaled.finish();
    return true;
}

} // namespace ruvo
