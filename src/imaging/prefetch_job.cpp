#include "imaging/prefetch_job.h"

#include "platform/background_priority.h"

namespace ruvo {

PrefetchJob::PrefetchJob(const PictureDecoder& decoder, const PrefetchRequest& request,
                         std::function<void()> finished)
    : m_decoder(&decoder), m_request(request), m_finished(std::move(finished))
{
    m_picture.start();
    m_scaled.start();
}

PrefetchJob::PrefetchJob(const QImage& picture, const PrefetchRequest& request,
                         std::function<void()> finished)
    : m_source(picture), m_request(request), m_finished(std::move(finished))
{
    m_picture.start();
    m_scaled.start();
}

void PrefetchJob::run(QThreadPool* scaleIn)
{
    int expected = Queued;
    if (!m_state.compare_exchange_strong(expected, Started))
        return;
    DecodedPicture decoded = m_decoder ? m_decoder->decode(m_request.path) : DecodedPicture{m_source, {}};
    const QImage source = decoded.image;
    m_picture.addResult(std::move(decoded));
    m_picture.finish();
    if (scaleIn && m_request.scaledSize && !source.isNull())
        scaleIn->start([self = shared_from_this(), source] {
            lowerThisThreadPriority();
            self->scale(source);
        });
    else
        scale(source);
}

void PrefetchJob::scale(const QImage& source)
{
    const QSize size =
        m_request.scaledSize && !source.isNull() ? m_request.scaledSize(source.size()) : QSize();
    if (!size.isEmpty()) {
        QImage image = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(m_request.devicePixelRatio);
        m_scaled.addResult(ScaledPicture{source.cacheKey(), std::move(image)});
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
