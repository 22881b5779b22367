#include "bookshelf/thumbnail_sampling.h"

#include <QSet>
#include <QTest>

using namespace ruvo;

namespace {

// Every pixel tells where it is: red the column, green the row.
QImage positionPage(int width, int height)
{
    QImage page(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            page.setPixel(x, y, qRgb(x % 256, y % 256, 7));
    }
    return page;
}

} // namespace

class TestThumbnailSampling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("stepX");
        QTest::addColumn<int>("stepY");
        QTest::newRow("exactly 20 a pixel") << 20.0 * 97 << 20.0 * 123 << 20 << 20;
        QTest::newRow("129 x 164 pixels") << 1935.0 << 2460.0 << 20 << 20;
        QTest::newRow("3 x 3 pixels") << 45.0 << 45.0 << 0 << 0;
        QTest::newRow("6 x 200 pixels") << 90.0 << 3000.0 << 1 << 24;
        QTest::newRow("halves to even") << 97 * 2.5 << 123 * 3.5 << 2 << 4;
        QTest::newRow("12 megapixels") << 4000.0 * 15 << 3000.0 * 15 << 619 << 366;
    }
    void steps()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(int, stepX);
        QFETCH(int, stepY);
        QCOMPARE(thumbnailSteps(width, height), (ThumbnailSteps{stepX, stepY}));
    }

    void stepOfTwentySamplesEveryTwentyTwipsFromTheCorner()
    {
        const QImage page = positionPage(129, 164);
        const QImage thumbnail = pointSampledThumbnail(page);
        QCOMPARE(thumbnail.size(), QSize(97, 123));
        QCOMPARE(thumbnail.pixel(0, 0), page.pixel(0, 0));
        // 20 twips is inside the second pixel, 60 inside the fifth (pixels are 15 twips).
        QCOMPARE(thumbnail.pixel(1, 0), page.pixel(1, 0));
        QCOMPARE(thumbnail.pixel(3, 0), page.pixel(4, 0));
        QCOMPARE(thumbnail.pixel(0, 3), page.pixel(0, 4));
        QCOMPARE(thumbnail.pixel(96, 122), page.pixel(128, 162));
        for (int i = 0; i < 123; ++i) {
            for (int j = 0; j < 97; ++j)
                QCOMPARE(thumbnail.pixel(j, i), page.pixel(j * 20 / 15, i * 20 / 15));
        }
    }

    void stepOfZeroRepeatsTheCorner()
    {
        const QImage page = positionPage(3, 3);
        const QImage thumbnail = pointSampledThumbnail(page);
        for (int i = 0; i < 123; ++i) {
            for (int j = 0; j < 97; ++j)
                QCOMPARE(thumbnail.pixel(j, i), page.pixel(0, 0));
        }
    }

    void stepOfZeroAcrossRepeatsTheFirstColumn()
    {
        const QImage page = positionPage(3, 200);
        const QImage thumbnail = pointSampledThumbnail(page);
        for (int i = 0; i < 123; ++i) {
            for (int j = 0; j < 97; ++j)
                QCOMPARE(thumbnail.pixel(j, i), page.pixel(0, i * 24 / 15));
        }
    }

    void pointsPastThePageTakeItsEdge()
    {
        // 150 twips / 97 rounds up to 2, so the last columns fall past the tenth pixel; 150 / 123
        // rounds down to 1, so the last row is read 122 twips down, in the ninth.
        const QImage page = positionPage(10, 10);
        const QImage thumbnail = pointSampledThumbnail(page);
        QCOMPARE(thumbnail.pixel(37, 0), page.pixel(4, 0));
        QCOMPARE(thumbnail.pixel(74, 0), page.pixel(9, 0));
        QCOMPARE(thumbnail.pixel(96, 0), page.pixel(9, 0));
        QCOMPARE(thumbnail.pixel(96, 122), page.pixel(9, 8));
    }

    void neverSmooths()
    {
        QImage page(400, 600, QImage::Format_RGB32);
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x)
                page.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
        const QImage thumbnail = pointSampledThumbnail(page);
        QSet<QRgb> colours;
        for (int i = 0; i < 123; ++i) {
            for (int j = 0; j < 97; ++j)
                colours.insert(thumbnail.pixel(j, i));
        }
        QCOMPARE(colours, (QSet<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0)}));
    }

    void transparencyIsSeenOverWhite()
    {
        QImage page(200, 200, QImage::Format_ARGB32);
        page.fill(qRgba(0, 0, 0, 0));
        page.setPixel(0, 0, qRgba(255, 0, 0, 255));
        const QImage thumbnail = pointSampledThumbnail(page);
        QCOMPARE(thumbnail.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(thumbnail.pixel(50, 50), qRgb(255, 255, 255));
    }

    void indexedPagesAreSampledByTheirColours()
    {
        QImage page = positionPage(129, 164).convertToFormat(QImage::Format_Indexed8);
        const QImage thumbnail = pointSampledThumbnail(page);
        QCOMPARE(thumbnail.pixel(3, 3), page.pixel(4, 4));
    }

    void noPageGivesWhite()
    {
        const QImage thumbnail = pointSampledThumbnail(QImage());
        QCOMPARE(thumbnail.size(), QSize(97, 123));
        QCOMPARE(thumbnail.pixel(48, 60), qRgb(255, 255, 255));
    }

    // A page keeping its shape lies centred in the box, as large as fits, white around it.
    void aThumbnailKeepsThePagesShape_data()
    {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<QRect>("covered");
        QTest::newRow("landscape") << QSize(400, 200) << QRect(0, 37, 97, 49);
        QTest::newRow("the box's shape") << QSize(194, 246) << QRect(0, 0, 97, 123);
        QTest::newRow("tall and thin") << QSize(10, 1000) << QRect(48, 0, 1, 123);
        QTest::newRow("smaller than the box") << QSize(20, 10) << QRect(0, 37, 97, 49);
    }
    void aThumbnailKeepsThePagesShape()
    {
        QFETCH(QSize, page);
        QFETCH(QRect, covered);
        QImage red(page, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QImage thumbnail = averagedThumbnail(red);
        QCOMPARE(thumbnail.size(), QSize(97, 123));
        QCOMPARE(thumbnail.format(), QImage::Format_RGB32);
        for (int y = 0; y < 123; ++y) {
            for (int x = 0; x < 97; ++x) {
                const QRgb expected = covered.contains(x, y) ? qRgb(255, 0, 0) : qRgb(255, 255, 255);
                if (thumbnail.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
    }

    // Screentone becomes its mean tone: a one-pixel checkerboard is an even grey.
    void aThumbnailAveragesThePixelsItCovers()
    {
        QImage page(970, 1230, QImage::Format_RGB32);
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x)
                page.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
        const QImage thumbnail = averagedThumbnail(page);
        for (int y = 0; y < 123; ++y) {
            for (int x = 0; x < 97; ++x) {
                if (qAbs(qGray(thumbnail.pixel(x, y)) - 128) > 2)
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2 is %3")
                                         .arg(x)
                                         .arg(y)
                                         .arg(qGray(thumbnail.pixel(x, y)))));
            }
        }
    }

    void anAveragedThumbnailSeesTransparencyOverWhite()
    {
        QImage page(194, 246, QImage::Format_ARGB32);
        page.fill(qRgba(0, 0, 0, 0));
        QCOMPARE(averagedThumbnail(page).pixel(48, 60), qRgb(255, 255, 255));
        QCOMPARE(averagedThumbnail(QImage()).pixel(48, 60), qRgb(255, 255, 255));
    }
};

QTEST_GUILESS_MAIN(TestThumbnailSampling)
#include "tst_thumbnail_sampling.moc"
