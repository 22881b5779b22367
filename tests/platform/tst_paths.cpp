#include "platform/paths.h"

#include <QTest>

using namespace ruvo;

class TestPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void join_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("root is not doubled") << "/"
                                             << "a.jpg"
                                             << "/a.jpg";
        QTest::newRow("sub-folder") << "/books/one"
                                    << "a.jpg"
                                    << "/books/one/a.jpg";
        QTest::newRow("folder given with separator") << "/books/"
                                                     << "a.jpg"
                                                     << "/books/a.jpg";
        QTest::newRow("japanese") << "/本/漫画"
                                  << "ﾍﾟｰｼﾞ1.bmp"
                                  << "/本/漫画/ﾍﾟｰｼﾞ1.bmp";
    }
    void join()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(joinPath(folder, name), expected);
    }

    void folderForms_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("withoutSeparator");
        QTest::addColumn<QString>("folderForm");
        QTest::newRow("root") << "/"
                              << ""
                              << "/";
        QTest::newRow("trailing separator") << "/books/"
                                            << "/books"
                                            << "/books";
        QTest::newRow("plain") << "/books"
                               << "/books"
                               << "/books";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void folderForms()
    {
        QFETCH(QString, path);
        QFETCH(QString, withoutSeparator);
        QFETCH(QString, folderForm);
        QCOMPARE(withoutTrailingSeparator(path), withoutSeparator);
        QCOMPARE(folderPathForm(path), folderForm);
    }

    void splitting_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("file at root") << "/a.jpg"
                                      << "/"
                                      << "a.jpg";
        QTest::newRow("nested") << "/x/y/z.gif"
                                << "/x/y"
                                << "z.gif";
        QTest::newRow("bare name") << "z.gif"
                                   << ""
                                   << "z.gif";
    }
    void splitting()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QCOMPARE(folderOf(path), folder);
        QCOMPARE(fileNameOf(path), name);
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
