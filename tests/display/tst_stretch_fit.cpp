#include "display/stretch_fit.h"
#include "display/window_layout.h"

#include <QTest>

using namespace ruvo;

class TestStretchFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstPage_data()
    {
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QSizeF>("area");
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("tall page, one-page mode")
            << QSizeF(6000, 9000) << QSizeF(12000, 8000) << true << 3360.0 << 40.0 << 5280.0 << 7920.0;
        QTest::newRow("small page doubled three times")
            << QSizeF(1000, 1500) << QSizeF(12000, 8000) << true << 3360.0 << 40.0 << 5280.0 << 7920.0;
        QTest::newRow("two-page mode starts at the middle")
            << QSizeF(6000, 9000) << QSizeF(12000, 8000) << false << 6000.0 << 40.0 << 5280.0 << 7920.0;
        QTest::newRow("wide page limited by the width")
            << QSizeF(15000, 6000) << QSizeF(12000, 8000) << true << 0.0 << 1600.0 << 12000.0 << 4800.0;
        QTest::newRow("wide page in half the width")
            << QSizeF(15000, 6000) << QSizeF(12000, 8000) << false << 6000.0 << 2800.0 << 6000.0 << 2400.0;
    }
    void firstPage()
    {
        QFETCH(QSizeF, page);
        QFETCH(QSizeF, area);
        QFETCH(bool, onePage);
        const StretchedImage image = stretchFirstPage(page, area, onePage, QSizeF(1, 1));
        QVERIFY(image.visible);
        QTEST(image.left, "left");
        QTEST(image.top, "top");
        QTEST(image.width, "width");
        QTEST(image.height, "height");
    }

    void secondPageEndsAtTheMiddle()
    {
        const StretchedImage image = stretchSecondPage(QSizeF(6000, 9000), QSizeF(12000, 8000), QSizeF());
        QVERIFY(image.visible);
        QCOMPARE(image.width, 5280.0);
        QCOMPARE(image.left, 6000.0 - 5280.0);
        QCOMPARE(image.top, 40.0);
    }

    void secondPageComparesWithTheUnroundedHalf()
    {
        // Half of 12001 is 6000.5: 100 steps of 60 twips fit it, where a rounded
        // half of 6000 (to even) would also take them; 6001 would need step 101.
        const StretchedImage image = stretchSecondPage(QSizeF(6000, 100), QSizeF(12001, 8000), QSizeF());
        QCOMPARE(image.width, 6000.0);
    }

    void tinyPageKeepsItsPreviousSize()
    {
        // In an area too small to double it, a 40-twip page has steps of 0
        // twips: all 300 fit, the scan runs out and the size stays.
        const StretchedImage image = stretchFirstPage(QSizeF(40, 40), QSizeF(60, 60), true, QSizeF(777, 888));
        QCOMPARE(image.width, 777.0);
        QCOMPARE(image.height, 888.0);
    }

    void pageOfNoSizeIsNotStretched()
    {
        QSizeF size;
        QVERIFY(!stretchedSize(QSizeF(0, 0), QSizeF(12000, 8000), 12000, QSizeF(5, 5), &size));
        QVERIFY(!stretchFirstPage(QSizeF(0, 0), QSizeF(12000, 8000), true, QSizeF()).visible);
        QVERIFY(!stretchSecondPage(QSizeF(0, 0), QSizeF(12000, 8000), QSizeF()).visible);
        // A page with one side only still doubles to a size.
        QVERIFY(stretchFirstPage(QSizeF(0, 300), QSizeF(12000, 8000), true, QSizeF()).visible);
    }

    void viewingArea_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<bool>("status");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("height");
        QTest::newRow("both") << true << true << 420.0 << 7200.0 - 420 - 300;
        QTest::newRow("toolbar only") << true << false << 420.0 << 7200.0 - 420;
        QTest::newRow("status bar only") << false << true << 0.0 << 7200.0 - 300;
        QTest::newRow("neither") << false << false << 0.0 << 7200.0;
    }
    void viewingArea()
    {
        QFETCH(bool, toolbar);
        QFETCH(bool, status);
        const ViewingAreaPlace place = placeViewingArea(9600, 7200, toolbar, 420, status, 300);
        QTEST(place.top, "top");
        QTEST(place.height, "height");
        QCOMPARE(place.width, 9600.0);
    }
};

QTEST_GUILESS_MAIN(TestStretchFit)
#include "tst_stretch_fit.moc"
