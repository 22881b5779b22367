#pragma once

#include "imaging/picture_decoder.h"

#include <QFuture>
#include <QHash>
#include <QMutex>
#include <QThreadPool>

namespace ruvo {

// Keeps the pictures of the pages around the one on screen decoded ahead of
// time on worker threads, so that turning a page finds them ready. A file that
// changed since it was decoded is decoded again.
class PrefetchingPictureDecoder : public PictureDecoder
{
public:
    // The cache holds at most this many pictures and, beyond the ones most
    // recently asked for, this many bytes.
    static constexpr int maximumEntries = 8;
    static constexpr qint64 byteBudget = qint64(768) * 1024 * 1024;

    explicit PrefetchingPictureDecoder(const PictureDecoder& inner);
    ~PrefetchingPictureDecoder() override;

    DecodedPicture decode(const QString& path) const override;
    void prefetch(const QStringList& paths) override;

    // Waits until every prefetch has finished (for tests and shutdown).
    void waitForPrefetches() const;

private:
    struct Stamp
    {
        qint64 size = -1;
        // Nanoseconds since the epoch.
        qint64 modified = 0;
        bool operator==(const Stamp& other) const = default;
    };
    struct Entry
    {
        Stamp stamp;
        QFuture<DecodedPicture> result;
        quint64 lastUse = 0;
    };

    static Stamp stampOf(const QString& path);
    void evict(const QString& keep) const;

    const PictureDecoder& m_inner;
    mutable QThreadPool m_pool;
    mutable QMutex m_mutex;
    mutable QHash<QString, Entry> m_entries;
    mutable quint64 m_uses = 0;
};

} // namespace ruvo
