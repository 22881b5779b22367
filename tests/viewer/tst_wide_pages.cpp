#include "commands/control_names.h"
#include "commands/key_map.h"
#include "session/settings_store.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

const QString widePagesAloneKey = FakeSettings::path(u"ruvo"_qs, u"reading"_qs, u"widePagesAlone"_qs);

} // namespace

class TestWidePages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Turning forward then back through a book, the wide pages alone.
    void aWidePageStandsAlone_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("forward");
        QTest::addColumn<QString>("back");

        QTest::newRow("between pairs") << "PPWPP"
                                       << "1-2 3 4-5"
                                       << "3 1-2";
        QTest::newRow("second in a pair") << "PWPP"
                                          << "1 2 3-4"
                                          << "2 1";
        QTest::newRow("two in a row") << "PPWWPP"
                                      << "1-2 3 4 5-6"
                                      << "4 3 1-2";
        QTest::newRow("last") << "PPPW"
                              << "1-2 3 4"
                              << "3 1-2";
        QTest::newRow("none") << "PPPPP"
                              << "1-2 3-4 5"
                              << "3-4 1-2";
    }

    void aWidePageStandsAlone()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, forward);
        QFETCH(QString, back);

        ViewerFixture f;
        f.form.menuClick(MenuItem::widePagesAlone);
        QCOMPARE(f.platform.settings.values.value(widePagesAloneKey), u"1"_qs);
        f.open(f.makeShapedBook(pattern));
        QStringList walked{f.shownPages()};
        while (f.nextEnabled()) {
            f.form.NEXTP_Click();
            walked.append(f.shownPages());
        }
        QCOMPARE(walked.join(u' '), forward);
        QStringList returned;
        while (f.previousEnabled()) {
            f.form.PRVP_Click();
            returned.append(f.shownPages());
        }
        QCOMPARE(returned.join(u' '), back);
    }

    // A wide page alone is named as the last page alone is, with a marker of its own; the last
    // page alone keeps the last page's.
    void theStatusBarNamesThePageAlone()
    {
        ViewerFixture f;
        f.form.menuClick(MenuItem::widePagesAlone);
        const QString book = f.makeShapedBook(u"PPWP"_qs);
        f.open(book);
        f.form.NEXTP_Click();
        QCOMPARE(f.panel(2), StatusText::widePageAlone());
        QCOMPARE(f.panel(3), u"[3] p3.jpg"_qs);
        QCOMPARE(f.panel(1), u"3 / 4"_qs);
        QVERIFY(!f.form.controls().picture3.visible || f.form.controls().picture3.width == 0);
        f.form.NEXTP_Click();
        QCOMPARE(f.panel(2), StatusText::lastPageAlone());
        QVERIFY(!f.nextEnabled());
    }

    // Off, the pairs are every two pages, whatever their shapes; the choice is kept.
    void theSwitchRestoresThePairs()
    {
        ViewerFixture f;
        const QString book = f.makeShapedBook(u"PPWPP"_qs);
        f.open(book);
        f.form.NEXTP_Click();
        QCOMPARE(f.shownPages(), u"3-4"_qs);
        f.form.menuClick(MenuItem::widePagesAlone);
        // Switched on, the spread on screen is paired again from its first page.
        QCOMPARE(f.shownPages(), u"3"_qs);
        f.form.menuClick(MenuItem::widePagesAlone);
        QCOMPARE(f.shownPages(), u"3-4"_qs);
        QCOMPARE(f.platform.settings.values.value(widePagesAloneKey), u"0"_qs);

        // Never chosen, wide pages stand alone.
        ViewerFixture unset(false);
        unset.platform.settings.values.remove(widePagesAloneKey);
        unset.form.Form_Load();
        QVERIFY(unset.form.controls().menu(MenuItem::widePagesAlone).checked);
    }

    // The shift moves the pairs by one page from the spread on screen, and back again.
    void theShiftMovesThePairs()
    {
        ViewerFixture f;
        f.form.menuClick(MenuItem::widePagesAlone);
        f.open(f.makeShapedBook(u"PPPPP"_qs));
        QCOMPARE(f.shownPages(), u"1-2"_qs);
        f.form.menuClick(MenuItem::shiftPairs);
        QCOMPARE(f.shownPages(), u"1"_qs);
        f.form.NEXTP_Click();
        QCOMPARE(f.shownPages(), u"2-3"_qs);
        f.form.NEXTP_Click();
        QCOMPARE(f.shownPages(), u"4-5"_qs);
        f.form.PRVP_Click();
        f.form.PRVP_Click();
        QCOMPARE(f.shownPages(), u"1"_qs);
        f.form.Form_KeyDown(KeyCode::O, 0);
        QCOMPARE(f.shownPages(), u"1-2"_qs);
    }

    // The shift belongs to the book: it holds through a switch of the display mode and back.
    void theShiftHoldsWhileTheBookIsOpen()
    {
        ViewerFixture f;
        f.form.menuClick(MenuItem::widePagesAlone);
        f.open(f.makeShapedBook(u"PPPPPP"_qs));
        f.form.menuClick(MenuItem::shiftPairs);
        f.form.NEXTP_Click();
        QCOMPARE(f.shownPages(), u"2-3"_qs);
        f.form.menuClick(MenuItem::widePagesAlone);
        f.form.menuClick(MenuItem::widePagesAlone);
        QCOMPARE(f.shownPages(), u"2-3"_qs);
        f.form.NEXTP_Click();
        QCOMPARE(f.shownPages(), u"4-5"_qs);
        f.form.PRVP_Click();
        f.form.PRVP_Click();
        QCOMPARE(f.shownPages(), u"1"_qs);
    }

    // The pages prepared ahead are those of the spreads the next and previous turns show.
    void thePagesAheadFollowTheSpreads()
    {
        ViewerFixture f;
        f.form.menuClick(MenuItem::widePagesAlone);
        const QString book = f.makeShapedBook(u"PPWPP"_qs);
        f.open(book);
        QCOMPARE(f.platform.pages.prefetched.last(), QStringList({book + u"/p3.jpg"_qs}));
        f.form.NEXTP_Click();
        QCOMPARE(f.platform.pages.prefetched.last(),
                 QStringList({book + u"/p4.jpg"_qs, book + u"/p5.jpg"_qs, book + u"/p1.jpg"_qs,
                              book + u"/p2.jpg"_qs}));
    }
};

QTEST_MAIN(TestWidePages)
#include "tst_wide_pages.moc"
