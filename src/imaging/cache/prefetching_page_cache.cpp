#include "imaging/cache/prefetching_page_cache.h"

#include "imaging/scaling/smooth_scaling.h"
#include "platform/background_priority.h"

#include <QObject>
#include <QSet>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace ruvo {

namespace {

template <typename T> bool hasResult(const QFuture<T>& future)
{
    return future.isFinished() && future.resultCount() > 0;
}

// Whether a picture decoded earlier has the pixels the request wants drawn.
bool serves(const DecodedPicture& picture, const PrefetchRequest& request)
{
    return picture.serves(request.drawnSize(picture.pictureSize()));
}

} // namespace

PrefetchingPageCache::PrefetchingPageCache(const PictureDecoder& decoder, qint64 byteBudget)
    : m_decoder(decoder), m_byteBudget(byteBudget)
{
    // Two pages make a spread: prepare both at once, one per core.
    m_pool.setMaxThreadCount(2);
    m_spare.setMaxThreadCount(1);
    m_spare.setExpiryTimeout(-1);
    m_spare.start([] {});
    m_now.setMaxThreadCount(2);
    m_now.setExpiryTimeout(-1);
}

PrefetchingPageCache::~PrefetchingPageCache()
{
    {
        QMutexLocker lock(&m_mutex);
        for (Entry& entry : m_entries) {
            if (entry.job)
                entry.job->cancel();
        }
    }
    m_now.waitForDone();
    m_pool.waitForDone();
    m_spare.waitForDone();
}

SpareCore PrefetchingPageCache::spareCore()
{
    return [this](std::function<void()> work) { m_spare.start(std::move(work)); };
}

QHash<QString, PrefetchingPageCache::Entry>::iterator
PrefetchingPageCache::drop(QHash<QString, Entry>::iterator entry)
{
    m_dropped.append(std::move(entry.value()));
    return m_entries.erase(entry);
}

void PrefetchingPageCache::replace(const QString& path, Entry entry)
{
    // Work the old entry had queued is of no use any more.
    const auto old = m_entries.find(path);
    if (old != m_entries.end()) {
        if (old->job)
            old->job->cancel();
        drop(old);
    }
    m_entries.insert(path, std::move(entry));
}

void PrefetchingPageCache::freeDropped()
{
    QList<Entry> dropped;
    {
        QMutexLocker lock(&m_mutex);
        dropped.swap(m_dropped);
    }
    // A page's memory goes back to the system page by page, which takes a millisecond or
    // more for a large one.
    if (!dropped.isEmpty())
        m_spare.start([dropped = std::move(dropped)] { Q_UNUSED(dropped); });
}

qint64 PrefetchingPageCache::bytesOf(const Entry& entry)
{
    qint64 bytes = 0;
    qint64 pictureKey = 0;
    if (hasResult(entry.picture)) {
        const QImage picture = entry.picture.result().image;
        bytes += picture.sizeInBytes();
        pictureKey = picture.cacheKey();
    }
    // A picture decoded at its drawn size alone is its scaled image too.
    if (hasResult(entry.scaled) && entry.scaled.result().image.cacheKey() != pictureKey)
        bytes += entry.scaled.result().image.sizeInBytes();
    return bytes;
}

DecodedPicture PrefetchingPageCache::take(const PrefetchRequest& request, const QList<PrefetchRequest>& next)
{
    // Pages that nothing prepared are decoded side by side, one per core: those that follow
    // beside this one, which is decoded here.
    if (!next.isEmpty() && !isReady(request.page)) {
        bool nextReady = false;
        for (const PrefetchRequest& page : next)
            nextReady = nextReady || isReady(page.page);
        if (!nextReady) {
            for (const PrefetchRequest& page : next)
                decodeBeside(page);
        }
    }
    const QString& path = request.page.path();
    const FileStamp stamp = m_decoder.stampOf(request.page);
    std::shared_ptr<PrefetchJob> job;
    QFuture<DecodedPicture> picture;
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_entries.find(path);
        m_lastAsked = path;
        if (it != m_entries.end() && it->stamp == stamp) {
            it->lastUse = ++m_uses;
            job = it->job;
            picture = it->picture;
        }
    }
    // A page no worker has started yet is decoded here; its scaling stays with the workers.
    if (job && !picture.isFinished())
        job->run(&m_pool, spareCore());
    if (picture.isValid()) {
        picture.waitForFinished();
        // A job cancelled between finding it and running it leaves no picture; one decoded
        // at a smaller size than now wanted is decoded again.
        if (picture.resultCount() > 0) {
            const DecodedPicture prepared = picture.result();
            if (serves(prepared, request))
                return prepared;
        }
    }

    DecodedPicture decoded = m_decoder.decode(request.page, spareCore(), request.scaledSize);
    const QImage scaledOnTheWay = takeScaled(decoded, request.devicePixelRatio);
    Entry entry{stamp, nullptr, QtFuture::makeReadyFuture(decoded), QFuture<ScaledPicture>(), {}, 0};
    if (!scaledOnTheWay.isNull()) {
        entry.scaled = QtFuture::makeReadyFuture(ScaledPicture{decoded.image.cacheKey(), scaledOnTheWay});
        entry.scaledSizeOf = request.scaledSize;
    }
    {
        QMutexLocker lock(&m_mutex);
        entry.lastUse = ++m_uses;
        replace(path, std::move(entry));
        evict();
    }
    freeDropped();
    return decoded;
}

std::function<void()> PrefetchingPageCache::trimWhenDone()
{
    // What a job made counts against the budget as soon as it is there. The thread that
    // finished the job frees what that lets go of.
    return [this] {
        QList<Entry> dropped;
        QMutexLocker lock(&m_mutex);
        evict();
        dropped.swap(m_dropped);
        lock.unlock();
    };
}

void PrefetchingPageCache::start(const std::shared_ptr<PrefetchJob>& job)
{
    m_pool.start([job] {
        lowerThisThreadPriority();
        job->run();
    });
}

void PrefetchingPageCache::startScaling(Entry& entry, const PrefetchRequest& request)
{
    const DecodedPicture picture = entry.picture.result();
    const QSize wanted = picture.image.isNull() ? QSize() : request.drawnSize(picture.pictureSize());
    const QSize prepared =
        entry.scaledSizeOf && !picture.image.isNull() ? entry.scaledSizeOf(picture.pictureSize()) : QSize();
    if (wanted.isEmpty() || wanted == prepared)
        return;
    if (entry.job)
        entry.job->cancel();
    PrefetchRequest scaling(
        request.page, [wanted](QSize) { return wanted; }, request.devicePixelRatio);
    entry.job = std::make_shared<PrefetchJob>(picture, scaling, trimWhenDone());
    entry.scaled = entry.job->scaled();
    entry.scaledSizeOf = scaling.scaledSize;
    start(entry.job);
}

void PrefetchingPageCache::dropUnwanted(const QList<PrefetchRequest>& requests)
{
    QSet<QString> wanted;
    for (const PrefetchRequest& request : requests)
        wanted.insert(request.page.path());
    // Pages on screen are held by the window, not here: beside the pages asked for, the cache
    // keeps only the one most recently asked for, and whatever is being prepared.
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const bool unwanted = !wanted.contains(it.key()) && it.key() != m_lastAsked;
        const bool queuedOnly = it->job && !it->picture.isFinished();
        if (unwanted && (queuedOnly ? it->job->cancel() : it->picture.isFinished()))
            it = drop(it);
        else
            ++it;
    }
}

void PrefetchingPageCache::prefetch(const QList<PrefetchRequest>& requests)
{
    QList<FileStamp> stamps;
    for (const PrefetchRequest& request : requests)
        stamps.append(m_decoder.stampOf(request.page));

    QMutexLocker lock(&m_mutex);
    dropUnwanted(requests);
    for (qsizetype i = 0; i < requests.size(); ++i) {
        const PrefetchRequest& request = requests.at(i);
        const auto it = m_entries.find(request.page.path());
        if (it != m_entries.end()) {
            const bool current = it->stamp == stamps.at(i);
            // Decoded already, with the pixels wanted: only the scaled image may still be
            // wanted, or wanted at another size.
            if (current && hasResult(it->picture) && serves(it->picture.result(), request)) {
                startScaling(*it, request);
                continue;
            }
            // A page still queued is asked for again as it will now be drawn; one being
            // decoded is left to finish.
            const bool cancelled = it->job && it->job->cancel();
            if (current && !cancelled && !it->picture.isFinished())
                continue;
        }
        auto job = std::make_shared<PrefetchJob>(m_decoder, request, trimWhenDone());
        // Pages prefetched count as used now, after what is on screen.
        replace(request.page.path(),
                Entry{stamps.at(i), job, job->picture(), job->scaled(), request.scaledSize, ++m_uses});
        start(job);
    }
    evict();
    lock.unlock();
    freeDropped();
}

void PrefetchingPageCache::decodeBeside(const PrefetchRequest& request)
{
    const FileStamp stamp = m_decoder.stampOf(request.page);
    QMutexLocker lock(&m_mutex);
    const auto it = m_entries.find(request.page.path());
    // Decoded, or being decoded: nothing to hurry.
    if (it != m_entries.end() && it->stamp == stamp && (!it->job || !it->job->cancel()))
        return;
    auto job = std::make_shared<PrefetchJob>(m_decoder, request, trimWhenDone());
    replace(request.page.path(),
            Entry{stamp, job, job->picture(), job->scaled(), request.scaledSize, ++m_uses});
    m_spare.start([job] { job->run(); });
    evict();
    lock.unlock();
    freeDropped();
}

bool PrefetchingPageCache::isReady(const PageRef& page) const
{
    const FileStamp stamp = m_decoder.stampOf(page);
    QMutexLocker lock(&m_mutex);
    const auto it = m_entries.constFind(page.path());
    return it != m_entries.cend() && it->stamp == stamp && hasResult(it->picture);
}

bool PrefetchingPageCache::takeLater(const PrefetchRequest& request, QObject* context,
                                     std::function<void()> ready)
{
    const QString& path = request.page.path();
    const FileStamp stamp = m_decoder.stampOf(request.page);
    std::shared_ptr<PrefetchJob> job;
    QFuture<ScaledPicture> done;
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_entries.find(path);
        if (it != m_entries.end() && it->stamp == stamp) {
            if (hasResult(it->picture) && serves(it->picture.result(), request))
                return false;
            // Under way, or queued: waited for, never decoded twice.
            if (it->job && !it->picture.isFinished()) {
                job = it->job;
                done = it->scaled;
            }
        }
        if (!job) {
            job = std::make_shared<PrefetchJob>(m_decoder, request, trimWhenDone());
            replace(path, Entry{stamp, job, job->picture(), job->scaled(), request.scaledSize, ++m_uses});
            evict();
            done = job->scaled();
        }
    }
    freeDropped();
    // A job a worker has started goes on there; one still queued is done here, now.
    m_now.start([job, spare = spareCore()] { job->run(nullptr, spare); });
    // The scaled image comes last, after the picture, even when there is none to make.
    done.then(context, [ready = std::move(ready)](QFuture<ScaledPicture>) { ready(); });
    return true;
}

QImage PrefetchingPageCache::preparedScaling(const QImage& picture, QSize size)
{
    if (picture.isNull())
        return {};
    QFuture<ScaledPicture> scaled;
    std::shared_ptr<PrefetchJob> job;
    {
        QMutexLocker lock(&m_mutex);
        for (Entry& entry : m_entries) {
            if (!hasResult(entry.picture) || entry.picture.result().image.cacheKey() != picture.cacheKey())
                continue;
            // A scaling still under way for this size is waited for rather than done twice.
            const bool wanted = hasResult(entry.scaled)
                                    ? entry.scaled.result().image.size() == size
                                    : !entry.scaled.isFinished() && entry.scaledSizeOf &&
                                          entry.scaledSizeOf(entry.picture.result().pictureSize()) == size;
            if (wanted) {
                entry.lastUse = ++m_uses;
                scaled = entry.scaled;
                job = entry.job;
                break;
            }
        }
    }
    if (!scaled.isValid())
        return {};
    // Scaling no worker has taken up yet is done here, not after the work queued before it.
    if (job && !scaled.isFinished())
        job->scaleHere();
    scaled.waitForFinished();
    if (scaled.resultCount() == 0)
        return {};
    const ScaledPicture result = scaled.result();
    return result.sourceKey == picture.cacheKey() && result.image.size() == size ? result.image : QImage();
}

QList<QImage> PrefetchingPageCache::scaled(const QList<PictureToScale>& pictures)
{
    QList<QImage> images;
    QList<qsizetype> toScale;
    for (const PictureToScale& wanted : pictures) {
        images.append(preparedScaling(wanted.picture, wanted.size));
        if (images.last().isNull() && !wanted.picture.isNull())
            toScale.append(images.size() - 1);
    }
    QList<QFuture<QImage>> beside;
    for (qsizetype i = 0; i + 1 < toScale.size(); ++i) {
        const PictureToScale wanted = pictures.at(toScale.at(i));
        beside.append(
            QtConcurrent::run(&m_spare, [wanted] { return smoothScaled(wanted.picture, wanted.size); }));
    }
    if (!toScale.isEmpty())
        images[toScale.last()] =
            smoothScaled(pictures.at(toScale.last()).picture, pictures.at(toScale.last()).size);
    for (qsizetype i = 0; i < beside.size(); ++i)
        images[toScale.at(i)] = beside.at(i).result();
    return images;
}

void PrefetchingPageCache::waitForPrefetches()
{
    // None queues work for one before it.
    m_now.waitForDone();
    m_spare.waitForDone();
    m_pool.waitForDone();
}

qint64 PrefetchingPageCache::bytesHeld() const
{
    QMutexLocker lock(&m_mutex);
    qint64 bytes = 0;
    for (const Entry& entry : std::as_const(m_entries))
        bytes += bytesOf(entry);
    return bytes;
}

void PrefetchingPageCache::evict()
{
    // Least recently used first; a page still being prepared stays (its worker holds
    // no lock, and it is about to be wanted).
    for (;;) {
        qint64 bytes = 0;
        for (const Entry& entry : std::as_const(m_entries))
            bytes += bytesOf(entry);
        if (m_entries.size() <= maximumEntries && bytes <= m_byteBudget)
            return;
        auto oldest = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it.key() == m_lastAsked || !it->picture.isFinished())
                continue;
            if (oldest == m_entries.end() || it->lastUse < oldest->lastUse)
                oldest = it;
        }
        if (oldest == m_entries.end())
            return;
        drop(oldest);
    }
}

} // namespace ruvo
