#include "viewer/reading_session.h"

#include <QStringList>
#include <QTest>

using namespace ruvo;

Q_DECLARE_METATYPE(ruvo::Pairing)

namespace {

// Spreads as a reader names pages, from 1: "1-2" for a pair, "3" for a page alone.
QString named(const Spread& spread)
{
    return spread.count == 2 ? QStringLiteral("%1-%2").arg(spread.first + 1).arg(spread.first + 2)
                             : QString::number(spread.first + 1);
}

// A session over a book from a pattern (P a page, W a wide page), opened at start and shown
// as the viewer shows it.
struct Reader
{
    Reader(const QString& pattern, Pairing pairing, int start = 0)
        : session([this] { ++notices; }), pattern(pattern)
    {
        session.setPairing(pairing);
        session.setBook(QStringLiteral("book"), int(pattern.size()),
                        [this](int page) { return this->pattern.at(page) == u'W'; });
        session.moveTo(start);
        showAtIndex();
    }

    void showAtIndex() { session.show(session.spreadAtIndex()); }

    // n: next, p: previous, f: first, l: last, s: shift; each shown. Returns what was shown,
    // with the page index after each.
    QString read(const QString& moves)
    {
        QStringList shown;
        for (const QChar move : moves) {
            if (move == u'n' || move == u'p')
                session.turn(move == u'p');
            else if (move == u'f')
                session.toFirst();
            else if (move == u'l')
                session.toLast();
            else if (move == u's')
                session.shift();
            showAtIndex();
            shown.append(named(session.shown()) + u'@' + QString::number(session.index() + 1));
        }
        return shown.join(u' ');
    }

    ReadingSession session;
    QString pattern;
    int notices = 0;
};

} // namespace

class TestReadingSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Two at a time the position is the spread's second page; the step back from a pair goes
    // to the pair before it, from the last page alone to the pair before the one before it.
    void turns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<Pairing>("pairing");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("shown");

        const Pairing two = Pairing::EveryTwo;
        QTest::newRow("two: seven pages there and back") << "PPPPPPP" << two << 0 << "nnnppp"
                                                         << "3-4@4 5-6@6 7@7 5-6@6 3-4@4 1-2@2";
        QTest::newRow("two: held at the ends") << "PPPPP" << two << 0 << "pnnn"
                                               << "1-2@2 3-4@4 5@5 5@5";
        QTest::newRow("two: opened at an odd page") << "PPPPP" << two << 2 << "pp"
                                                    << "1-2@2 1-2@2";
        QTest::newRow("two: opened at the second page") << "PPPPPPP" << two << 1 << "pn"
                                                        << "1-2@2 3-4@4";
        QTest::newRow("two: two pages") << "PP" << two << 1 << "pn"
                                        << "1-2@2 2@2";
        QTest::newRow("two: three pages, last alone back") << "PPP" << two << 2 << "p"
                                                           << "1-2@2";
        QTest::newRow("two: one page") << "P" << two << 0 << "np"
                                       << "1@1 1@1";
        QTest::newRow("two: wide pages pair as any") << "PWPW" << two << 0 << "n"
                                                     << "3-4@4";
        QTest::newRow("two: last and first") << "PPPPPP" << two << 2 << "lf"
                                             << "5-6@6 1-2@2";
        QTest::newRow("two: last after an even run") << "PPPPPPP" << two << 0 << "l"
                                                     << "7@7";
        QTest::newRow("two: no shift") << "PPPP" << two << 0 << "s"
                                       << "1-2@2";

        const Pairing one = Pairing::OnePage;
        QTest::newRow("one: there and back") << "PPP" << one << 0 << "nnnpppp"
                                             << "2@2 3@3 3@3 2@2 1@1 1@1 1@1";
        QTest::newRow("one: last and first") << "PPPP" << one << 1 << "lf"
                                             << "4@4 1@1";

        const Pairing shape = Pairing::ByShape;
        QTest::newRow("shape: a wide page between pairs") << "PPWPP" << shape << 0 << "nnpp"
                                                          << "3@3 4-5@5 3@3 1-2@2";
        QTest::newRow("shape: last paired back from the end") << "PPPPPPP" << shape << 0 << "lpf"
                                                              << "6-7@7 4-5@5 1-2@2";
        QTest::newRow("shape: last wide alone") << "PPPPW" << shape << 0 << "lp"
                                                << "5@5 3-4@4";
        QTest::newRow("shape: shifted and back") << "PPPPPP" << shape << 2 << "snps"
                                                 << "3@3 4-5@5 3@3 3-4@4";
        QTest::newRow("shape: shifted to the end") << "PPPPPP" << shape << 2 << "snn"
                                                   << "3@3 4-5@5 6@6";
    }
    void turns()
    {
        QFETCH(QString, pattern);
        QFETCH(Pairing, pairing);
        QFETCH(int, start);
        QFETCH(QString, moves);
        Reader reader(pattern, pairing, start);
        QTEST(reader.read(moves), "shown");
    }

    // The turns ahead are told without moving the pairing or the position.
    void theSpreadsAroundMoveNothing()
    {
        Reader reader(QStringLiteral("PPWPPPP"), Pairing::ByShape, 3);
        const int notices = reader.notices;
        QCOMPARE(named(reader.session.nextSpread()), QStringLiteral("6-7"));
        QCOMPARE(named(reader.session.previousSpread()), QStringLiteral("3"));
        QCOMPARE(named(reader.session.shown()), QStringLiteral("4-5"));
        QCOMPARE(reader.notices, notices);
        QCOMPARE(reader.read(QStringLiteral("p")), QStringLiteral("3@3"));
    }

    void eachMoveIsToldOnce()
    {
        Reader reader(QStringLiteral("PPPPPP"), Pairing::EveryTwo);
        for (const auto& move : QList<std::function<void()>>{
                 [&] { reader.session.turn(false); },
                 [&] { reader.session.moveTo(3); },
                 [&] { reader.session.turn(true); },
                 [&] { reader.session.toLast(); },
                 [&] { reader.showAtIndex(); },
             }) {
            const int before = reader.notices;
            move();
            QCOMPARE(reader.notices, before + 1);
        }
    }

    // The same book listed again keeps its place; another, or the same with other pages,
    // starts anew where the index was put, held to its pages.
    void aBookListedAgain()
    {
        Reader reader(QStringLiteral("PPPPPPPP"), Pairing::ByShape, 4);
        reader.session.shift();
        reader.showAtIndex();
        QVERIFY(reader.session.shiftedHere());
        const auto narrow = [](int) { return false; };
        reader.session.setBook(QStringLiteral("book"), 8, narrow);
        QVERIFY(reader.session.shiftedHere());
        QCOMPARE(named(reader.session.shown()), QStringLiteral("5"));

        reader.session.setBook(QStringLiteral("book"), 3, narrow);
        QCOMPARE(reader.session.index(), 2);
        QVERIFY(!reader.session.shiftedHere());
        reader.session.setBook(QStringLiteral("other"), 0, narrow);
        QCOMPARE(reader.session.index(), 0);
    }
};

QTEST_GUILESS_MAIN(TestReadingSession)
#include "tst_reading_session.moc"
