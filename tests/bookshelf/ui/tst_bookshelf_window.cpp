#include "bookshelf/shelf_fixture.h"
#include "bookshelf/ui/bookshelf_window.h"
#include "bookshelf/ui/shelf_canvas.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

using namespace ruvo;
using namespace ruvo::test;

class TestBookshelfWindow : public QObject
{
    Q_OBJECT

private:
    static QStringList panelTexts(const BookshelfWindow& window)
    {
        QStringList texts;
        for (const QLabel* label : window.findChild<QStatusBar*>()->findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    }
    static QPoint centreOf(const QRect& rect) { return rect.center(); }

private Q_SLOTS:
    void initTestCase()
    {
        // The toolbar's pictures are compiled into the program, not into the tests.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.svg.warning=false"));
    }

    void showsAShelfOfThreeBooks()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(3);
        Form6& form = f.create();
        BookshelfWindow window(form);
        window.loadAndShow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QStringLiteral("本棚"));
        QCOMPARE(panelTexts(window), QStringList({"登録本数 3 冊", "レディ"}));
        QCOMPARE(window.size(), QSize(607, 400)); // 9100 x 6000 twips
        QCOMPARE(form.columnsPerRow(), 4);

        // Each thumbnail fills its icon on the dark shelf.
        const QImage shown = window.canvas()->grab().toImage();
        for (int i = 0; i < 3; ++i) {
            const QRect image = form.controls().icons.at(i).image;
            QCOMPARE(shown.pixelColor(centreOf(image)), ShelfFixture::colorOf(entries.at(i).thumbnailFile));
            QCOMPARE(shown.pixelColor(image.topLeft()), ShelfFixture::colorOf(entries.at(i).thumbnailFile));
        }
        QCOMPARE(shown.pixelColor(2, 2), QColor(64, 64, 64));

        QStringList keys;
        for (QAction* action : window.findChild<QToolBar*>()->actions()) {
            if (!action->objectName().isEmpty())
                keys.append(action->objectName());
        }
        QCOMPARE(keys, QStringList({"modor", "saisita", "down", "up", "saiue", "henkouda", "kes", "seiretu",
                                    "sinki"}));
        QVERIFY(!window.findChild<QAction*>("kes")->isEnabled());
        QCOMPARE(window.findChild<QAction*>("sinki")->toolTip(),
                 QStringLiteral("別の本棚データを読み込む、または新規に作成"));
    }

    void clickSelectsAndTheRenameBoxKeepsEnter()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.create();
        BookshelfWindow window(form);
        window.loadAndShow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(window.canvas(), Qt::LeftButton, {}, centreOf(form.controls().icons.at(1).image));
        QVERIFY(form.isSelected());
        QCOMPARE(form.selectedIndex(), 1);
        QCOMPARE(panelTexts(window).at(1), form.controls().icons.at(1).toolTip);
        QVERIFY(window.findChild<QAction*>("kes")->isEnabled());

        window.findChild<QAction*>("henkouda")->trigger();
        auto* box = window.canvas()->findChild<QLineEdit*>();
        QVERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Book 2"));
        box->setFocus();
        QTest::keyClicks(box, "X");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(form.entries().at(1).title, QStringLiteral("X"));
        QVERIFY(!box->isVisible());
        // The Enter that ended the rename opened nothing.
        QVERIFY(window.isVisible());
        QCOMPARE(f.closeRequests->count(), 0);

        // Arrows move the selection; Escape does not close the shelf.
        QTest::keyClick(window.canvas(), Qt::Key_Right);
        QCOMPARE(form.selectedIndex(), 2);
        QTest::keyClick(window.canvas(), Qt::Key_Escape);
        QVERIFY(window.isVisible());
    }

    // The wheel over the icons scrolls the shelf, as it does over the scroll bar.
    void theWheelOverTheIconsScrollsTheShelf()
    {
        ShelfFixture f;
        f.makeShelf(40);
        Form6& form = f.create();
        BookshelfWindow window(form);
        window.loadAndShow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* bar = window.findChild<QScrollBar*>();
        QVERIFY(bar && bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        const QPoint over = form.controls().icons.at(0).image.center();
        QWheelEvent down(over, window.canvas()->mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.canvas(), &down);
        QVERIFY(bar->value() > 0);
        QCOMPARE(form.controls().vscroll1.value, bar->value());
    }

    void closingAsksAndStoresTheSize()
    {
        ShelfFixture f;
        f.makeShelf(3);
        Form6& form = f.create();
        BookshelfWindow window(form);
        window.loadAndShow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.canvas(), Qt::LeftButton, {}, centreOf(form.controls().icons.at(0).image));
        window.findChild<QAction*>("kes")->trigger();
        QCOMPARE(panelTexts(window).at(0), QStringLiteral("登録本数 2 冊"));
        window.resize(700, 450);
        f.messages().answers = {MessageAnswer::No};
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.platform().settings.get("subsizew"), QStringLiteral("10500"));
        QCOMPARE(f.platform().settings.get("subsizeh"), QStringLiteral("6750"));
        QCOMPARE(f.platform().settings.get("subbotan"), QStringLiteral("0"));
    }

    void doubleClickOpensTheBook()
    {
        ShelfFixture f;
        const QList<ShelfEntry> entries = f.makeShelf(2);
        Form6& form = f.create();
        BookshelfWindow window(form);
        window.loadAndShow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint point = centreOf(form.controls().icons.at(1).image);
        QTest::mousePress(window.canvas(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(window.canvas(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(window.canvas(), Qt::LeftButton, {}, point);
        QVERIFY(!window.isVisible());
        QCOMPARE(f.viewer.state.shownPagePath, entries.at(1).bookPath);
    }
};

QTEST_MAIN(TestBookshelfWindow)
#include "tst_bookshelf_window.moc"
