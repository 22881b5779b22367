#include "imaging/prefetching_picture_decoder.h"

#include "platform/native_file.h"

#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace ruvo {

PrefetchingPictureDecoder::PrefetchingPictureDecoder(const PictureDecoder& inner) : m_inner(inner)
{
    // Two pages make a spread: decode both at once, one per core.
    m_pool.setMaxThreadCount(2);
}

PrefetchingPictureDecoder::~PrefetchingPictureDecoder()
{
    m_pool.waitForDone();
}

PrefetchingPictureDecoder::Stamp PrefetchingPictureDecoder::stampOf(const QString& path)
{
    const std::optional<struct stat> info = statusOf(path);
    if (!info)
        return {};
    return {qint64(info->st_size), qint64(info->st_mtim.tv_sec) * 1'000'000'000 + info->st_mtim.tv_nsec};
}

DecodedPicture PrefetchingPictureDecoder::decode(const QString& path) const
{
    const Stamp stamp = stampOf(path);
    QFuture<DecodedPicture> result;
    {
        QMutexLocker lock(&m_mutex);
        auto it = m_entries.find(path);
        if (it != m_entries.end() && it->stamp == stamp) {
            it->lastUse = ++m_uses;
            result = it->result;
        }
    }
    if (result.isValid())
        return result.result();

    DecodedPicture decoded = m_inner.decode(path);
    QMutexLocker lock(&m_mutex);
    m_entries.insert(path, Entry{stamp, QtFuture::makeReadyFuture(decoded), ++m_uses});
    evict(path);
    return decoded;
}

void PrefetchingPictureDecoder::prefetch(const QStringList& paths)
{
    for (const QString& path : paths) {
        const Stamp stamp = stampOf(path);
        QMutexLocker lock(&m_mutex);
        const auto it = m_entries.constFind(path);
        if (it != m_entries.cend() && it->stamp == stamp)
            continue;
        const PictureDecoder& inner = m_inner;
        QFuture<DecodedPicture> future =
            QtConcurrent::run(&m_pool, [&inner, path] { return inner.decode(path); });
        // Prefetched pictures count as used now, after what is on screen.
        m_entries.insert(path, Entry{stamp, future, ++m_uses});
        evict(path);
    }
}

void PrefetchingPictureDecoder::waitForPrefetches() const
{
    m_pool.waitForDone();
}

void PrefetchingPictureDecoder::evict(const QString& keep) const
{
    // Least recently used first; a picture still being decoded stays (its
    // worker holds no lock, and it is about to be wanted).
    const auto bytesOf = [](const Entry& entry) {
        return entry.result.isFinished() ? entry.result.result().image.sizeInBytes() : 0;
    };
    for (;;) {
        qint64 bytes = 0;
        for (const Entry& entry : std::as_const(m_entries))
            bytes += bytesOf(entry);
        if (m_entries.size() <= maximumEntries && bytes <= byteBudget)
            return;
        auto oldest = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it.key() == keep || !it->result.isFinished())
                continue;
            if (oldest == m_entries.end() || it->lastUse < oldest->lastUse)
                oldest = it;
        }
        if (oldest == m_entries.end())
            return;
        m_entries.erase(oldest);
    }
}

} // namespace ruvo
