#include "commands/placement_commands.h"
#include "display/page_fitting.h"

#include <QTest>

using namespace ruvo;

class TestPageFitting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spread_data()
    {
        QTest::addColumn<QSizeF>("first");
        QTest::addColumn<QSizeF>("second");
        QTest::addColumn<QSizeF>("area");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("scrollRange");
        QTest::newRow("small spread centred both ways")
            << QSizeF(3000, 4000) << QSizeF(3000, 4000) << QSizeF(10000, 6000) << 2000.0 << 1000.0 << 6000.0
            << 4000.0 << -2000;
        QTest::newRow("one twip narrower than the area")
            << QSizeF(4000, 5000) << QSizeF(4999, 5000) << QSizeF(9000, 6000) << 1.0 << 500.0 << 8999.0
            << 5000.0 << -1000;
        QTest::newRow("exactly as wide: right rule gives 0")
            << QSizeF(4500, 5000) << QSizeF(4500, 5000) << QSizeF(9000, 6000) << 0.0 << 500.0 << 9000.0
            << 5000.0 << -1000;
        QTest::newRow("wider and taller: right and top aligned")
            << QSizeF(6000, 9000) << QSizeF(6000, 9000) << QSizeF(9000, 6000) << -3000.0 << 0.0 << 12000.0
            << 9000.0 << 3000;
        QTest::newRow("different heights take the taller")
            << QSizeF(3000, 4000) << QSizeF(3000, 5000) << QSizeF(10000, 6000) << 2000.0 << 500.0 << 6000.0
            << 5000.0 << -1000;
        QTest::newRow("odd vertical gap rounds halves to even")
            << QSizeF(3000, 4999) << QSizeF(3000, 4999) << QSizeF(10000, 6000) << 2000.0 << 500.0 << 6000.0
            << 4999.0 << -1001;
        QTest::newRow("odd gap of three: 3/2 rounds to 2")
            << QSizeF(3000, 4000) << QSizeF(2997, 4000) << QSizeF(6000, 4003) << 1.0 << 2.0 << 5997.0
            << 4000.0 << -3;
        QTest::newRow("single page: collapsed second page adds nothing")
            << QSizeF(6000, 9000) << QSizeF(0, 0) << QSizeF(12000, 8000) << 3000.0 << 0.0 << 6000.0 << 9000.0
            << 1000;
    }
    void spread()
    {
        QFETCH(QSizeF, first);
        QFETCH(QSizeF, second);
        QFETCH(QSizeF, area);
        const FrameFit fit = fitSpread(first, second, area);
        QTEST(fit.left, "left");
        QTEST(fit.top, "top");
        QTEST(fit.width, "width");
        QTEST(fit.height, "height");
        QTEST(fit.scrollRange, "scrollRange");
    }

    void singlePage_data()
    {
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QSizeF>("area");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("exactly the area") << QSizeF(9000, 6000) << QSizeF(9000, 6000) << 0.0 << 0.0;
        QTest::newRow("wide and tall") << QSizeF(12000, 9000) << QSizeF(9000, 6000) << -3000.0 << 0.0;
        QTest::newRow("wide and short, half twip")
            << QSizeF(12000, 5001) << QSizeF(9000, 6000) << -3000.0 << 499.5;
        QTest::newRow("narrow and tall") << QSizeF(4001, 9000) << QSizeF(9000, 6000) << 2499.5 << 0.0;
        QTest::newRow("narrow and exactly as tall")
            << QSizeF(4000, 6000) << QSizeF(9000, 6000) << 2500.0 << 0.0;
        QTest::newRow("small") << QSizeF(4000, 3000) << QSizeF(9000, 6000) << 2500.0 << 1500.0;
    }
    void singlePage()
    {
        QFETCH(QSizeF, page);
        QFETCH(QSizeF, area);
        const FrameFit fit = fitSinglePage(page, area);
        QTEST(fit.left, "left");
        QTEST(fit.top, "top");
        QCOMPARE(fit.width, page.width());
        QCOMPARE(fit.height, page.height());
        QCOMPARE(fit.scrollRange, int(page.height() - area.height()));
    }

    void placements_data()
    {
        QTest::addColumn<int>("placement");
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("item");
        // A 12000 x 9001 frame in a 9000 x 6000 area.
        QTest::newRow("upper right") << int(Placement::UpperRight) << QPointF(-3000, 0) << 13 << "rup";
        QTest::newRow("lower right") << int(Placement::LowerRight) << QPointF(-3000, -3001) << 12 << "rdwn";
        QTest::newRow("centre, unrounded")
            << int(Placement::Centre) << QPointF(-1500, -1500.5) << 11 << "lnaka";
        QTest::newRow("upper left") << int(Placement::UpperLeft) << QPointF(0, 0) << 10 << "lup";
        QTest::newRow("lower left") << int(Placement::LowerLeft) << QPointF(0, -3001) << 9 << "ldwn";
    }
    void placements()
    {
        QFETCH(int, placement);
        const Placement p = Placement(placement);
        QTEST(placementPosition(p, QSizeF(12000, 9001), QSizeF(9000, 6000)), "position");
        QTEST(placementButton(p), "button");
        QTEST(QString(placementMenuItem(p)), "item");
    }
};

QTEST_GUILESS_MAIN(TestPageFitting)
#include "tst_page_fitting.moc"
