#include "display/wheel_steps.h"

#include <QTest>

using namespace ruvo;

using Event = std::pair<int, WheelPhase>;
Q_DECLARE_METATYPE(QList<Event>)

class TestWheelSteps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deltasBecomeSteps_data()
    {
        QTest::addColumn<bool>("onePerGesture");
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<QList<int>>("steps");
        const auto none = WheelPhase::None;
        const auto begin = WheelPhase::Begin;
        const auto update = WheelPhase::Update;
        const auto end = WheelPhase::End;
        QTest::newRow("a notch down, a notch up")
            << true << QList<Event>{{-120, none}, {120, none}} << QList<int>{-1, 1};
        QTest::newRow("a fast wheel gives several") << true << QList<Event>{{-360, none}} << QList<int>{-3};
        QTest::newRow("half notches add up")
            << true << QList<Event>{{-60, none}, {-60, none}, {-60, none}} << QList<int>{0, -1, 0};
        QTest::newRow("a reversal starts over")
            << true << QList<Event>{{-90, none}, {60, none}, {60, none}} << QList<int>{0, 0, 1};
        QTest::newRow("one gesture turns one page")
            << true
            << QList<Event>{{0, begin}, {-50, update}, {-50, update}, {-50, update}, {-300, update}, {0, end}}
            << QList<int>{0, 0, 0, -1, 0, 0};
        QTest::newRow("momentum after the lift turns nothing more")
            << true << QList<Event>{{0, begin}, {-150, update}, {0, end}, {-200, update}, {-200, update}}
            << QList<int>{0, -1, 0, 0, 0};
        QTest::newRow("the next gesture turns again")
            << true << QList<Event>{{0, begin}, {-150, update}, {0, end}, {0, begin}, {130, update}}
            << QList<int>{0, -1, 0, 0, 1};
        QTest::newRow("a short gesture turns nothing")
            << true << QList<Event>{{0, begin}, {-70, update}, {0, end}, {0, begin}, {-70, update}}
            << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("scrolling follows the whole gesture")
            << false << QList<Event>{{0, begin}, {-150, update}, {-150, update}, {-200, update}}
            << QList<int>{0, -1, -1, -2};
    }
    void deltasBecomeSteps()
    {
        QFETCH(bool, onePerGesture);
        QFETCH(QList<Event>, events);
        QFETCH(QList<int>, steps);
        WheelSteps wheel;
        QList<int> taken;
        for (const Event& event : events)
            taken.append(wheel.take(event.first, event.second, onePerGesture));
        QCOMPARE(taken, steps);
    }
};

QTEST_GUILESS_MAIN(TestWheelSteps)
#include "tst_wheel_steps.moc"
