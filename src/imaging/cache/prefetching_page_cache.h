#pragma once

#include "imaging/cache/prefetch_job.h"
#include "imaging/page_cache.h"
#include "imaging/picture_decoder.h"
#include "platform/file_stamp.h"

#include <QFuture>
#include <QHash>
#include <QMutex>
#include <QThreadPool>
#include <memory>

namespace ruvo {

// Keeps the pages around the one on screen prepared ahead of time on worker threads, so
// that turning a page finds them ready: decoded, and scaled to the size they will be drawn
// at when they are drawn stretched. A file that changed since it was decoded is decoded
// again.
//
// A page wanted at once that nothing has prepared is decoded by the caller, which shares the
// work with a spare core of normal priority (the workers that prepare ahead run at a lower
// one). Pictures the cache lets go of are freed there too, not on the caller's thread.
//
// What it holds: the pages the latest prefetch asked for, the page most recently asked for,
// and the pages still being prepared; a prefetch lets go of every other page, and of the
// work queued for it. Within that, at most maximumEntries pages are kept, and the pictures
// and scaled images together (a picture decoded at its drawn size alone counted once) hold
// at most the byte budget beyond the page most recently asked for and the work still
// running (at most two pages at a time, one per worker). The pages on screen are held by
// the window as long as they are shown, whether the cache keeps them or not.
class PrefetchingPageCache : public PageCache
{
public:
    static constexpr int maximumEntries = 8;
    static constexpr qint64 defaultByteBudget = qint64(768) * 1024 * 1024;

    explicit PrefetchingPageCache(const PictureDecoder& decoder, qint64 byteBudget = defaultByteBudget);
    ~PrefetchingPageCache() override;

    void prefetch(const QList<PrefetchRequest>& pages) override;
    // A page being prepared is waited for (or, when no worker has started it yet, prepared
    // here), never decoded twice; one decoded here is scaled on the way as the request asks.
    DecodedPicture take(const PrefetchRequest& page, const QList<PrefetchRequest>& next) override;
    bool isReady(const PageRef& page) const override;
    // The page is decoded on a thread of the reader's priority, one of two, so that the two
    // pages of a spread come side by side; a page the workers have queued is taken from them.
    bool takeLater(const PrefetchRequest& page, QObject* context, std::function<void()> ready) override;
    // Pictures not prepared ahead are scaled now: all but the last on the spare core, the last
    // here, side by side.
    QList<QImage> scaled(const QList<PictureToScale>& pictures) override;
    // The picture smoothly scaled to size (device pixels), when it was prepared ahead;
    // otherwise a null image.
    QImage preparedScaling(const QImage& picture, QSize size);

    // Waits until every prefetch, every page waited for and everything on the spare core has
    // finished (for tests and shutdown).
    void waitForPrefetches();
    // The bytes the kept pictures and scaled images hold now.
    qint64 bytesHeld() const;

private:
    struct Entry
    {
        FileStamp stamp;
        // The latest work for the page; null when it was decoded on the spot.
        std::shared_ptr<PrefetchJob> job;
        QFuture<DecodedPicture> picture;
        QFuture<ScaledPicture> scaled;
        // The size the scaled image is made at, from the picture's size.
        std::function<QSize(QSize)> scaledSizeOf;
        quint64 lastUse = 0;
    };

    static qint64 bytesOf(const Entry& entry);
    void start(const std::shared_ptr<PrefetchJob>& job);
    void startScaling(Entry& entry, const PrefetchRequest& request);
    // Starts decoding the page on the spare core, unless it is decoded or being decoded.
    void decodeBeside(const PrefetchRequest& page);
    void dropUnwanted(const QList<PrefetchRequest>& requests);
    void evict();
    // Lets go of an entry, to be freed by freeDropped(); the entry after it.
    QHash<QString, Entry>::iterator drop(QHash<QString, Entry>::iterator entry);
    void replace(const QString& path, Entry entry);
    std::function<void()> trimWhenDone();
    SpareCore spareCore();
    // Frees the pictures let go of since the last call on the spare core; called without the lock.
    void freeDropped();

    const PictureDecoder& m_decoder;
    const qint64 m_byteBudget;
    QThreadPool m_pool;
    // One thread, made by the thread that builds the cache and so of its priority, and kept:
    // a thread's lowered priority cannot be raised again.
    QThreadPool m_spare;
    // The pages wanted on screen and waited for; threads made by the reader's thread, as
    // the spare core's.
    QThreadPool m_now;
    mutable QMutex m_mutex;
    QHash<QString, Entry> m_entries;
    // Let go of and not yet freed.
    QList<Entry> m_dropped;
    quint64 m_uses = 0;
    // The page most recently asked for stays, whatever it costs.
    QString m_lastAsked;
};

} // namespace ruvo
