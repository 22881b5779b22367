#pragma once

#include "imaging/page_cache.h"

#include <QFuture>
#include <QPromise>
#include <QThreadPool>
#include <atomic>
#include <memory>

namespace ruvo {

// A page picture scaled for drawing stretched, with the picture it was made from.
struct ScaledPicture
{
    qint64 sourceKey = 0;
    QImage image;
};

// Takes the image the reader scaled on the way out of decoded, with the screen's pixel ratio
// (a null image when there is none). A picture decoded at its drawn size alone is that image
// itself, and stays one image.
QImage takeScaled(DecodedPicture& decoded, qreal devicePixelRatio);

// The work of preparing one page ahead: decoding its picture (unless it is already
// decoded) and, when asked, scaling it to the size it will be drawn at. The picture is
// published as soon as it is decoded, before any scaling; a reader that scaled it on the
// way publishes both together.
//
// A job runs once: on a worker thread, or on the thread that wants its picture before a
// worker has started it, so a page is never decoded twice; its scaling, likewise, is done
// once, by a worker or by the thread that wants the scaled image first. A job cancelled before it
// starts does nothing; its futures finish without a result.
class PrefetchJob : public std::enable_shared_from_this<PrefetchJob>
{
public:
    // Decodes the page the request names, then scales it as request asks; finished is called
    // once both are done (on the thread that did the work).
    PrefetchJob(const PictureDecoder& decoder, const PrefetchRequest& request,
                std::function<void()> finished);
    // Scales a picture already decoded.
    PrefetchJob(const DecodedPicture& picture, const PrefetchRequest& request,
                std::function<void()> finished);

    QFuture<DecodedPicture> picture() { return m_picture.future(); }
    QFuture<ScaledPicture> scaled() { return m_scaled.future(); }

    // Runs the job here and now unless it has started elsewhere or was cancelled. With
    // a pool, only the picture is made here and the scaling is left to the pool, so that a
    // caller waiting for the picture is not kept waiting for the scaling too; with a spare
    // core, the decoding may share the work with it.
    void run(QThreadPool* scaleIn = nullptr, const SpareCore& spare = {});
    // Scales the decoded picture here and now unless that has started elsewhere; only
    // once the picture is there.
    void scaleHere();
    // Keeps a job that has not started from ever starting; false when it has started.
    bool cancel();

private:
    // The scaled image (null when there is none), and the job is done.
    void publishScaled(QImage image);

    enum State
    {
        Queued,
        Started
    };

    const PictureDecoder* m_decoder = nullptr;
    QImage m_source;
    // The picture's own size, which the source may hold smaller.
    QSize m_sourceSize;
    PrefetchRequest m_request;
    std::function<void()> m_finished;
    QPromise<DecodedPicture> m_picture;
    QPromise<ScaledPicture> m_scaled;
    std::atomic<int> m_state{Queued};
    std::atomic<bool> m_scalingTaken{false};
};

} // namespace ruvo
