#include "common/change_batch.h"

#include <QTest>

using namespace ruvo;
using namespace Qt::StringLiterals;

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

    // Work after the notice runs once the outermost scope has sent its notice, the latest
    // asked for only, whether or not anything was noted; outside a scope it runs at once.
    void workAfterTheNoticeRunsLast_data()
    {
        QTest::addColumn<bool>("noted");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("noted") << true << QStringList{u"notice"_s, u"second"_s};
        QTest::newRow("nothing noted") << false << QStringList{u"second"_s};
    }
    void workAfterTheNoticeRunsLast()
    {
        QFETCH(bool, noted);
        QFETCH(QStringList, expected);
        QStringList events;
        ChangeBatch batch([&events] { events.append(u"notice"_s); });
        {
            const ChangeBatch::Scope outer(batch);
            {
                const ChangeBatch::Scope inner(batch);
                batch.afterNotice([&events] { events.append(u"first"_s); });
                if (noted)
                    batch.note();
            }
            batch.afterNotice([&events] { events.append(u"second"_s); });
            QVERIFY(events.isEmpty());
        }
        QCOMPARE(events, expected);
        batch.afterNotice([&events] { events.append(u"outside"_s); });
        QCOMPARE(events.last(), u"outside"_s);
        // Done once: another scope runs nothing more.
        {
            const ChangeBatch::Scope again(batch);
        }
        QCOMPARE(events.size(), expected.size() + 1);
    }
};

QTEST_GUILESS_MAIN(TestChangeBatch)
#include "tst_change_batch.moc"
