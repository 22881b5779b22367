#include "imaging/jpeg/row_claims.h"

#include <QTest>

using namespace ruvo;

namespace {

// A spare core that takes the rows from halfway through what is left.
int half(RowClaims& claims)
{
    const int height = claims.height();
    return claims.take([height](int claimed) { return claimed + (height - claimed) / 2; });
}

} // namespace

class TestRowClaims : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theCallerAloneClaimsEveryRowInGroups()
    {
        RowClaims claims(100, 32);
        QCOMPARE(claims.claim(), 32);
        QCOMPARE(claims.claim(), 64);
        QCOMPARE(claims.claim(), 96);
        QCOMPARE(claims.claim(), 100);
        QCOMPARE(claims.claim(), 100);
        QVERIFY(!claims.close());
    }

    // The spare core takes from where the caller has come to, and the caller's claims end
    // there.
    void aSpareCoreTakesFromBelowTheClaims()
    {
        RowClaims claims(100, 16);
        QCOMPARE(claims.claim(), 16);
        QCOMPARE(half(claims), 58);
        QCOMPARE(claims.claim(), 32);
        QCOMPARE(claims.claim(), 48);
        QCOMPARE(claims.claim(), 58);
        QCOMPARE(claims.claim(), 58);
        QVERIFY(claims.close());
        QVERIFY(claims.close());
    }

    // The caller's rows come in claimed groups, up to where the spare core took over; a
    // failure stops them.
    void doClaimedGoesGroupByGroup()
    {
        RowClaims claims(100, 32);
        QList<QPair<int, int>> done;
        const auto record = [&](int from, int end) {
            done.append({from, end});
            if (from == 32)
                half(claims);
            return true;
        };
        QVERIFY(claims.doClaimed(record));
        QCOMPARE(done, (QList<QPair<int, int>>{{0, 32}, {32, 64}, {64, 82}}));

        RowClaims failing(100, 32);
        int calls = 0;
        QVERIFY(!failing.doClaimed([&](int, int) { return ++calls < 2; }));
        QCOMPARE(calls, 2);
    }

    void onlyOneTakes()
    {
        RowClaims claims(100, 16);
        QCOMPARE(half(claims), 50);
        QCOMPARE(half(claims), 100);
    }

    void nothingIsTakenOnceClosedOrAllClaimed()
    {
        RowClaims closed(100, 16);
        closed.claim();
        QVERIFY(!closed.close());
        QCOMPARE(half(closed), 100);
        QCOMPARE(closed.claim(), 100);

        RowClaims claimed(40, 16);
        while (claimed.claim() < 40) {
        }
        QCOMPARE(half(claimed), 40);
    }

    // A split above the caller's claims or at the bottom takes nothing.
    void splitsOutsideTheRowsLeftTakeNothing()
    {
        RowClaims claims(100, 16);
        claims.claim();
        claims.claim();
        QCOMPARE(claims.take([](int) { return 20; }), 100);
        QCOMPARE(claims.take([](int) { return 100; }), 100);
        QCOMPARE(claims.take([](int claimed) { return claimed; }), 32);
        QCOMPARE(claims.claim(), 32);
        QVERIFY(claims.close());
    }
};

QTEST_GUILESS_MAIN(TestRowClaims)
#include "tst_row_claims.moc"
