#include "platform/ui/dropped_files.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace ruvo;

class TestDroppedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Only local files are for the viewer, in the order they were dropped.
    void localFilesOnly_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("one folder") << QList<QUrl>{QUrl::fromLocalFile("/books/漫画 1")} << QString()
                                    << QStringList{"/books/漫画 1"};
        QTest::newRow("several, in order")
            << QList<QUrl>{QUrl::fromLocalFile("/b/2.jpg"), QUrl::fromLocalFile("/a/1.jpg")} << QString()
            << QStringList{"/b/2.jpg", "/a/1.jpg"};
        QTest::newRow("remote links are left out")
            << QList<QUrl>{QUrl("https://example.org/p.jpg"), QUrl::fromLocalFile("/a/1.jpg"),
                           QUrl("sftp://h/x")}
            << QString() << QStringList{"/a/1.jpg"};
        QTest::newRow("escaped characters")
            << QList<QUrl>{QUrl("file:///a/%E6%BC%AB%20b.jpg")} << QString() << QStringList{"/a/漫 b.jpg"};
        QTest::newRow("bytes that are not UTF-8")
            << QList<QUrl>{QUrl("file:///a/%82%A0.jpg")} << QString()
            << QStringList{QStringLiteral("/a/") + QChar(0xDC82) + QChar(0xDCA0) + QStringLiteral(".jpg")};
        QTest::newRow("text alone") << QList<QUrl>{} << QStringLiteral("/a/1.jpg") << QStringList{};
        QTest::newRow("nothing") << QList<QUrl>{} << QString() << QStringList{};
    }
    void localFilesOnly()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(urls);
        if (!text.isEmpty())
            data.setText(text);
        QTEST(droppedFiles(&data), "paths");
    }

    void noDataAtAll()
    {
        QVERIFY(droppedFiles(nullptr).isEmpty());
        QMimeData image;
        image.setImageData(QVariant());
        image.setData("application/octet-stream", "bytes");
        QVERIFY(droppedFiles(&image).isEmpty());
    }
};

QTEST_MAIN(TestDroppedFiles)
#include "tst_dropped_files.moc"
