#include "books/books.h"
#include "browse/ui/folder_tree_model.h"
#include "platform/local_file_services.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"

#include <QIcon>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;

// The folder tree as the views see it.
class TestFolderTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Items lead to their folders and back, and a folder made after its parent was read is
    // found all the same.
    void findsFoldersOldAndNew()
    {
        QTemporaryDir dir;
        LocalFileServices files;
        const Books books(files);
        QVERIFY(files.createFolder(dir.path() + QStringLiteral("/a")));
        FolderTreeModel model(files, books);
        model.setRoot(dir.path());
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex root = model.index(0, 0);
        QCOMPARE(model.pathOf(root), dir.path());

        const QModelIndex a = model.indexOf(dir.path() + QStringLiteral("/a"));
        QVERIFY(a.isValid());
        QCOMPARE(a.data().toString(), QStringLiteral("a"));
        QCOMPARE(model.parent(a), root);
        QCOMPARE(model.rowCount(root), 1);
        QVERIFY(model.hasChildren(a));
        QCOMPARE(model.rowCount(a), 0);
        QVERIFY(!model.hasChildren(a));

        QVERIFY(files.createFolder(dir.path() + QStringLiteral("/b")));
        const QModelIndex b = model.indexOf(dir.path() + QStringLiteral("/b"));
        QVERIFY(b.isValid());
        QCOMPARE(b.data().toString(), QStringLiteral("b"));
        QCOMPARE(b.row(), 1);
        QCOMPARE(model.rowCount(model.parent(b)), 2);
        QVERIFY(!model.indexOf(dir.path() + QStringLiteral("/missing")).isValid());
    }

    // An archive book stands among the folders with the program's own book icon.
    void archivesShowAsBooks()
    {
        QTemporaryDir dir;
        LocalFileServices files;
        const Books books(files);
        QVERIFY(files.createFolder(dir.path() + QStringLiteral("/folder")));
        test::putIn(dir, QStringLiteral("Vol01.cbz"),
                    test::storedZip({{"p1.png", test::pagePicture(Qt::red)}}));
        FolderTreeModel model(files, books);
        model.setRoot(dir.path());
        const QModelIndex archive = model.indexOf(dir.path() + QStringLiteral("/Vol01.cbz"));
        const QModelIndex folder = model.indexOf(dir.path() + QStringLiteral("/folder"));
        QVERIFY(archive.isValid() && folder.isValid());
        const QImage drawn = archive.data(Qt::DecorationRole).value<QIcon>().pixmap(24).toImage();
        const QIcon own(QStringLiteral(":/icons/archive_book.svg"));
        QVERIFY(!own.isNull());
        QCOMPARE(drawn, own.pixmap(24).toImage());
        QVERIFY(drawn != folder.data(Qt::DecorationRole).value<QIcon>().pixmap(24).toImage());
    }
};

QTEST_MAIN(TestFolderTreeModel)
#include "tst_folder_tree_model.moc"
