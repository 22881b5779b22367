#include "platform/argument_path.h"

#include <QTest>
#include <QUrl>

using namespace ruvo;

class TestArgumentPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pathOfArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing") << ""
                                 << "";
        QTest::newRow("plain path") << "/books/vol1"
                                    << "/books/vol1";
        QTest::newRow("relative path") << "books/vol1/p002.jpg"
                                       << "books/vol1/p002.jpg";
        QTest::newRow("dot-relative path") << "./vol1"
                                           << "./vol1";
        QTest::newRow("path with spaces") << "/books/my book/p 1.jpg"
                                          << "/books/my book/p 1.jpg";
        QTest::newRow("Japanese path") << "/本棚/漫画 第1巻/表紙.jpg"
                                       << "/本棚/漫画 第1巻/表紙.jpg";
        QTest::newRow("a name with a colon is a path") << "vol:1/p1.jpg"
                                                       << "vol:1/p1.jpg";
        QTest::newRow("a URI inside a path is a path") << "/books/http://x"
                                                       << "/books/http://x";
        QTest::newRow("percent sign in a path stays") << "/books/100%20"
                                                      << "/books/100%20";
        QTest::newRow("file URI") << "file:///books/vol1"
                                  << "/books/vol1";
        QTest::newRow("file URI with spaces encoded") << "file:///books/my%20book/p%201.jpg"
                                                      << "/books/my book/p 1.jpg";
        QTest::newRow("file URI with Japanese encoded")
            << "file:///%E6%9C%AC%E6%A3%9A/%E6%BC%AB%E7%94%BB%20%E7%AC%AC1%E5%B7%BB"
            << "/本棚/漫画 第1巻";
        QTest::newRow("file URI with Japanese as it stands") << "file:///本棚/漫画 第1巻"
                                                             << "/本棚/漫画 第1巻";
        QTest::newRow("file URI with an encoded percent") << "file:///books/100%25"
                                                          << "/books/100%";
        QTest::newRow("file URI with an encoded hash") << "file:///books/%231.jpg"
                                                       << "/books/#1.jpg";
        QTest::newRow("file URI of localhost") << "file://localhost/books/vol1"
                                               << "/books/vol1";
        QTest::newRow("file URI in capitals") << "FILE:///books/vol1"
                                              << "/books/vol1";
        QTest::newRow("short file URI") << "file:/books/vol1"
                                        << "/books/vol1";
        QTest::newRow("file URI of the root") << "file:///"
                                              << "/";
        QTest::newRow("file URI of another host refused") << "file://server/books/vol1"
                                                          << "";
        QTest::newRow("web address refused") << "https://example.com/books/p1.jpg"
                                             << "";
        QTest::newRow("network share refused") << "smb://server/books/vol1"
                                               << "";
        QTest::newRow("remote folder refused") << "sftp://me@server/books"
                                               << "";
        QTest::newRow("trash refused") << "trash:///vol1"
                                       << "";
        QTest::newRow("file URI of bytes that are not UTF-8")
            << "file:///books/%8A%BF%8E%9A"
            << QStringLiteral("/books/") + QChar(0xDC8A) + QChar(0xDCBF) + QChar(0xDC8E) + QChar(0xDC9A);
    }
    void pathOfArgument()
    {
        QFETCH(QString, argument);
        QTEST(ruvo::pathOfArgument(argument), "expected");
    }

    // What a file manager passes for a local file comes back exactly.
    void encodedPathsComeBack_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("spaces") << "/books/my book/p 1.jpg";
        QTest::newRow("Japanese") << "/本棚/漫画　第１巻/ページ01.JPG";
        QTest::newRow("reserved characters") << "/books/a#b?c%d;e[1].gif";
    }
    void encodedPathsComeBack()
    {
        QFETCH(QString, path);
        const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
        QVERIFY(uri.startsWith(QStringLiteral("file:///")));
        QCOMPARE(ruvo::pathOfArgument(uri), path);
    }
};

QTEST_GUILESS_MAIN(TestArgumentPath)
#include "tst_argument_path.moc"
