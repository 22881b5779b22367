#include "common/twips.h"
#include "display/stretched_device_size.h"
#include "support/view_modes.h"
#include "support/viewer_fixture.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

// The device size a stretched page is drawn at now.
QSize drawnSize(const Surface& image, qreal ratio)
{
    return image.visible ? stretchedDeviceSize(image.width, image.height, ratio) : QSize();
}

// The size the latest prefetch asked a page to be scaled to.
QSize preparedSize(const ViewerFixture& f, const QString& path, QSize picture)
{
    for (const PrefetchRequest& request : f.platform.pages.prefetchRequests) {
        if (request.page.path() == path)
            return request.scaledSize ? request.scaledSize(picture) : QSize();
    }
    return QSize(-1, -1);
}

// A book whose pages are all of different shapes, so that each lands at a size of its own.
QString bookOfManyShapes(ViewerFixture& f, int pages)
{
    const QString book = f.makeBook(pages);
    for (int i = 1; i <= pages; ++i)
        f.platform.pictures.sizes.insert(ViewerFixture::pageName(i, pages),
                                         QSize(300 + 97 * i, 900 - 61 * i));
    return book;
}

} // namespace

class TestForm1PreparedPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The pages around are prepared at exactly the size the next or previous turn then
    // draws them, in both modes and on a screen with two device pixels to a pixel; at
    // actual size no scaling is asked for.
    void preparedAsTheTurnDrawsThem_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("one page, next") << true << true << 1.0;
        QTest::newRow("one page, previous") << true << false << 1.0;
        QTest::newRow("two pages, next") << false << true << 1.0;
        QTest::newRow("two pages, previous") << false << false << 1.0;
        QTest::newRow("two pages, next, high density") << false << true << 2.0;
    }
    void preparedAsTheTurnDrawsThem()
    {
        QFETCH(bool, onePage);
        QFETCH(bool, forward);
        QFETCH(qreal, ratio);
        ViewerFixture f;
        const QString book = bookOfManyShapes(f, 8);
        f.form.setDevicePixelRatio(ratio);
        f.setOnePageMode(onePage);
        setStretched(f.form, true);
        f.open(book);
        f.form.NEXTP_Click();
        f.form.NEXTP_Click();

        const int index = f.index();
        const int first = onePage ? (forward ? index + 1 : index - 1) : (forward ? index + 1 : index - 3);
        const QString firstPath = book + "/" + ViewerFixture::pageName(first + 1, 8);
        const QString secondPath = book + "/" + ViewerFixture::pageName(first + 2, 8);
        const QSize firstPicture = f.platform.pictures.sizes.value(ViewerFixture::pageName(first + 1, 8));
        const QSize secondPicture = f.platform.pictures.sizes.value(ViewerFixture::pageName(first + 2, 8));
        const QSize firstPrepared = preparedSize(f, firstPath, firstPicture);
        const QSize secondPrepared = onePage ? QSize() : preparedSize(f, secondPath, secondPicture);

        if (forward)
            f.form.NEXTP_Click();
        else
            f.form.PRVP_Click();
        const Form1Controls& c = f.form.controls();
        QCOMPARE(c.picture2.picture.size(), firstPicture);
        QVERIFY(!firstPrepared.isEmpty());
        QCOMPARE(firstPrepared, drawnSize(c.image1, ratio));
        if (!onePage)
            QCOMPARE(secondPrepared, drawnSize(c.image2, ratio));
    }

    // A spread not decoded ahead has both its pages decoded side by side: the second is
    // asked for beside the loading before the first is loaded. A spread decoded ahead is
    // not asked again; the pages around are prepared once the turn is shown.
    void aColdSpreadIsDecodedSideBySide()
    {
        ViewerFixture f;
        const QString book = f.makeBook(6);
        f.open(book);
        QCOMPARE(f.platform.pages.besides, QStringList{book + "/p2.jpg"});
        QCOMPARE(f.platform.pages.decodedBeforeBeside, QList<int>{0});
        QCOMPARE(f.platform.pictures.decoded.first(), book + "/p1.jpg");
        f.platform.pages.prefetched.clear();
        f.platform.pages.besides.clear();
        f.platform.pages.ready = {book + "/p3.jpg", book + "/p4.jpg"};
        f.form.NEXTP_Click();
        QVERIFY(f.platform.pages.besides.isEmpty());
        QCOMPARE(f.platform.pages.prefetched.size(), 1);
        QCOMPARE(f.platform.pages.prefetched.first().first(), book + "/p5.jpg");
    }

    // The work ahead waits until the window has been told of the turn and asked to draw it,
    // so that the drawing of the turn has both cores to itself.
    void pagesAroundArePreparedAfterTheTurnIsDrawn()
    {
        ViewerFixture f;
        const QString book = f.makeBook(6);
        f.open(book);
        QStringList events;
        const auto record = [&](const QString& what) {
            events.append(what + QString::number(f.platform.pages.prefetched.size()));
        };
        QObject::connect(&f.form, &Form1::changed, &f.form, [&] { record(u"notice "_s); });
        QObject::connect(&f.form, &Form1::drawNow, &f.form, [&] { record(u"draw "_s); });
        const qsizetype before = f.platform.pages.prefetched.size();
        f.form.NEXTP_Click();
        // Notices while the page loads, and the last one when the turn is done.
        QVERIFY(events.size() >= 2);
        QCOMPARE(events.last(), u"draw "_s + QString::number(before));
        for (const QString& event : events.first(events.size() - 1))
            QCOMPARE(event, u"notice "_s + QString::number(before));
        QCOMPARE(f.platform.pages.prefetched.size(), before + 1);
    }

    // A page not prepared ahead is decoded at once and asked to be scaled on the way to the
    // size it is then drawn at; at actual size it is not scaled.
    void pagesDecodedAtOnceAreAskedAtTheSizeDrawn_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<bool>("stretched");
        QTest::newRow("one page, stretched") << true << true;
        QTest::newRow("two pages, stretched") << false << true;
        QTest::newRow("two pages, actual size") << false << false;
    }
    void pagesDecodedAtOnceAreAskedAtTheSizeDrawn()
    {
        QFETCH(bool, onePage);
        QFETCH(bool, stretched);
        ViewerFixture f;
        const QString book = bookOfManyShapes(f, 6);
        f.setOnePageMode(onePage);
        setStretched(f.form, stretched);
        f.open(book);
        f.form.NEXTP_Click();
        f.platform.pages.drawRequests.clear();
        f.form.NEXTP_Click();

        const Form1Controls& c = f.form.controls();
        const QList<PrefetchRequest>& requests = f.platform.pages.drawRequests;
        QCOMPARE(requests.size(), onePage ? 1 : 2);
        const QList<const Surface*> pictures{&c.picture2, &c.picture3};
        const QList<const Surface*> images{&c.image1, &c.image2};
        for (qsizetype i = 0; i < requests.size(); ++i) {
            const QSize picture = pictures.at(i)->picture.size();
            if (!stretched) {
                QVERIFY(!requests.at(i).scaledSize);
                continue;
            }
            QVERIFY(requests.at(i).scaledSize);
            QCOMPARE(requests.at(i).scaledSize(picture), drawnSize(*images.at(i), 1.0));
        }
    }

    void actualSizeAsksForNoScaling()
    {
        ViewerFixture f;
        f.open(f.makeBook(6));
        QVERIFY(!f.platform.pages.prefetchRequests.isEmpty());
        for (const PrefetchRequest& request : f.platform.pages.prefetchRequests)
            QVERIFY(!request.scaledSize);
    }

    // A page decoded at the size it was drawn stretched is decoded again to be drawn larger
    // or at actual size, and not to be drawn smaller.
    void aPageDecodedSmallIsDecodedAgainToBeDrawnLarger_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("decodedAgain");
        for (const bool onePage : {false, true}) {
            const char* mode = onePage ? "one page" : "two pages";
            QTest::addRow("%s, stretching off", mode) << onePage << u"stretch off"_s << true;
            QTest::addRow("%s, larger window", mode) << onePage << u"larger"_s << true;
            QTest::addRow("%s, smaller window", mode) << onePage << u"smaller"_s << false;
        }
    }
    void aPageDecodedSmallIsDecodedAgainToBeDrawnLarger()
    {
        QFETCH(bool, onePage);
        QFETCH(QString, change);
        QFETCH(bool, decodedAgain);
        ViewerFixture f;
        const QSize own(3000, 4000);
        f.platform.pictures.defaultSize = own;
        f.platform.pages.decodesAtDrawnSize = true;
        f.setOnePageMode(onePage);
        setStretched(f.form, true);
        f.open(f.makeBook(6));
        f.form.NEXTP_Click();
        const Form1Controls& c = f.form.controls();
        const QList<std::pair<const Surface*, const Surface*>> shown =
            onePage ? QList<std::pair<const Surface*, const Surface*>>{{&c.picture2, &c.image1}}
                    : QList<std::pair<const Surface*, const Surface*>>{{&c.picture2, &c.image1},
                                                                       {&c.picture3, &c.image2}};
        for (const auto& [page, image] : shown) {
            QCOMPARE(page->picture.size(), drawnSize(*image, 1.0));
            QCOMPARE(QSizeF(page->width, page->height), QSizeF(toTwips(own.width()), toTwips(own.height())));
        }
        const qsizetype decodes = f.platform.pictures.decoded.size();
        QList<QSize> before;
        for (const auto& [page, image] : shown)
            before.append(page->picture.size());

        if (change == u"stretch off"_s)
            f.form.SUTOREKIRIKAE();
        else if (change == u"larger"_s)
            f.setArea(24000, 16000);
        else
            f.setArea(9000, 6000);

        QCOMPARE(f.platform.pictures.decoded.size(), decodes + (decodedAgain ? shown.size() : 0));
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const auto& [page, image] = shown.at(i);
            if (change == u"stretch off"_s)
                QCOMPARE(page->picture.size(), own);
            else if (change == u"larger"_s)
                QCOMPARE(page->picture.size(), drawnSize(*image, 1.0));
            else
                QCOMPARE(page->picture.size(), before.at(i));
            if (change != u"stretch off"_s)
                QCOMPARE(image->picture.cacheKey(), page->picture.cacheKey());
        }
    }

    // Turning stretching on, or resizing the window, prepares the pages around again
    // for the new drawing.
    void stretchingAndResizingPrepareAgain()
    {
        ViewerFixture f;
        f.open(f.makeBook(6));
        f.form.SUTOREKIRIKAE();
        QVERIFY(f.platform.pages.prefetchRequests.first().scaledSize);
        const QSize before = f.platform.pages.prefetchRequests.first().scaledSize(QSize(100, 150));
        f.setArea(6000, 4000);
        f.form.prepareAhead();
        const QSize after = f.platform.pages.prefetchRequests.first().scaledSize(QSize(100, 150));
        QVERIFY(after.height() < before.height());
    }
};

QTEST_MAIN(TestForm1PreparedPages)
#include "tst_form1_prepared_pages.moc"
