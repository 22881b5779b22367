#include "display/arrow_scroll.h"
#include "display/auto_scroll.h"
#include "display/panning.h"

#include <QTest>

using namespace ruvo;

class TestFrameMotion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrowUp_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("expected");
        QTest::newRow("near the top snaps") << -500.0 << 0.0;
        QTest::newRow("600 away moves twice") << -600.0 << 0.0;
        QTest::newRow("far moves 600") << -2000.0 << -1400.0;
        QTest::newRow("below the top snaps up") << 300.0 << 0.0;
    }
    void arrowUp()
    {
        QFETCH(double, top);
        QTEST(scrollUp(top), "expected");
    }

    void arrowDown_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("frameHeight");
        QTest::addColumn<double>("expected");
        QTest::newRow("near the bottom snaps") << -1500.0 << 5000.0 << -2000.0;
        QTest::newRow("from the top moves 600") << 0.0 << 5000.0 << -600.0;
        QTest::newRow("exactly 600 away moves") << -1400.0 << 5000.0 << -2000.0;
        QTest::newRow("small page aligns its bottom") << 0.0 << 1000.0 << 2000.0;
    }
    void arrowDown()
    {
        QFETCH(double, top);
        QFETCH(double, frameHeight);
        QTEST(scrollDown(top, frameHeight, 3000), "expected");
    }

    void arrowsSideways_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("frameWidth");
        QTest::addColumn<double>("leftResult");
        QTest::addColumn<double>("rightResult");
        // A 9000-twip viewing area.
        QTest::newRow("wide page in the middle") << -2000.0 << 12000.0 << -1400.0 << -2600.0;
        QTest::newRow("wide page near both ends") << -2500.0 << 12000.0 << -1900.0 << -3000.0;
        QTest::newRow("wide page at the left") << -400.0 << 12000.0 << 0.0 << -1000.0;
        QTest::newRow("narrow page: left does nothing, right aligns") << 1000.0 << 6000.0 << 1000.0 << 3000.0;
        QTest::newRow("exactly as wide: left does nothing") << 0.0 << 9000.0 << 0.0 << 0.0;
    }
    void arrowsSideways()
    {
        QFETCH(double, left);
        QFETCH(double, frameWidth);
        QTEST(scrollLeft(left, frameWidth, 9000), "leftResult");
        QTEST(scrollRight(left, frameWidth, 9000), "rightResult");
    }

    void panning_data()
    {
        QTest::addColumn<PanFrame>("frame");
        QTest::addColumn<QPointF>("press");
        QTest::addColumn<bool>("setLeft");
        QTest::addColumn<bool>("setTop");
        QTest::addColumn<QPointF>("target");
        // A 12000 x 9000 frame centred on a 9000 x 6000 area: left -1500, top -1500.
        const PanFrame large{9000, 6000, -1500, 12000, 9000};
        QTest::newRow("centre press stays")
            << large << QPointF(6000, 4500) << true << true << QPointF(-1500, -1500);
        QTest::newRow("press at the right edge stops at the edge")
            << large << QPointF(11900, 4500) << true << true << QPointF(-3000, -1500);
        QTest::newRow("press at the top left corner")
            << large << QPointF(100, 100) << true << true << QPointF(0, 0);
        const PanFrame small{9000, 6000, 2000, 4000, 3000};
        QTest::newRow("small page inside stays")
            << small << QPointF(100, 100) << false << false << QPointF(5000, 3000);
        const PanFrame smallOut{9000, 6000, 6000, 4000, 3000};
        QTest::newRow("small page sticking out right moves")
            << smallOut << QPointF(2000, 1500) << true << true << QPointF(5000, 3000);
        const PanFrame narrowTall{9000, 6000, 2000, 4000, 9000};
        QTest::newRow("narrow tall page: only the top")
            << narrowTall << QPointF(2000, 8000) << false << true << QPointF(5000, -3000);
        QTest::newRow("narrow tall page pressed high")
            << narrowTall << QPointF(2000, 100) << false << true << QPointF(5000, 0);
        const PanFrame wideShort{9000, 6000, -1000, 12000, 3000};
        QTest::newRow("wide short page: only the left")
            << wideShort << QPointF(1000, 100) << true << false << QPointF(0, 3000);
    }
    void panning()
    {
        QFETCH(PanFrame, frame);
        QFETCH(QPointF, press);
        const PanStep step = panStep(frame, press.x(), press.y());
        QTEST(step.setLeft, "setLeft");
        QTEST(step.setTop, "setTop");
        QFETCH(QPointF, target);
        if (step.setLeft)
            QCOMPARE(step.left, target.x());
        if (step.setTop)
            QCOMPARE(step.top, target.y());
    }

    void autoScrollRunsDownAndBack()
    {
        AutoScroll scroll;
        QList<double> tops;
        for (int tick = 0; tick < 8; ++tick)
            tops.append(autoScrollTick(scroll, 100, 250));
        // Up until the bottom has passed by less than a step, back down until the
        // top has come a step below the area's top, then up again.
        QCOMPARE(tops, QList<double>({0, -100, -300, -200, -100, 0, 100, 0}));
    }

    void autoScrollWithStepZeroStays()
    {
        AutoScroll scroll{-400, false};
        for (int tick = 0; tick < 5; ++tick)
            QCOMPARE(autoScrollTick(scroll, 0, 3000), -400.0);
    }

    void autoScrollOfAShortPageOscillatesAtTheTop()
    {
        AutoScroll scroll;
        QList<double> tops;
        for (int tick = 0; tick < 6; ++tick)
            tops.append(autoScrollTick(scroll, 75, -1000));
        for (double top : tops)
            QVERIFY2(top >= -75 && top <= 75, qPrintable(QString::number(top)));
        QVERIFY(tops.contains(0.0));
    }
};

QTEST_GUILESS_MAIN(TestFrameMotion)
#include "tst_frame_motion.moc"
