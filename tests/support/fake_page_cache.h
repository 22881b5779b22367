#pragma once

#include "imaging/page_cache.h"
#include "imaging/scaling/smooth_scaling.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <utility>

namespace ruvo::test {

// Takes pages straight from the decoder, on demand, and records what it is asked: the pages taken
// and prefetched, and the pages decoded beside another.
class FakePageCache : public PageCache
{
public:
    explicit FakePageCache(const PictureDecoder& pictures) : m_pictures(pictures) {}

    DecodedPicture take(const PrefetchRequest& request, const QList<PrefetchRequest>& next) override
    {
        // As the cache does: the pages after this one go beside it when none was prepared.
        if (!next.isEmpty() && !ready.contains(request.page.path()) &&
            !ready.contains(next.first().page.path())) {
            besides.append(next.first().page.path());
            decodedBeforeBeside.append(int(drawRequests.size()));
        }
        drawRequests.append(request);
        DecodedPicture decoded = m_pictures.decode(request.page);
        const QSize own = decoded.image.size();
        const QSize drawn = request.drawnSize(own);
        if (decodesAtDrawnSize && !drawn.isEmpty() && drawn.width() * 2 <= own.width() &&
            drawn.height() * 2 <= own.height()) {
            decoded.image = decoded.image.scaled(drawn);
            decoded.size = own;
        }
        return decoded;
    }

    void prefetch(const QList<PrefetchRequest>& requests) override
    {
        QStringList paths;
        for (const PrefetchRequest& request : requests)
            paths.append(request.page.path());
        prefetched.append(paths);
        prefetchRequests = requests;
    }

    bool isReady(const PageRef& page) const override { return ready.contains(page.path()); }

    // Waits only when told to, for pages not ready, until finishLater().
    bool takeLater(const PrefetchRequest& request, QObject* context, std::function<void()> arrived) override
    {
        if (!decodesLater || ready.contains(request.page.path()))
            return false;
        waitedFor.append(request.page.path());
        m_later.append({QPointer<QObject>(context), std::move(arrived)});
        return true;
    }

    // The pages waited for are decoded: each counts as ready, and every waiter whose context
    // is still there is told, here and now.
    void finishLater()
    {
        for (const QString& path : std::as_const(waitedFor))
            ready.insert(path);
        waitedFor.clear();
        const QList<Later> later = std::exchange(m_later, {});
        for (const Later& waiter : later) {
            if (waiter.context)
                waiter.arrived();
        }
    }

    // Stands for scaling prepared ahead: with a prepared colour, every picture is prepared,
    // in that colour.
    QList<QImage> scaled(const QList<PictureToScale>& pictures) override
    {
        QList<QImage> images;
        for (const PictureToScale& wanted : pictures) {
            QImage image(wanted.size, QImage::Format_RGB32);
            image.fill(preparedColor);
            if (wanted.picture.isNull())
                images.append(QImage());
            else
                images.append(preparedColor.isValid() ? image : smoothScaled(wanted.picture, wanted.size));
        }
        return images;
    }

    // The pages taken to be drawn at once, with the sizes they were to be drawn at.
    QList<PrefetchRequest> drawRequests;
    QList<QStringList> prefetched;
    // The requests of the latest prefetch, with their stretched sizes.
    QList<PrefetchRequest> prefetchRequests;
    // The pages asked to be decoded beside the loading, and how many pages had been taken
    // when each was asked for.
    QStringList besides;
    QList<int> decodedBeforeBeside;
    QColor preparedColor;
    // Pages drawn at half their size or less are decoded at the size drawn alone, as JPEG
    // pages are.
    bool decodesAtDrawnSize = false;
    // Paths whose pictures count as decoded ahead.
    QSet<QString> ready;
    // Pages not ready are waited for, as a slow page is; and the pages waited for.
    bool decodesLater = false;
    QStringList waitedFor;

private:
    struct Later
    {
        QPointer<QObject> context;
        std::function<void()> arrived;
    };
    QList<Later> m_later;
    const PictureDecoder& m_pictures;
};

} // namespace ruvo::test
