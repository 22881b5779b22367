#include "commands/control_names.h"
#include "commands/key_map.h"
#include "support/view_modes.h"
#include "support/viewer_fixture.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

const QString leftToRightKey = FakeSettings::path(u"ruvo"_qs, u"reading"_qs, u"leftToRight"_qs);

// Where each page of the spread on screen stands in the viewing area, in twips from its left.
struct Places
{
    double first;
    double second;
};

Places placesOf(const Form1Controls& c, bool stretched)
{
    if (stretched)
        return {c.image1.left, c.image2.visible ? c.image2.left : -1};
    return {c.picture1.left + c.picture2.left, c.picture3.width > 0 ? c.picture1.left + c.picture3.left : -1};
}

} // namespace

class TestReadingDirection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Left to right the earlier page stands left of the later one, at actual size and
    // stretched; turning still goes forward, and the switch back gives the pages as before.
    void theEarlierPageStandsOnTheLeft_data()
    {
        QTest::addColumn<bool>("stretched");
        QTest::newRow("actual size") << false;
        QTest::newRow("stretched") << true;
    }
    void theEarlierPageStandsOnTheLeft()
    {
        QFETCH(bool, stretched);
        ViewerFixture f;
        f.platform.pictures.sizes.insert("p1.jpg", QSize(300, 400));
        f.platform.pictures.sizes.insert("p2.jpg", QSize(200, 500));
        setStretched(f.form, stretched);
        f.open(f.makeBook(5));
        const Form1Controls& c = f.form.controls();
        const Places before = placesOf(c, stretched);
        QVERIFY(before.first > before.second);

        f.form.Form_KeyDown(KeyCode::L, 0);
        QVERIFY(c.menu(MenuItem::leftToRight).checked);
        QCOMPARE(f.platform.settings.values.value(leftToRightKey), u"1"_qs);
        QCOMPARE(f.shownPages(), u"1-2"_qs);
        const Places ltr = placesOf(c, stretched);
        QVERIFY(ltr.first < ltr.second);
        // The spread stands where it stood, turned over about the area's middle.
        const double middle = c.nori.width / 2;
        const double firstWidth = stretched ? c.image1.width : c.picture2.width;
        QCOMPARE(ltr.first, 2 * middle - before.first - firstWidth);

        f.form.NEXTP_Click();
        QCOMPARE(f.shownPages(), u"3-4"_qs);
        QVERIFY(placesOf(c, stretched).first < placesOf(c, stretched).second);

        f.form.PRVP_Click();
        f.form.menuClick(MenuItem::leftToRight);
        QVERIFY(!c.menu(MenuItem::leftToRight).checked);
        QCOMPARE(f.platform.settings.values.value(leftToRightKey), u"0"_qs);
        QCOMPARE(placesOf(c, stretched).first, before.first);
        QCOMPARE(placesOf(c, stretched).second, before.second);
    }

    // A spread wider than the viewing area starts at its first page's side: the left.
    void aWideSpreadStartsAtItsFirstPage()
    {
        ViewerFixture f;
        f.platform.pictures.defaultSize = QSize(600, 500);
        f.form.menuClick(MenuItem::leftToRight);
        f.open(f.makeBook(4));
        const Form1Controls& c = f.form.controls();
        QVERIFY(c.picture1.width > c.nori.width);
        QCOMPARE(c.picture1.left, 0.0);
        QCOMPARE(c.picture2.left, 0.0);
    }

    // The direction is the reader's: kept for the next start.
    void theDirectionIsKept()
    {
        ViewerFixture first;
        first.form.menuClick(MenuItem::leftToRight);
        ViewerFixture second(false);
        second.platform.settings.values = first.platform.settings.values;
        second.form.Form_Load();
        QVERIFY(second.form.controls().menu(MenuItem::leftToRight).checked);
        QCOMPARE(second.form.viewMode().direction, ReadingDirection::LeftToRight);
    }
};

QTEST_GUILESS_MAIN(TestReadingDirection)
#include "tst_reading_direction.moc"
