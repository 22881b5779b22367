#include "imaging/prefetching_picture_decoder.h"

#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace ruvo;

namespace {

// Counts the decodes of each path, from whichever thread they come.
class CountingDecoder : public PictureDecoder
{
public:
    DecodedPicture decode(const QString& path) const override
    {
        QMutexLocker lock(&mutex);
        counts[path] += 1;
        if (QThread::currentThread() != mainThread)
            ++onWorkers;
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(QColor::fromRgb(qHash(path) & 0xFFFFFF));
        return {image, {}};
    }
    int count(const QString& path) const
    {
        QMutexLocker lock(&mutex);
        return counts.value(path);
    }

    mutable QMutex mutex;
    mutable QHash<QString, int> counts;
    mutable int onWorkers = 0;
    QThread* mainThread = QThread::currentThread();
};

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestPrefetchingPictureDecoder : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString page(int number)
    {
        const QString path = m_dir.path() + QStringLiteral("/p%1.jpg").arg(number);
        if (!QFile::exists(path))
            write(path, "x");
        return path;
    }

private Q_SLOTS:
    void prefetchedPicturesAreNotDecodedAgain()
    {
        CountingDecoder inner;
        PrefetchingPictureDecoder decoder(inner);
        decoder.prefetch({page(1), page(2)});
        decoder.prefetch({page(1), page(2)});
        decoder.waitForPrefetches();
        QCOMPARE(inner.onWorkers, 2);
        QVERIFY(decoder.decode(page(1)).isValid());
        QVERIFY(decoder.decode(page(2)).isValid());
        QCOMPARE(inner.count(page(1)), 1);
        QCOMPARE(inner.count(page(2)), 1);
        QCOMPARE(decoder.decode(page(1)).image, inner.decode(page(1)).image);
    }

    void aPictureAskedForTwiceIsDecodedOnce()
    {
        CountingDecoder inner;
        PrefetchingPictureDecoder decoder(inner);
        decoder.decode(page(3));
        decoder.decode(page(3));
        QCOMPARE(inner.count(page(3)), 1);
        QCOMPARE(inner.onWorkers, 0);
    }

    void aChangedFileIsDecodedAgain()
    {
        CountingDecoder inner;
        PrefetchingPictureDecoder decoder(inner);
        const QString path = page(4);
        decoder.decode(path);
        write(path, "a longer file");
        decoder.prefetch({path});
        decoder.waitForPrefetches();
        decoder.decode(path);
        QCOMPARE(inner.count(path), 2);
    }

    void onlyTheMostRecentPicturesAreKept()
    {
        CountingDecoder inner;
        PrefetchingPictureDecoder decoder(inner);
        decoder.decode(page(10));
        QStringList later;
        for (int i = 11; i < 11 + PrefetchingPictureDecoder::maximumEntries; ++i)
            later.append(page(i));
        decoder.prefetch(later);
        decoder.waitForPrefetches();
        // One more than the cache holds: the oldest went.
        decoder.decode(page(10));
        QCOMPARE(inner.count(page(10)), 2);
        decoder.decode(later.last());
        QCOMPARE(inner.count(later.last()), 1);
    }

    void aMissingFileIsAskedAgainOnceItExists()
    {
        CountingDecoder inner;
        PrefetchingPictureDecoder decoder(inner);
        const QString path = m_dir.path() + "/later.jpg";
        decoder.decode(path);
        write(path, "now");
        decoder.decode(path);
        QCOMPARE(inner.count(path), 2);
    }
};

QTEST_GUILESS_MAIN(TestPrefetchingPictureDecoder)
#include "tst_prefetching_picture_decoder.moc"
