#include "browse/ui/browser_window.h"
#include "platform/native_name.h"
#include "support/archive_fixtures.h"
#include "support/raw_files.h"
#include "support/viewer_fixture.h"
#include "viewer/ui/main_window.h"

#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

using namespace ruvo;
using namespace ruvo::test;

class TestBrowserWindow : public QObject
{
    Q_OBJECT

    static void drop(QWidget* target, QMimeData* data)
    {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent dropEvent(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropEvent);
    }

private Q_SLOTS:
    void dropsOnTheMainWindow()
    {
        ViewerFixture f;
        MainWindow window(f.form, f.platform.delays);
        const QString book = f.makeBook(4);

        QMimeData text;
        text.setText(book);
        drop(&window, &text);
        QVERIFY(f.form.controls().list1.isEmpty());

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(book + "/p3.jpg"), QUrl::fromLocalFile(book + "/p1.jpg")});
        drop(&window, &files);
        QCOMPARE(f.form.controls().list1, QStringList({book + "/p3.jpg", book + "/p1.jpg"}));
        QCOMPARE(f.index(), 3);
        QCOMPARE(window.windowTitle(), "Ruvo - " + book);
    }

    void theBrowserOpensABookAtTheChosenPage()
    {
        ViewerFixture f;
        const QString book = f.makeBook(6);
        f.browser.Dir1_Change(book);
        f.browser.MEMOR();
        BrowserWindow browser(f.browser);
        QTimer::singleShot(0, &browser, [&browser] {
            auto* files = browser.findChild<QListWidget*>();
            files->setCurrentRow(4);
            for (QPushButton* button : browser.findChildren<QPushButton*>()) {
                if (button->text() == "OK")
                    button->click();
            }
        });
        browser.exec();
        QVERIFY(!f.browser.isVisible());
        QCOMPARE(f.index(), 5);
        QCOMPARE(f.panel(3), QStringLiteral("[5] p5.jpg"));
    }

    // The folder tree shows the open book's folder chosen, names in code-page 932 bytes
    // readable; choosing such a folder lists its pages, the folder known by its bytes.
    void theTreeShowsAndChoosesFoldersByTheirBytes()
    {
        ViewerFixture f;
        const QString book = f.makeBook(2);
        const QString legacy = f.dir.path() + u'/' + nameFromNative("\x95\x5C\x8E\x86");
        QVERIFY(f.platform.files.createFolder(legacy));
        for (const char* page : {"/1.jpg", "/2.jpg", "/3.jpg"})
            QVERIFY(putRawFile(nativeName(legacy) + page, "page"));
        f.browser.Dir1_Change(book);
        f.browser.MEMOR();
        BrowserWindow browser(f.browser);
        QString shown;
        QString chosen;
        QStringList listed;
        QTimer::singleShot(0, &browser, [&] {
            auto* tree = browser.findChild<QTreeView*>();
            shown = tree->currentIndex().data().toString();
            const QModelIndex parent = tree->currentIndex().parent();
            for (int row = 0; row < tree->model()->rowCount(parent); ++row) {
                const QModelIndex folder = tree->model()->index(row, 0, parent);
                if (folder.data().toString() == QStringLiteral("表紙"))
                    tree->setCurrentIndex(folder);
            }
            chosen = f.browser.folder();
            auto* files = browser.findChild<QListWidget*>();
            for (int row = 0; row < files->count(); ++row)
                listed.append(files->item(row)->text());
            QTest::keyClick(&browser, Qt::Key_Escape);
        });
        browser.exec();
        QCOMPARE(shown, QStringLiteral("book"));
        QCOMPARE(nativeName(chosen), nativeName(legacy));
        QCOMPARE(listed, QStringList({"1.jpg", "2.jpg", "3.jpg"}));
        QVERIFY(removeRawTree(nativeName(legacy)));
    }

    // An archive stands in the tree beside the folders; choosing it lists its pages.
    void choosingAnArchiveListsItsPages()
    {
        ViewerFixture f;
        const QString book = f.makeBook(2);
        const QByteArray page = jpegOf(QSize(8, 8), Qt::red);
        QVERIFY(putRawFile(nativeName(f.dir.path() + QStringLiteral("/Vol02.cbz")),
                           storedZip({{"Vol02/002.jpg", page}, {"Vol02/001.jpg", page}})));
        f.browser.Dir1_Change(book);
        f.browser.MEMOR();
        BrowserWindow browser(f.browser);
        QStringList listed;
        QTimer::singleShot(0, &browser, [&] {
            auto* tree = browser.findChild<QTreeView*>();
            const QModelIndex parent = tree->currentIndex().parent();
            for (int row = 0; row < tree->model()->rowCount(parent); ++row) {
                const QModelIndex entry = tree->model()->index(row, 0, parent);
                if (entry.data().toString() == QStringLiteral("Vol02.cbz"))
                    tree->setCurrentIndex(entry);
            }
            auto* files = browser.findChild<QListWidget*>();
            for (int row = 0; row < files->count(); ++row)
                listed.append(files->item(row)->text());
            QTest::keyClick(&browser, Qt::Key_Escape);
        });
        browser.exec();
        QCOMPARE(listed, QStringList({"Vol02/001.jpg", "Vol02/002.jpg"}));
    }

    void escapeCancels()
    {
        ViewerFixture f;
        const QString book = f.makeBook(2);
        f.open(book);
        BrowserWindow browser(f.browser);
        QTimer::singleShot(0, &browser, [&f, &browser] {
            f.browser.Dir1_Change(f.makeBook(3, "other"));
            QTest::keyClick(&browser, Qt::Key_Escape);
        });
        browser.exec();
        QCOMPARE(f.browser.folder(), book);
    }
};

QTEST_MAIN(TestBrowserWindow)
#include "tst_browser_window.moc"
