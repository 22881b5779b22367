#include "books/books.h"
#include "browse/folder_tree.h"
#include "platform/local_file_services.h"
#include "platform/native_name.h"
#include "support/archive_fixtures.h"
#include "support/pdf_fixtures.h"
#include "support/raw_files.h"

#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace ruvo;
using namespace ruvo::test;

// The folder tree on real folders, some named in code-page 932 bytes.
class TestFolderTree : public QObject
{
    Q_OBJECT

private:
    QString folder(const QString& name)
    {
        const QString path = m_root + u'/' + name;
        if (!m_files.createFolder(path))
            return {};
        return path;
    }

    QTemporaryDir m_dir;
    QString m_root;
    LocalFileServices m_files;
    Books m_books{m_files};

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_root = m_dir.path() + QStringLiteral("/tree");
        QVERIFY(m_files.createFolder(m_root));
    }
    void cleanup() { QVERIFY(removeRawTree(nativeName(m_root))); }

    // Folders only, hidden ones left out, a link to a folder kept; in the order the reader
    // reads the names, whatever bytes they are in, each shown by its readable name.
    void listsFoldersInReadingOrder()
    {
        const QString contents = folder(nameFromNative("\x96\xDA\x8E\x9F\x30\x34"));
        const QString afterword = folder(nameFromNative("\x82\xA0\x82\xC6\x82\xAA\x82\xAB\x30\x35"));
        QVERIFY(!contents.isEmpty() && !afterword.isEmpty());
        for (const QString& name : {QStringLiteral("表紙"), QStringLiteral("ページ02"), QStringLiteral("b"),
                                    QStringLiteral("A"), QStringLiteral(".hidden")})
            QVERIFY(!folder(name).isEmpty());
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/a file")), "page"));
        QCOMPARE(::symlink("A", nativeName(m_root + QStringLiteral("/link to A")).constData()), 0);
        QCOMPARE(::symlink("nowhere", nativeName(m_root + QStringLiteral("/dangling")).constData()), 0);

        FolderTree tree(m_files, m_books);
        tree.setRoot(m_root + u'/');
        QCOMPARE(tree.root(), m_root);
        QVERIFY(tree.mayHaveChildren(0));
        QStringList labels;
        QStringList paths;
        for (FolderTree::Node child : tree.children(0)) {
            labels.append(tree.label(child));
            paths.append(tree.path(child));
            QCOMPARE(tree.parent(child), 0);
            QCOMPARE(tree.row(child), labels.size() - 1);
        }
        QCOMPARE(labels, QStringList({"A", "b", "link to A", "あとがき05", "ページ02", "目次04", "表紙"}));
        QCOMPARE(paths.at(3), afterword);
        QCOMPARE(paths.at(5), contents);
    }

    // A folder is found by its exact path, every folder on the way read; a path elsewhere or
    // not there is not.
    void findsAFolderByItsBytes()
    {
        const QString legacy = folder(nameFromNative("\x95\x5C\x8E\x86"));
        QVERIFY(!legacy.isEmpty());
        const QString inside = legacy + QStringLiteral("/Vol01");
        QVERIFY(m_files.createFolder(inside));
        QVERIFY(!folder(QStringLiteral("表紙")).isEmpty());

        FolderTree tree(m_files, m_books);
        tree.setRoot(m_root);
        const FolderTree::Node found = tree.find(inside);
        QVERIFY(found != FolderTree::None);
        QCOMPARE(nativeName(tree.path(found)), nativeName(inside));
        // Found, it is not read yet.
        QVERIFY(!tree.childrenRead(found));
        QVERIFY(tree.mayHaveChildren(found));
        QCOMPARE(tree.label(tree.parent(found)), QStringLiteral("表紙"));
        QCOMPARE(nativeName(tree.path(tree.parent(found))), nativeName(legacy));
        QCOMPARE(tree.find(m_root + u'/'), 0);
        QCOMPARE(tree.find(inside + QStringLiteral("/missing")), FolderTree::None);
        QCOMPARE(tree.find(m_dir.path()), FolderTree::None);
        // Read on the way to a folder it lacks, it is known to be empty.
        QVERIFY(tree.childrenRead(found));
        QVERIFY(tree.children(found).isEmpty());
        QVERIFY(!tree.mayHaveChildren(found));
    }

    // An archive file, told by its content, stands among the folders as a book holding none; a
    // page is never taken for one, nor a file that only has an archive's name.
    void archivesStandAmongTheFolders()
    {
        const QByteArray zip = storedZip({{"001.jpg", jpegOf(QSize(8, 8), Qt::red)}});
        QVERIFY(!folder(QStringLiteral("Vol01")).isEmpty());
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/Vol02.cbz")), zip));
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/notes.dat")), zip));
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/fake.cbz")), jpegOf(QSize(8, 8), Qt::red)));
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/page.jpg")), zip));

        FolderTree tree(m_files, m_books);
        tree.setRoot(m_root);
        QStringList labels;
        QList<bool> archives;
        for (FolderTree::Node child : tree.children(0)) {
            labels.append(tree.label(child));
            archives.append(tree.isArchive(child));
            QCOMPARE(tree.mayHaveChildren(child), !tree.isArchive(child));
        }
        QCOMPARE(labels, QStringList({"notes.dat", "Vol01", "Vol02.cbz"}));
        QCOMPARE(archives, QList<bool>({true, false, true}));
        const FolderTree::Node book = tree.find(m_root + QStringLiteral("/Vol02.cbz"));
        QVERIFY(book != FolderTree::None);
        QVERIFY(tree.children(book).isEmpty());
    }

    // A PDF, told by its content whatever its name, stands among the folders as a book too.
    void pdfsStandAmongTheFolders()
    {
        const QByteArray pdf = picturePdf({{Qt::red, QSizeF(30, 20)}});
        QVERIFY(!folder(QStringLiteral("Vol01")).isEmpty());
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/Vol02.pdf")), pdf));
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/scan.bin")), pdf));
        QVERIFY(putRawFile(nativeName(m_root + QStringLiteral("/fake.pdf")), QByteArray("%PDX-1.4 not one")));

        FolderTree tree(m_files, m_books);
        tree.setRoot(m_root);
        QStringList labels;
        QList<bool> books;
        for (FolderTree::Node child : tree.children(0)) {
            labels.append(tree.label(child));
            books.append(tree.isArchive(child));
        }
        QCOMPARE(labels, QStringList({"scan.bin", "Vol01", "Vol02.pdf"}));
        QCOMPARE(books, QList<bool>({true, false, true}));
    }
};

QTEST_GUILESS_MAIN(TestFolderTree)
#include "tst_folder_tree.moc"
