#include "viewer/spread_plan.h"

#include <QSet>
#include <QStringList>
#include <QTest>

using namespace ruvo;

namespace {

// A book from a pattern: P a page, W a wide page. Counts the pages asked about.
struct Book
{
    explicit Book(const QString& pattern) : pattern(pattern) {}

    SpreadPlan plan()
    {
        return SpreadPlan(int(pattern.size()), [this](int page) {
            asked.insert(page);
            return pattern.at(page) == u'W';
        });
    }

    QString pattern;
    QSet<int> asked;
};

// Spreads as a reader names pages, from 1: "1-2" for a pair, "3" for a page alone.
QString named(const Spread& spread)
{
    return spread.count == 2 ? QStringLiteral("%1-%2").arg(spread.first + 1).arg(spread.first + 2)
                             : QString::number(spread.first + 1);
}

} // namespace

class TestSpreadPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Forward from where reading starts to the end, then back to the front: the same
    // spreads both ways.
    void turnsWalkTheSameSpreadsBothWays_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<bool>("shifted");
        QTest::addColumn<QString>("forward");
        QTest::addColumn<QString>("back");

        QTest::newRow("no wide page") << "PPPPPPP" << 0 << false << "1-2 3-4 5-6 7"
                                      << "5-6 3-4 1-2";
        QTest::newRow("a wide page between pairs") << "PPWPP" << 0 << false << "1-2 3 4-5"
                                                   << "3 1-2";
        QTest::newRow("a wide page second in a pair") << "PWPP" << 0 << false << "1 2 3-4"
                                                      << "2 1";
        QTest::newRow("two wide pages in a row") << "PPWWPP" << 0 << false << "1-2 3 4 5-6"
                                                 << "4 3 1-2";
        QTest::newRow("a wide page first") << "WPPP" << 0 << false << "1 2-3 4"
                                           << "2-3 1";
        QTest::newRow("a wide page last") << "PPPW" << 0 << false << "1-2 3 4"
                                          << "3 1-2";
        QTest::newRow("an odd run before a wide page") << "PPPWPP" << 0 << false << "1-2 3 4 5-6"
                                                       << "4 3 1-2";
        QTest::newRow("every page wide") << "WWW" << 0 << false << "1 2 3"
                                         << "2 1";
        QTest::newRow("shifted: the cover alone") << "PPPPP" << 0 << true << "1 2-3 4-5"
                                                  << "2-3 1";
        QTest::newRow("shifted before a wide page") << "PPPWP" << 0 << true << "1 2-3 4 5"
                                                    << "4 2-3 1";
        QTest::newRow("opened at the fourth page") << "PPPPPPP" << 3 << false << "4-5 6-7"
                                                   << "4-5 2-3 1-2";
        QTest::newRow("opened after a wide page") << "PWPPPP" << 3 << false << "4-5 6"
                                                  << "4-5 3 2 1";
        QTest::newRow("opened at the second page") << "PPPP" << 1 << false << "2-3 4"
                                                   << "2-3 1-2";
        QTest::newRow("one page") << "P" << 0 << false << "1"
                                  << "";
    }

    void turnsWalkTheSameSpreadsBothWays()
    {
        QFETCH(QString, pattern);
        QFETCH(int, anchor);
        QFETCH(bool, shifted);
        QFETCH(QString, forward);
        QFETCH(QString, back);

        Book book(pattern);
        SpreadPlan plan = book.plan();
        plan.anchorAt(anchor, shifted);
        Spread shown = plan.spreadAt(anchor);
        QStringList walked{named(shown)};
        QList<Spread> forwardSpreads{shown};
        while (shown.last() < pattern.size() - 1) {
            shown = plan.next(shown);
            walked.append(named(shown));
            forwardSpreads.append(shown);
        }
        QCOMPARE(walked.join(u' '), forward);

        QStringList returned;
        while (shown.first > 0) {
            const Spread before = plan.previous(shown);
            returned.append(named(before));
            // Back through what was shown going forward, exactly.
            if (forwardSpreads.size() > 1) {
                forwardSpreads.removeLast();
                QCOMPARE(before, forwardSpreads.last());
            }
            shown = before;
        }
        QCOMPARE(returned.join(u' '), back);
        QCOMPARE(plan.anchor(), anchor);
    }

    // At the end the last page stands alone again; at the front the first spread stays.
    void theEndsHold()
    {
        Book book(u"PPPP"_qs);
        SpreadPlan plan = book.plan();
        plan.anchorAt(0);
        const Spread last = plan.spreadAt(2);
        QCOMPARE(named(last), u"3-4"_qs);
        QCOMPARE(named(plan.next(last)), u"4"_qs);
        QCOMPARE(named(plan.previous(plan.spreadAt(0))), u"1-2"_qs);
    }

    // A step back from the second page reached by a jump pairs the front as ever: the first
    // page with the second; the step on from there starts the pairing at the third.
    void theFrontPairsTheFirstTwoPages()
    {
        Book book(u"PPPPP"_qs);
        SpreadPlan plan = book.plan();
        plan.anchorAt(1);
        const Spread front = plan.previous(plan.spreadAt(1));
        QCOMPARE(named(front), u"1-2"_qs);
        QCOMPARE(named(plan.next(front)), u"3-4"_qs);
        QCOMPARE(plan.anchor(), 2);
    }

    // A page that starts no spread of the pairing starts it anew; the shift goes with it.
    void aJumpStartsThePairingAnew()
    {
        Book book(u"PPPPPP"_qs);
        SpreadPlan plan = book.plan();
        plan.anchorAt(0, true);
        QCOMPARE(named(plan.spreadAt(0)), u"1"_qs);
        QCOMPARE(named(plan.spreadAt(1)), u"2-3"_qs);
        QVERIFY(plan.isShifted());
        QCOMPARE(named(plan.spreadAt(2)), u"3-4"_qs);
        QCOMPARE(plan.anchor(), 2);
        QVERIFY(!plan.isShifted());
    }

    // Only the pages the spreads take in, and the page after each, are asked about.
    void onlyThePagesNearTheSpreadsAreAsked()
    {
        Book book(u"PPPPPPPPPPPPPPPPPPPP"_qs);
        SpreadPlan plan = book.plan();
        plan.anchorAt(10);
        plan.next(plan.spreadAt(10));
        QCOMPARE(book.asked, QSet<int>({10, 11, 12, 13}));
    }
};

QTEST_APPLESS_MAIN(TestSpreadPlan)
#include "tst_spread_plan.moc"
