#include "browse/form10.h"
#include "browse/form11.h"
#include "browse/ui/folder_chooser_window.h"
#include "browse/ui/new_folder_window.h"
#include "support/test_platform.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

namespace {

QPushButton* button(QWidget* window, const QString& text)
{
    for (QPushButton* candidate : window->findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

} // namespace

class TestFolderChooserWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enterInTheNameMakesTheFolderOnce()
    {
        QTemporaryDir dir;
        TestPlatform platform;
        ViewerState state;
        Form10 chooser(platform.platform(), state);
        chooser.Form_Load(dir.path());
        Form11 logic(platform.platform(), chooser);
        logic.Form_Load();
        NewFolderWindow window(logic);
        window.show();
        auto* name = window.findChild<QLineEdit*>();
        QVERIFY(name);
        QTest::keyClicks(name, u"shelf"_s);
        QTest::keyClick(name, Qt::Key_Return);
        // A second OK from a default button would report the folder as already there.
        QVERIFY(platform.messages.shown.isEmpty());
        QVERIFY(QFileInfo(dir.path() + u"/shelf"_s).isDir());
        QCOMPARE(chooser.folder(), dir.path() + u"/shelf"_s);
        QVERIFY(!window.isVisible());
    }

    void enterOnAnExistingNameReportsOnce()
    {
        QTemporaryDir dir;
        TestPlatform platform;
        ViewerState state;
        QDir().mkpath(dir.path() + u"/taken"_s);
        Form10 chooser(platform.platform(), state);
        chooser.Form_Load(dir.path());
        Form11 logic(platform.platform(), chooser);
        logic.Form_Load();
        NewFolderWindow window(logic);
        window.show();
        auto* name = window.findChild<QLineEdit*>();
        QVERIFY(name);
        QTest::keyClicks(name, u"taken"_s);
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(platform.messages.shown.size(), 1);
        QVERIFY(window.isVisible());
        QCOMPARE(chooser.folder(), dir.path());
    }

    void chooserShowsTheShelfFileAndSwitches()
    {
        QTemporaryDir dir;
        TestPlatform platform;
        ViewerState state;
        QDir().mkpath(dir.path() + u"/program"_s);
        state.programFolder = dir.path() + u"/program"_s;
        QFile shelf(dir.path() + u"/Hondana.ruv"_s);
        QVERIFY(shelf.open(QIODevice::WriteOnly));
        shelf.write("0\r\n");
        shelf.close();
        Form10 logic(platform.platform(), state);
        logic.Form_Load(dir.path());
        FolderChooserWindow window(logic);
        window.show();
        auto* files = window.findChild<QListWidget*>();
        QVERIFY(files);
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), u"Hondana.ruv"_s);
        QPushButton* ok = button(&window, u"OK"_s);
        QVERIFY(ok);
        QVERIFY(button(&window, u"ﾌｫﾙﾀﾞ作成"_s));
        ok->click();
        QCOMPARE(state.shelfFolder, dir.path());
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestFolderChooserWindows)
#include "tst_folder_chooser_windows.moc"
