#include "support/view_modes.h"
#include "support/viewer_fixture.h"
#include "viewer/status_texts.h"

#include <QTest>

#include <memory>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

// What the window shows of the pages: which picture stands where, at what size, and what
// the status bar says of them.
QStringList shown(const ViewerFixture& f)
{
    const Form1Controls& c = f.form.controls();
    QStringList lines;
    for (const Surface* surface : {&c.picture1, &c.picture2, &c.picture3, &c.image1, &c.image2})
        lines.append(u"%1 %2,%3 %4x%5 %6"_s.arg(surface->visible)
                         .arg(surface->left)
                         .arg(surface->top)
                         .arg(surface->width)
                         .arg(surface->height)
                         .arg(f.shownColor(*surface).name()));
    for (int panel = 1; panel <= 3; ++panel)
        lines.append(f.panel(panel));
    lines.append(f.shownPages());
    return lines;
}

// A book of pages of many shapes, so that a page shown at the wrong size shows.
QString bookOfManyShapes(ViewerFixture& f)
{
    const QString book = f.makeBook(8);
    for (int i = 1; i <= 8; ++i)
        f.platform.pictures.sizes.insert(ViewerFixture::pageName(i, 8), QSize(300 + 97 * i, 900 - 61 * i));
    return book;
}

// The fixture opened on the book in the mode, its first spread on screen.
void openIn(ViewerFixture& f, bool onePage, bool stretched)
{
    const QString book = bookOfManyShapes(f);
    f.setOnePageMode(onePage);
    setStretched(f.form, stretched);
    f.open(book);
}

// Lets the pages waited for arrive, and the window take them.
void arrive(ViewerFixture& f)
{
    f.platform.pages.finishLater();
    QCoreApplication::processEvents();
}

} // namespace

class TestForm1AwaitedPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modes_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::addColumn<bool>("stretched");
        QTest::addColumn<int>("turns");
        QTest::newRow("one page, actual size") << true << false << 1;
        QTest::newRow("one page, stretched") << true << true << 1;
        QTest::newRow("two pages, actual size") << false << false << 1;
        QTest::newRow("two pages, stretched") << false << true << 1;
        QTest::newRow("two pages, three turns at once") << false << false << 3;
        QTest::newRow("one page, three turns at once, stretched") << true << true << 3;
    }

    // A turn to pages not yet decoded returns at once: the pages on screen stay as they were,
    // with the status bar saying the new ones are loading, until they are there. Then the
    // window shows exactly what the same turns show when the pages come at once, and turns
    // made meanwhile land where they would have, the pages passed over never decoded.
    void aTurnToPagesNotDecodedWaitsWithTheWindowFree_data() { modes_data(); }
    void aTurnToPagesNotDecodedWaitsWithTheWindowFree()
    {
        QFETCH(bool, onePage);
        QFETCH(bool, stretched);
        QFETCH(int, turns);
        ViewerFixture at_once;
        openIn(at_once, onePage, stretched);
        ViewerFixture awaited;
        openIn(awaited, onePage, stretched);
        const QStringList before = shown(awaited);

        awaited.platform.pages.decodesLater = true;
        awaited.platform.pictures.decoded.clear();
        for (int i = 0; i < turns; ++i) {
            at_once.form.NEXTP_Click();
            awaited.form.NEXTP_Click();
        }
        QVERIFY(awaited.platform.pictures.decoded.isEmpty());
        QCOMPARE(awaited.panel(3), StatusText::loading());
        const QStringList meanwhile = shown(awaited);
        // The pictures are those shown before, where they were.
        QCOMPARE(meanwhile.mid(0, 5), before.mid(0, 5));
        QCOMPARE(awaited.index(), at_once.index());

        arrive(awaited);
        QCOMPARE(shown(awaited), shown(at_once));
        const int wanted = onePage ? 1 : 2;
        QCOMPARE(awaited.platform.pictures.decoded.size(), wanted);
    }

    // A page that cannot be decoded is told when it arrives, and the placeholder stands in
    // its place; until then nothing is said.
    void aDamagedPageIsToldWhenItArrives()
    {
        ViewerFixture f;
        openIn(f, true, false);
        f.platform.pictures.damaged.insert(u"p2.jpg"_s);
        f.platform.pages.decodesLater = true;
        f.form.NEXTP_Click();
        QVERIFY(f.platform.messages.shown.isEmpty());
        arrive(f);
        QCOMPARE(f.platform.messages.shown.size(), 1);
        QVERIFY(f.platform.messages.shown.first().text.contains(u"p2.jpg"_s));
        QCOMPARE(f.form.controls().picture2.picture, f.form.placeholderPicture());
        QCOMPARE(f.panel(3), StatusText::pageLabel(1, u"p2.jpg"_s));
    }

    // A book opened while a page of the last one is awaited is shown as it is opened; the
    // page awaited, when it comes, is not put in its place.
    void anotherBookOpenedMeanwhileKeepsItsPages()
    {
        ViewerFixture f;
        openIn(f, true, false);
        f.platform.pages.decodesLater = true;
        f.form.NEXTP_Click();
        const QString other = f.makeBook(3, u"other"_s);
        f.platform.pages.ready.insert(other + u"/p1.jpg"_s);
        f.open(other);
        QCOMPARE(f.shownColor(f.form.controls().picture2), ViewerFixture::colorOf(u"p1.jpg"_s));
        const QStringList opened = shown(f);
        arrive(f);
        QCOMPARE(shown(f), opened);
    }

    // A page decoded at the size it was drawn stretched, then drawn larger, stays on screen as
    // it is, drawn larger, while it is decoded again, and is then drawn from the new picture:
    // at its own size at actual size, at the new size stretched larger.
    void aPageDrawnLargerIsSharpenedOnceDecodedAgain_data()
    {
        QTest::addColumn<bool>("toActualSize");
        QTest::newRow("stretched, then at actual size") << true;
        QTest::newRow("stretched in a larger window") << false;
    }
    void aPageDrawnLargerIsSharpenedOnceDecodedAgain()
    {
        QFETCH(bool, toActualSize);
        ViewerFixture f;
        const QString book = f.makeBook(4);
        f.platform.pictures.defaultSize = QSize(4000, 6000);
        f.platform.pages.decodesAtDrawnSize = true;
        f.setOnePageMode(true);
        setStretched(f.form, true);
        f.open(book);
        const QSize small = f.form.controls().picture2.picture.size();
        QCOMPARE_LT(small.width(), 1000);

        f.platform.pages.decodesLater = true;
        f.platform.pictures.decoded.clear();
        if (toActualSize)
            f.form.hyhtt_Click();
        else
            f.setArea(45000, 30000);
        QCOMPARE(f.form.controls().picture2.picture.size(), small);
        QVERIFY(f.platform.pictures.decoded.isEmpty());
        arrive(f);
        QCOMPARE(f.platform.pictures.decoded, QStringList{book + u"/p1.jpg"_s});
        const QSize sharper = f.form.controls().picture2.picture.size();
        if (toActualSize) {
            QCOMPARE(sharper, QSize(4000, 6000));
        } else {
            QCOMPARE_GT(sharper.height(), small.height());
            QCOMPARE(f.form.controls().image1.picture.size(), sharper);
        }
    }

    // The window is told once when the awaited pages are on screen.
    void theArrivalIsOneChange()
    {
        ViewerFixture f;
        openIn(f, false, true);
        f.platform.pages.decodesLater = true;
        f.form.NEXTP_Click();
        int changes = 0;
        connect(&f.form, &Form1::changed, this, [&changes] { ++changes; });
        arrive(f);
        QCOMPARE(changes, 1);
        QCOMPARE(f.shownPages(), u"3-4"_s);
    }
};

QTEST_GUILESS_MAIN(TestForm1AwaitedPages)
#include "tst_form1_awaited_pages.moc"
