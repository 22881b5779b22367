#include "imaging/cache/prefetching_page_cache.h"
#include "imaging/file_picture_decoder.h"
#include "imaging/scaling/smooth_scaling.h"

#include <QBuffer>
#include <QFile>
#include <QMutex>
#include <QSemaphore>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace ruvo;

namespace {

// Counts the decodes of each path, from whichever thread they come.
class CountingDecoder : public PictureDecoder
{
public:
    using PictureDecoder::decode;
    DecodedPicture decode(const PageRef& page, const SpareCore&, const ScaledSizeOf&) const override
    {
        const QString& path = page.path();
        QMutexLocker lock(&mutex);
        counts[path] += 1;
        if (QThread::currentThread() != mainThread) {
            ++onWorkers;
            workerNice = ::getpriority(PRIO_PROCESS, ::gettid());
        }
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(QColor::fromRgb(qHash(path) & 0xFFFFFF));
        return {image, {}};
    }
    int count(const PageRef& page) const
    {
        QMutexLocker lock(&mutex);
        return counts.value(page.path());
    }

    mutable QMutex mutex;
    mutable QHash<QString, int> counts;
    mutable int onWorkers = 0;
    mutable int workerNice = 0;
    QThread* mainThread = QThread::currentThread();
};

// Hands a piece of work to the spare core whenever it may, and runs it there.
class SharingDecoder : public CountingDecoder
{
public:
    using PictureDecoder::decode;
    DecodedPicture decode(const PageRef& page, const SpareCore& spare, const ScaledSizeOf&) const override
    {
        if (spare) {
            QSemaphore done;
            spare([this, &done] {
                QMutexLocker lock(&mutex);
                spareThreads.insert(QThread::currentThread());
                spareNice = ::getpriority(PRIO_PROCESS, ::gettid());
                done.release();
            });
            done.acquire();
            QMutexLocker lock(&mutex);
            ++shared;
        }
        return CountingDecoder::decode(page, {}, {});
    }

    mutable int shared = 0;
    mutable QSet<QThread*> spareThreads;
    mutable int spareNice = 0;
};

// Holds every decode on a worker until released, so that a test knows which work has
// started and which is still queued.
class GatedDecoder : public CountingDecoder
{
public:
    using PictureDecoder::decode;
    DecodedPicture decode(const PageRef& page, const SpareCore&, const ScaledSizeOf&) const override
    {
        if (QThread::currentThread() != mainThread) {
            started.release();
            gate.acquire();
            gate.release();
        }
        return CountingDecoder::decode(page, {}, {});
    }
    // Waits until this many decodes have started on workers.
    void waitForStarted(int decodes) const { started.acquire(decodes); }
    void open() const { gate.release(); }

    mutable QSemaphore gate{0};
    mutable QSemaphore started{0};
    QSize size{10, 10};
};

// Scales to half the picture's size.
QSize half(QSize picture)
{
    return picture / 2;
}

// Scales as it decodes, when asked, into an image of a colour no scaling of the picture
// would give.
class ScalingOnTheWayDecoder : public CountingDecoder
{
public:
    static constexpr QRgb marker = 0xff123456;

    using PictureDecoder::decode;
    DecodedPicture decode(const PageRef& page, const SpareCore&,
                          const ScaledSizeOf& scaledSize) const override
    {
        DecodedPicture decoded = CountingDecoder::decode(page, {}, {});
        if (scaledSize) {
            decoded.scaled = QImage(scaledSize(decoded.image.size()), QImage::Format_RGB32);
            decoded.scaled.fill(marker);
        }
        return decoded;
    }
};

// Decodes a picture wanted at half its size or less at that size alone, as the JPEG reader
// does: its own size is 100 x 100.
class ReducingDecoder : public CountingDecoder
{
public:
    static constexpr QSize own{100, 100};

    using PictureDecoder::decode;
    DecodedPicture decode(const PageRef& page, const SpareCore&,
                          const ScaledSizeOf& scaledSize) const override
    {
        CountingDecoder::decode(page, {}, {});
        const QSize drawn = scaledSize ? scaledSize(own) : QSize();
        const bool reduced =
            !drawn.isEmpty() && drawn.width() * 2 <= own.width() && drawn.height() * 2 <= own.height();
        QImage image(reduced ? drawn : own, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        return {image, {}, reduced ? image : QImage(), own};
    }
};

// A book whose pages are bitmaps held in memory, under paths no file has; a page changed
// gets a new stamp.
class BookInMemory : public PageHolder
{
public:
    class Source : public PageSource
    {
    public:
        explicit Source(QByteArray bytes) : m_bytes(std::move(bytes)) {}
        std::unique_ptr<QIODevice> open(QString*) const override
        {
            auto buffer = std::make_unique<QBuffer>();
            buffer->setData(m_bytes);
            buffer->open(QIODevice::ReadOnly);
            return buffer;
        }
        PageFormats formats() const override { return PageFormats::Basic; }

    private:
        QByteArray m_bytes;
    };

    std::unique_ptr<PageSource> sourceOf(const QString& name) const override
    {
        QMutexLocker lock(&mutex);
        ++reads;
        return std::make_unique<Source>(pages.value(name));
    }
    FileStamp stampOf(const QString& name) const override
    {
        QMutexLocker lock(&mutex);
        return FileStamp{pages.value(name).size(), changes.value(name), 0, 0};
    }
    QString pathOf(const QString& name) const override { return u"/nowhere/book.cbz/"_qs + name; }

    void put(const QString& name, QColor colour)
    {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        QMutexLocker lock(&mutex);
        pages.insert(name, bytes);
        changes[name] += 1;
    }

    mutable QMutex mutex;
    QHash<QString, QByteArray> pages;
    QHash<QString, qint64> changes;
    mutable int reads = 0;
};

// The page at its own size.
DecodedPicture taken(PrefetchingPageCache& cache, const PageRef& page)
{
    return cache.take(PrefetchRequest(page), {});
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestPrefetchingPageCache : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    PageRef page(int number)
    {
        const QString path = m_dir.path() + QStringLiteral("/p%1.jpg").arg(number);
        if (!QFile::exists(path))
            write(path, "x");
        return PageRef::file(path, PageFormats::Basic);
    }

private Q_SLOTS:
    void prefetchedPicturesAreNotDecodedAgain()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(1), page(2)});
        decoder.prefetch({page(1), page(2)});
        decoder.waitForPrefetches();
        QCOMPARE(inner.onWorkers, 2);
        QVERIFY(taken(decoder, page(1)).isValid());
        QVERIFY(taken(decoder, page(2)).isValid());
        QCOMPARE(inner.count(page(1)), 1);
        QCOMPARE(inner.count(page(2)), 1);
        QCOMPARE(taken(decoder, page(1)).image, inner.decode(page(1)).image);
    }

    // Work done ahead runs at a lower priority than the thread that draws the window.
    void workersGiveWayToTheInterface()
    {
        const int interfaceNice = ::getpriority(PRIO_PROCESS, ::gettid());
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(80)});
        decoder.waitForPrefetches();
        QCOMPARE(inner.onWorkers, 1);
        QCOMPARE(inner.workerNice, std::min(interfaceNice + 10, 19));
        QCOMPARE(::getpriority(PRIO_PROCESS, ::gettid()), interfaceNice);
    }

    // Ready means decoded and current: not while queued, not once the file changed.
    void readyOnlyOnceDecoded()
    {
        GatedDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(90)});
        inner.waitForStarted(1);
        QVERIFY(!decoder.isReady(page(90)));
        inner.open();
        decoder.waitForPrefetches();
        QVERIFY(decoder.isReady(page(90)));
        write(page(90).path(), "a longer file than before");
        QVERIFY(!decoder.isReady(page(90)));
        QVERIFY(!decoder.isReady(page(91)));
    }

    void aPictureAskedForTwiceIsDecodedOnce()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        taken(decoder, page(3));
        taken(decoder, page(3));
        QCOMPARE(inner.count(page(3)), 1);
        QCOMPARE(inner.onWorkers, 0);
    }

    void aChangedFileIsDecodedAgain()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        const PageRef path = page(4);
        taken(decoder, path);
        write(path.path(), "a longer file");
        decoder.prefetch({path});
        decoder.waitForPrefetches();
        taken(decoder, path);
        QCOMPARE(inner.count(path), 2);
    }

    void onlyTheMostRecentPicturesAreKept()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        taken(decoder, page(10));
        taken(decoder, page(9));
        QList<PrefetchRequest> later;
        for (int i = 11; i < 10 + PrefetchingPageCache::maximumEntries; ++i)
            later.append(page(i));
        decoder.prefetch(later);
        decoder.waitForPrefetches();
        // One more than the cache holds: the oldest went; the page on screen stayed.
        taken(decoder, page(10));
        QCOMPARE(inner.count(page(10)), 2);
        taken(decoder, later.last().page);
        QCOMPARE(inner.count(later.last().page), 1);
        QCOMPARE(inner.count(page(9)), 1);
    }

    // A page that will be drawn stretched is also scaled ahead, to the size it will be
    // drawn at; nothing else is taken for it.
    void stretchedPagesAreScaledAhead()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({PrefetchRequest(
                              page(20), [](QSize) { return QSize(40, 30); }, 2),
                          page(21)});
        decoder.waitForPrefetches();
        const QImage picture = taken(decoder, page(20)).image;
        const QImage scaled = decoder.preparedScaling(picture, QSize(40, 30));
        QCOMPARE(scaled.size(), QSize(40, 30));
        QCOMPARE(scaled.devicePixelRatio(), 2.0);
        QCOMPARE(scaled.pixelColor(20, 15), picture.pixelColor(5, 5));
        QVERIFY(decoder.preparedScaling(picture, QSize(41, 30)).isNull());
        QVERIFY(decoder.preparedScaling(taken(decoder, page(21)).image, QSize(40, 30)).isNull());
        QVERIFY(decoder.preparedScaling(QImage(10, 10, QImage::Format_RGB32), QSize(40, 30)).isNull());
        QCOMPARE(inner.count(page(20)), 1);
    }

    void aPageScaledOnTheWayIsNotScaledAgain()
    {
        ScalingOnTheWayDecoder inner;
        PrefetchingPageCache decoder(inner);
        const auto size = [](QSize) { return QSize(6, 4); };
        // Decoded at once for the screen, and decoded ahead.
        const QImage now = decoder.take(PrefetchRequest(page(60), size, 2), {}).image;
        decoder.prefetch({PrefetchRequest(page(61), size, 2)});
        decoder.waitForPrefetches();
        const QImage ahead = taken(decoder, page(61)).image;
        for (const QImage& picture : {now, ahead}) {
            const QImage scaled = decoder.preparedScaling(picture, QSize(6, 4));
            QCOMPARE(scaled.size(), QSize(6, 4));
            QCOMPARE(scaled.pixel(3, 2), ScalingOnTheWayDecoder::marker);
            QCOMPARE(scaled.devicePixelRatio(), 2.0);
        }
        // Without a size to draw at, nothing is scaled.
        const QImage plain = decoder.take(PrefetchRequest(page(62)), {}).image;
        QVERIFY(!plain.isNull());
        QVERIFY(decoder.preparedScaling(plain, QSize(6, 4)).isNull());
        QCOMPARE(inner.count(page(60)), 1);
        QCOMPARE(inner.count(page(61)), 1);
    }

    // A new size (the window was resized, a mode changed) is prepared again from the
    // picture already decoded; asking again for the same size does no more work.
    void aNewSizeIsScaledAgain()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({PrefetchRequest(page(22), half)});
        decoder.waitForPrefetches();
        const QImage picture = taken(decoder, page(22)).image;
        QCOMPARE(decoder.preparedScaling(picture, QSize(5, 5)).size(), QSize(5, 5));
        decoder.prefetch({PrefetchRequest(page(22), [](QSize) { return QSize(30, 20); })});
        decoder.waitForPrefetches();
        QCOMPARE(decoder.preparedScaling(picture, QSize(30, 20)).size(), QSize(30, 20));
        QVERIFY(decoder.preparedScaling(picture, QSize(5, 5)).isNull());
        const qint64 bytes = decoder.bytesHeld();
        decoder.prefetch({PrefetchRequest(page(22), [](QSize) { return QSize(30, 20); })});
        decoder.waitForPrefetches();
        QCOMPARE(decoder.bytesHeld(), bytes);
        QCOMPARE(inner.count(page(22)), 1);
    }

    void aPageDecodedSmallerServesOnlyWhatItHolds_data()
    {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("image");
        QTest::addColumn<int>("decodes");
        QTest::newRow("as prefetched") << QSize(20, 20) << QSize(20, 20) << 1;
        QTest::newRow("smaller") << QSize(15, 20) << QSize(20, 20) << 1;
        QTest::newRow("wider") << QSize(21, 20) << QSize(21, 20) << 2;
        QTest::newRow("larger, decoded whole") << QSize(60, 60) << QSize(100, 100) << 2;
        QTest::newRow("at its own size") << QSize() << QSize(100, 100) << 2;
    }

    void aPageDecodedSmallerServesOnlyWhatItHolds()
    {
        QFETCH(QSize, wanted);
        QFETCH(QSize, image);
        QFETCH(int, decodes);
        ReducingDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({PrefetchRequest(page(80), [](QSize) { return QSize(20, 20); })});
        decoder.waitForPrefetches();
        const ScaledSizeOf drawn = wanted.isEmpty() ? ScaledSizeOf() : [wanted](QSize) { return wanted; };
        const DecodedPicture picture = decoder.take(PrefetchRequest(page(80), drawn), {});
        QCOMPARE(picture.image.size(), image);
        QCOMPARE(picture.pictureSize(), ReducingDecoder::own);
        QCOMPARE(inner.count(page(80)), decodes);
        // A prefetch for the page at its own size decodes the small one again, once.
        decoder.prefetch({PrefetchRequest(page(80))});
        decoder.waitForPrefetches();
        QCOMPARE(taken(decoder, page(80)).image.size(), ReducingDecoder::own);
        QCOMPARE(inner.count(page(80)), image == ReducingDecoder::own ? decodes : decodes + 1);
    }

    // A picture decoded at its drawn size alone is its own scaled image: one image, counted
    // once, and not copied to take the screen's pixel ratio.
    void aPageDecodedSmallerIsHeldOnce()
    {
        ReducingDecoder inner;
        PrefetchingPageCache decoder(inner);
        const auto drawn = [](QSize) { return QSize(20, 30); };
        const QImage now = decoder.take(PrefetchRequest(page(81), drawn, 2), {}).image;
        decoder.prefetch({PrefetchRequest(page(81), drawn, 2), PrefetchRequest(page(82), drawn, 2)});
        decoder.waitForPrefetches();
        const QImage ahead = decoder.take(PrefetchRequest(page(82), drawn, 2), {}).image;
        for (const QImage& picture : {now, ahead}) {
            QCOMPARE(picture.size(), QSize(20, 30));
            QCOMPARE(picture.devicePixelRatio(), 2.0);
            const QImage scaled = decoder.preparedScaling(picture, QSize(20, 30));
            QCOMPARE(scaled.constBits(), picture.constBits());
        }
        QCOMPARE(decoder.bytesHeld(), 2 * now.sizeInBytes());
        QCOMPARE(inner.count(page(81)), 1);
    }

    // Pages the reader has passed are not decoded once a later prefetch no longer asks
    // for them; the pages being decoded finish.
    void passedPagesAreDropped()
    {
        GatedDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(30), page(31), page(32), page(33)});
        inner.waitForStarted(2);
        decoder.prefetch({page(34)});
        inner.open();
        decoder.waitForPrefetches();
        QCOMPARE(inner.count(page(30)) + inner.count(page(31)), 2);
        QCOMPARE(inner.count(page(32)), 0);
        QCOMPARE(inner.count(page(33)), 0);
        QCOMPARE(inner.count(page(34)), 1);
    }

    // Pictures to be drawn stretched come back in order: those prepared ahead as they are,
    // the others scaled there and then.
    void picturesNotPreparedAreScaledThen()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({PrefetchRequest(page(95), [](QSize) { return QSize(40, 30); })});
        decoder.waitForPrefetches();
        const QImage prepared = taken(decoder, page(95)).image;
        QImage first(30, 20, QImage::Format_RGB32);
        first.fill(Qt::darkRed);
        QImage last(50, 10, QImage::Format_RGB32);
        last.fill(Qt::darkBlue);
        const QList<QImage> images = decoder.scaled({{first, QSize(15, 10)},
                                                     {prepared, QSize(40, 30)},
                                                     {last, QSize(5, 5)},
                                                     {QImage(), QSize(4, 4)}});
        QCOMPARE(images.size(), 4);
        QCOMPARE(images.at(0), smoothScaled(first, QSize(15, 10)));
        QCOMPARE(images.at(1).constBits(), decoder.preparedScaling(prepared, QSize(40, 30)).constBits());
        QCOMPARE(images.at(2), smoothScaled(last, QSize(5, 5)));
        QVERIFY(images.at(3).isNull());
    }

    // Pages decoded ahead that a later prefetch no longer names are let go of at once; the
    // page most recently asked for stays.
    void pagesNoLongerNamedAreLetGo()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        taken(decoder, page(90));
        decoder.prefetch({page(91), page(92)});
        decoder.waitForPrefetches();
        decoder.prefetch({page(92), page(93)});
        decoder.waitForPrefetches();
        const qint64 picture = QImage(10, 10, QImage::Format_RGB32).sizeInBytes();
        QCOMPARE(decoder.bytesHeld(), 3 * picture);
        for (const int kept : {90, 92, 93}) {
            QVERIFY(decoder.isReady(page(kept)));
            taken(decoder, page(kept));
            QCOMPARE(inner.count(page(kept)), 1);
        }
        QVERIFY(!decoder.isReady(page(91)));
    }

    // A page asked for before any worker took it up is decoded at once by the caller,
    // not after the work queued before it, and not a second time by a worker.
    void aQueuedPageIsDecodedByTheCaller()
    {
        GatedDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(40), page(41), page(42)});
        inner.waitForStarted(2);
        QVERIFY(taken(decoder, page(42)).isValid());
        QCOMPARE(inner.count(page(42)), 1);
        inner.open();
        decoder.waitForPrefetches();
        QCOMPARE(inner.count(page(42)), 1);
        QCOMPARE(inner.onWorkers, 2);
    }

    // The scaled image of a page decoded by its caller is made by whoever wants it first:
    // with both workers busy, the window scales it itself rather than wait for them.
    void aScalingNoWorkerTookIsDoneByTheCaller()
    {
        GatedDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(44), page(45), PrefetchRequest(page(46), half)});
        inner.waitForStarted(2);
        const QImage picture = taken(decoder, page(46)).image;
        QCOMPARE(decoder.preparedScaling(picture, QSize(5, 5)).size(), QSize(5, 5));
        inner.open();
        decoder.waitForPrefetches();
        QCOMPARE(inner.count(page(46)), 1);
    }

    // A page asked for while a worker decodes it is waited for, not decoded twice.
    void aPageBeingDecodedIsWaitedFor()
    {
        GatedDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(50)});
        inner.waitForStarted(1);
        DecodedPicture seen;
        std::thread reader([&] { seen = taken(decoder, page(50)); });
        inner.open();
        reader.join();
        QVERIFY(seen.isValid());
        QCOMPARE(inner.count(page(50)), 1);
    }

    // Pictures and scaled images together stay within the budget, beyond the page most
    // recently asked for.
    // A page decoded on the spot is shared with the spare core, a thread of the caller's
    // own priority; work ahead is not.
    void aPageWaitedForIsSharedWithTheSpareCore()
    {
        const int interfaceNice = ::getpriority(PRIO_PROCESS, ::gettid());
        SharingDecoder inner;
        PrefetchingPageCache decoder(inner);
        decoder.prefetch({page(90)});
        decoder.waitForPrefetches();
        QCOMPARE(inner.shared, 0);
        QVERIFY(taken(decoder, page(91)).isValid());
        QVERIFY(taken(decoder, page(92)).isValid());
        QCOMPARE(inner.shared, 2);
        QCOMPARE(inner.spareThreads.size(), 1);
        QVERIFY(!inner.spareThreads.contains(QThread::currentThread()));
        QCOMPARE(inner.spareNice, interfaceNice);
    }

    // A page to be taken right after another, when neither was prepared, is decoded beside
    // it on the spare core: once, scaled as asked, and then ready. When the first was
    // prepared, nothing is decoded beside it.
    void aPageTakenNextIsDecodedBeside()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        QVERIFY(decoder.take(PrefetchRequest(page(96)), {PrefetchRequest(page(93), half)}).isValid());
        decoder.waitForPrefetches();
        QVERIFY(decoder.isReady(page(93)));
        QCOMPARE(inner.onWorkers, 1);
        const DecodedPicture picture = taken(decoder, page(93));
        QVERIFY(picture.isValid());
        QCOMPARE(inner.count(page(93)), 1);
        QCOMPARE(decoder.preparedScaling(picture.image, QSize(5, 5)).size(), QSize(5, 5));
        // Taken before the spare core came to it, it is decoded by the caller, once.
        decoder.take(PrefetchRequest(page(97)), {PrefetchRequest(page(94), half)});
        QVERIFY(taken(decoder, page(94)).isValid());
        decoder.waitForPrefetches();
        QCOMPARE(inner.count(page(94)), 1);
        // Whether the spare core or the caller came to it first is the scheduler's to say.
        const int onWorkers = inner.onWorkers;
        // The first page ready, the turn shows it at once and the second is decoded after it.
        decoder.take(PrefetchRequest(page(93)), {PrefetchRequest(page(98), half)});
        decoder.waitForPrefetches();
        QVERIFY(!decoder.isReady(page(98)));
        QCOMPARE(inner.count(page(93)), 1);
        QCOMPARE(inner.onWorkers, onWorkers);
    }

    // What the cache lets go of is freed, not kept anywhere.
    void droppedPicturesAreLetGo()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        QImage first = taken(decoder, page(100)).image;
        QList<PrefetchRequest> later;
        for (int i = 101; i <= 101 + PrefetchingPageCache::maximumEntries; ++i)
            later.append(page(i));
        taken(decoder, page(101));
        decoder.prefetch(later);
        decoder.waitForPrefetches();
        // Only this copy is left of the first picture, which is decoded again when asked for.
        QVERIFY(first.isDetached());
        taken(decoder, page(100));
        QCOMPARE(inner.count(page(100)), 2);
    }

    void memoryStaysWithinTheBudget()
    {
        CountingDecoder inner;
        const qint64 picture = QImage(10, 10, QImage::Format_RGB32).sizeInBytes();
        const qint64 scaled = QImage(5, 5, QImage::Format_RGB32).sizeInBytes();
        const qint64 budget = 3 * (picture + scaled);
        PrefetchingPageCache decoder(inner, budget);
        for (int first = 60; first < 72; first += 2) {
            taken(decoder, page(first));
            decoder.prefetch(
                {PrefetchRequest(page(first + 1), half), PrefetchRequest(page(first + 2), half)});
            decoder.waitForPrefetches();
            QVERIFY2(decoder.bytesHeld() <= budget + picture,
                     qPrintable(QString::number(decoder.bytesHeld())));
        }
        // The page on screen was kept.
        taken(decoder, page(70));
        QCOMPARE(inner.count(page(70)), 1);
    }

    // A page is read and stamped through the book that holds it, never looked for on disk by
    // its path.
    void aBooksPagesAreReadThroughTheBook()
    {
        const auto book = std::make_shared<BookInMemory>();
        book->put(u"p1.bmp"_qs, Qt::red);
        book->put(u"p2.bmp"_qs, Qt::green);
        const FilePictureDecoder files;
        PrefetchingPageCache cache(files);
        const PageRef first(book, u"p1.bmp"_qs);
        QCOMPARE(first.path(), u"/nowhere/book.cbz/p1.bmp"_qs);
        cache.prefetch({PageRef(book, u"p2.bmp"_qs)});
        cache.waitForPrefetches();
        QCOMPARE(taken(cache, first).image.pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(taken(cache, PageRef(book, u"p2.bmp"_qs)).image.pixelColor(0, 0), QColor(Qt::green));
        QCOMPARE(book->reads, 2);
        QVERIFY(cache.isReady(first));

        book->put(u"p1.bmp"_qs, Qt::blue);
        QVERIFY(!cache.isReady(first));
        QCOMPARE(taken(cache, first).image.pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(book->reads, 3);
    }

    void aMissingFileIsAskedAgainOnceItExists()
    {
        CountingDecoder inner;
        PrefetchingPageCache decoder(inner);
        const PageRef path = PageRef::file(m_dir.path() + "/later.jpg", PageFormats::Basic);
        taken(decoder, path);
        write(path.path(), "now");
        taken(decoder, path);
        QCOMPARE(inner.count(path), 2);
    }

    // A page wanted on screen and not ready is waited for off this thread, at this thread's
    // priority, and the waiter is told on this thread once it is there: decoded once, whether
    // nothing had asked for it, or a worker had it queued or under way. A page ready is not
    // waited for.
    void aPageWaitedForComesWithoutTheCallerDecoding_data()
    {
        QTest::addColumn<int>("prefetched");
        QTest::addColumn<int>("started");
        QTest::newRow("asked for by no one") << 0 << 0;
        QTest::newRow("queued behind the workers") << 3 << 2;
        QTest::newRow("under way on a worker") << 1 << 1;
    }
    void aPageWaitedForComesWithoutTheCallerDecoding()
    {
        QFETCH(int, prefetched);
        QFETCH(int, started);
        const int interfaceNice = ::getpriority(PRIO_PROCESS, ::gettid());
        GatedDecoder inner;
        PrefetchingPageCache decoder(inner);
        QList<PrefetchRequest> ahead;
        for (int i = 0; i < prefetched; ++i)
            ahead.append(page(110 + i));
        decoder.prefetch(ahead);
        inner.waitForStarted(started);
        const PageRef wanted = page(110 + std::max(prefetched - 1, 0));
        QObject context;
        QList<QThread*> toldOn;
        QVERIFY(decoder.takeLater(wanted, &context, [&toldOn] { toldOn.append(QThread::currentThread()); }));
        if (prefetched == 0) {
            inner.waitForStarted(1);
            QCOMPARE(inner.workerNice, interfaceNice);
        }
        QVERIFY(toldOn.isEmpty());
        inner.open();
        QTRY_COMPARE(toldOn.size(), 1);
        QCOMPARE(toldOn.first(), QThread::currentThread());
        QVERIFY(decoder.isReady(wanted));
        QVERIFY(!decoder.takeLater(wanted, &context, [] { QFAIL("a page ready is not waited for"); }));
        QVERIFY(taken(decoder, wanted).isValid());
        decoder.waitForPrefetches();
        QCOMPARE(inner.count(wanted), 1);
    }

    // A waiter gone before its page comes is never told.
    void aWaiterGoneIsNotTold()
    {
        GatedDecoder inner;
        PrefetchingPageCache decoder(inner);
        bool told = false;
        {
            QObject context;
            QVERIFY(decoder.takeLater(page(120), &context, [&told] { told = true; }));
            inner.waitForStarted(1);
        }
        inner.open();
        decoder.waitForPrefetches();
        QCoreApplication::processEvents();
        QVERIFY(!told);
        QVERIFY(decoder.isReady(page(120)));
    }
};

QTEST_GUILESS_MAIN(TestPrefetchingPageCache)
#include "tst_prefetching_page_cache.moc"
