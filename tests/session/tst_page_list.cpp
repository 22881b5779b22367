#include "books/books.h"
#include "books/page_names.h"
#include "platform/local_file_services.h"
#include "platform/native_name.h"
#include "session/page_list.h"
#include "support/scripted_file_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;
using namespace Qt::StringLiterals;

class TestPageList : public QObject
{
    Q_OBJECT

    static void touch(const QString& path)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    }

private Q_SLOTS:
    void recognisedExtensions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("image");
        for (const char* name : {"a.bmp", "a.jpg", "a.jpeg", "a.gif", "a.ico", "a.wmf", "a.emf", "A.JPEG",
                                 "b.Gif", "c.Ico", "d.WMF", "e.eMf", "/books/vol1/P002.JPG"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        for (const char* name :
             {"a.png", "a.jpg.txt", "jpg", "a.jp", "a.jpgx", "a.tiff", "/books/vol1", "a.jpg ", ""})
            QTest::newRow(name[0] ? name : "empty") << QString::fromLatin1(name) << false;
    }
    void recognisedExtensions()
    {
        QFETCH(QString, name);
        QTEST(hasPageExtension(name, PageFormats::Basic), "image");
    }

    void listsImagesOnlyInNameOrder_data()
    {
        QTest::addColumn<PageFormats>("formats");
        QTest::addColumn<QStringList>("pages");
        const QStringList basic{"A.jpeg",   "b.Gif",    "c.EMF", "link.bmp",
                                "p001.jpg", "P002.JPG", "y.ico", "z.wmf"};
        QTest::newRow("basic") << PageFormats::Basic << basic;
        QStringList all = basic;
        all.insert(6, "p003.png");
        QTest::newRow("all") << PageFormats::All << all;
    }
    void listsImagesOnlyInNameOrder()
    {
        QFETCH(PageFormats, formats);
        QFETCH(QStringList, pages);
        QTemporaryDir dir;
        for (const char* name : {"p003.png", "P002.JPG", "p001.jpg", "b.Gif", "A.jpeg", "c.EMF", "notes.txt",
                                 ".hidden.jpg", "z.wmf", "y.ico", "page.jpg.txt"})
            touch(dir.path() + "/" + name);
        QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
        QVERIFY(QFile::link(dir.path() + "/p001.jpg", dir.path() + "/link.bmp"));
        QVERIFY(QFile::link(dir.path() + "/missing.jpg", dir.path() + "/dangling.jpg"));

        LocalFileServices files;
        Books books(files);
        books.setFolderFormats(formats);
        PageList list;
        list.load(dir.path(), books);
        QCOMPARE(list.names(), pages);
        QCOMPARE(list.count(), pages.size());
        QCOMPARE(list.selectedIndex(), -1);
        QCOMPARE(list.folder(), dir.path());
    }

    void theTwoPageExampleFolder()
    {
        QTemporaryDir dir;
        for (const char* name : {"p001.jpg", "P002.JPG", "p003.png"})
            touch(dir.path() + "/" + name);
        LocalFileServices files;
        Books books(files);
        books.setFolderFormats(PageFormats::Basic);
        PageList list;
        list.load(dir.path(), books);
        QCOMPARE(list.names(), QStringList({"p001.jpg", "P002.JPG"}));
    }

    void sortIgnoresCase_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("case folded") << QStringList{"b.jpg", "C.jpg", "a.jpg"}
                                     << QStringList{"a.jpg", "b.jpg", "C.jpg"};
        QTest::newRow("digits as characters")
            << QStringList{"10.jpg", "9.jpg", "1.jpg"} << QStringList{"1.jpg", "10.jpg", "9.jpg"};
        QTest::newRow("same name in two cases stays stable")
            << QStringList{"a.jpg", "A.jpg", "a.JPG"} << QStringList{"A.jpg", "a.JPG", "a.jpg"};
        QTest::newRow("underscore") << QStringList{"a_b.jpg", "aB.jpg"} << QStringList{"a_b.jpg", "aB.jpg"};
        // Names in code page 932 bytes sort as the Japanese they read as, among UTF-8 names.
        const QString cover = nameFromNative("\x95\x5C\x8E\x86.jpg");
        const QString afterword = nameFromNative("\x82\xA0\x82\xC6\x82\xAA\x82\xAB\x30\x35.jpg");
        const QString contents = nameFromNative("\x96\xDA\x8E\x9F\x30\x34.jpg");
        QTest::newRow("code page 932 among UTF-8")
            << QStringList{u"ページ02.jpg"_s, u"ページ03.jpg"_s, cover, afterword, contents}
            << QStringList{afterword, u"ページ02.jpg"_s, u"ページ03.jpg"_s, contents, cover};
        QTest::newRow("read alike, the UTF-8 name first")
            << QStringList{cover, u"表紙.jpg"_s} << QStringList{u"表紙.jpg"_s, cover};
        const QString stray = nameFromNative("\xFF\xFE.jpg");
        QTest::newRow("bytes valid nowhere last")
            << QStringList{stray, u"z.jpg"_s, u"表紙.jpg"_s} << QStringList{u"z.jpg"_s, u"表紙.jpg"_s, stray};
    }
    void sortIgnoresCase()
    {
        QFETCH(QStringList, names);
        sortPageNames(names, NameOrder::Characters);
        QTEST(names, "sorted");
    }

    void numberOrder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("numbers by value")
            << QStringList{"p10.jpg", "p2.jpg", "p100.jpg", "p1.jpg", "p11.jpg"}
            << QStringList{"p1.jpg", "p2.jpg", "p10.jpg", "p11.jpg", "p100.jpg"};
        QTest::newRow("leading zeros, alike values in character order")
            << QStringList{"p010.jpg", "p9.jpg", "p0010.jpg"}
            << QStringList{"p9.jpg", "p0010.jpg", "p010.jpg"};
        // Names alike up to a point inside a run of digits compare by the whole runs.
        QTest::newRow("a difference inside a run")
            << QStringList{"p123.jpg", "p12x.jpg", "p12.jpg", "p1230.jpg"}
            << QStringList{"p12.jpg", "p12x.jpg", "p123.jpg", "p1230.jpg"};
        QTest::newRow("one name ends inside the other's run")
            << QStringList{"v10", "v1", "v01a", "v0"} << QStringList{"v0", "v1", "v01a", "v10"};
        QTest::newRow("zero and no number")
            << QStringList{"p00.jpg", "p0.jpg", "p.jpg"} << QStringList{"p.jpg", "p0.jpg", "p00.jpg"};
        QTest::newRow("text around the numbers")
            << QStringList{u"第10話.jpg"_s, u"第2話おまけ.jpg"_s, u"第2話.jpg"_s}
            << QStringList{u"第2話.jpg"_s, u"第2話おまけ.jpg"_s, u"第10話.jpg"_s};
        QTest::newRow("full-width digits") << QStringList{u"第１０話.jpg"_s, u"第3話.jpg"_s, u"第２話.jpg"_s}
                                           << QStringList{u"第２話.jpg"_s, u"第3話.jpg"_s, u"第１０話.jpg"_s};
        QTest::newRow("digit runs longer than any integer")
            << QStringList{"p100000000000000000000000.jpg", "p99999999999999999999999.jpg", "p2.jpg"}
            << QStringList{"p2.jpg", "p99999999999999999999999.jpg", "p100000000000000000000000.jpg"};
        QTest::newRow("names that differ only in case") << QStringList{"vol10.jpg", "Vol2.jpg", "VOL2.jpg"}
                                                        << QStringList{"VOL2.jpg", "Vol2.jpg", "vol10.jpg"};
        QTest::newRow("each part of a path") << QStringList{"ch10/p1.jpg", "ch2/p10.jpg", "ch2/p2.jpg"}
                                             << QStringList{"ch2/p2.jpg", "ch2/p10.jpg", "ch10/p1.jpg"};
    }
    void numberOrder()
    {
        QFETCH(QStringList, names);
        sortPageNames(names, NameOrder::Numbers);
        QTEST(names, "sorted");
    }

    void aFolderTakesTheOrderOfItsBooks_data()
    {
        QTest::addColumn<NameOrder>("order");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("numbers") << NameOrder::Numbers << QStringList{"p2.jpg", "p10.jpg"};
        QTest::newRow("characters") << NameOrder::Characters << QStringList{"p10.jpg", "p2.jpg"};
    }
    void aFolderTakesTheOrderOfItsBooks()
    {
        QFETCH(NameOrder, order);
        ScriptedFileServices files;
        files.listings.insert("/b", {"p10.jpg", "p2.jpg"});
        Books books(files);
        books.setFolderOrder(order);
        PageList list;
        list.load("/b", books);
        QTEST(list.names(), "sorted");
    }

    void heldToTheLargestIndex()
    {
        ScriptedFileServices files;
        QStringList many;
        for (int i = 0; i < PageList::maximumCount + 5; ++i)
            many.append(QStringLiteral("p%1.jpg").arg(i, 6, 10, QLatin1Char('0')));
        files.listings.insert("/big", many);
        Books books(files);
        PageList list;
        list.load("/big", books);
        QCOMPARE(list.count(), PageList::maximumCount);
        QCOMPARE(list.name(PageList::maximumCount - 1), QStringLiteral("p032766.jpg"));
    }

    void selectionStaysInsideTheList()
    {
        ScriptedFileServices files;
        files.listings.insert("/b", {"1.jpg", "2.jpg"});
        Books books(files);
        PageList list;
        list.load("/b", books);
        list.select(1);
        QCOMPARE(list.selectedIndex(), 1);
        list.select(2);
        QCOMPARE(list.selectedIndex(), -1);
        QCOMPARE(list.name(5), QString());
        QCOMPARE(list.name(-1), QString());
        list.select(0);
        list.load("/b", books);
        QCOMPARE(list.selectedIndex(), -1);
    }

    void unreadableFolderIsEmpty()
    {
        LocalFileServices files;
        Books books(files);
        PageList list;
        list.load("/no/such/folder", books);
        QVERIFY(list.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPageList)
#include "tst_page_list.moc"
