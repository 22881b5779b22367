#include "common/change_batch.h"

#include <QTest>

using namespace ruvo;

class TestChangeBatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aScopeSendsOneNotice()
    {
        int notices = 0;
        ChangeBatch batch([&notices] { ++notices; });
        {
            const ChangeBatch::Scope outer(batch);
            batch.note();
            {
                const ChangeBatch::Scope inner(batch);
                batch.note();
            }
            QCOMPARE(notices, 0);
        }
        QCOMPARE(notices, 1);
        batch.note();
        QCOMPARE(notices, 2);
    }

    // A flush inside a scope sends a notice at once, whether or not anything
    // was noted yet; what is noted after it still goes out when the scope ends.
    void flushSendsNowAndKeepsTheScopeOpen_data()
    {
        QTest::addColumn<bool>("notedBefore");
        QTest::addColumn<bool>("notedAfter");
        QTest::addColumn<int>("noticesAtEnd");
        QTest::newRow("nothing noted") << false << false << 1;
        QTest::newRow("noted before") << true << false << 1;
        QTest::newRow("noted after") << false << true << 2;
        QTest::newRow("noted before and after") << true << true << 2;
    }
    void flushSendsNowAndKeepsTheScopeOpen()
    {
        QFETCH(bool, notedBefore);
        QFETCH(bool, notedAfter);
        QFETCH(int, noticesAtEnd);
        int notices = 0;
        ChangeBatch batch([&notices] { ++notices; });
        {
            const ChangeBatch::Scope outer(batch);
            const ChangeBatch::Scope inner(batch);
            if (notedBefore)
                batch.note();
            batch.flush();
            QCOMPARE(notices, 1);
            if (notedAfter)
                batch.note();
        }
        QCOMPARE(notices, noticesAtEnd);
    }

    // Outside a scope every change went out when it was noted.
    void flushOutsideAScopeSendsNothing()
    {
        int notices = 0;
        ChangeBatch batch([&notices] { ++notices; });
        batch.note();
        batch.flush();
        QCOMPARE(notices, 1);
    }
};

QTEST_GUILESS_MAIN(TestChangeBatch)
#include "tst_change_batch.moc"
