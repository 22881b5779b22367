#include "session/reading_positions.h"

#include <QTest>

using namespace ruvo;

namespace {

ReadingPosition positionOf(const QByteArray& path, const QByteArray& page = "p2.jpg", qint64 size = 100,
                           qint64 modified = 1700000000123456789, bool shifted = false)
{
    return ReadingPosition{BookKey{path, size, modified}, page, shifted};
}

QByteArray header()
{
    return "ruvo reading positions 1\n";
}

} // namespace

class TestReadingPositions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whatever bytes a path or a page holds come back as they were.
    void namesOfAnyBytesSurvive_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("plain") << QByteArray("/books/Vol01.cbz") << QByteArray("p001.jpg");
        QTest::newRow("utf-8") << QByteArray("/本/第1巻.cbz") << QByteArray("第1話/001.jpg");
        QTest::newRow("code page 932")
            << QByteArray("/books/\x91\xe6\x31\x8a\xaa.zip") << QByteArray("\x83\x79\x81\x5b\x83\x57.jpg");
        QTest::newRow("tab and line breaks") << QByteArray("/a\tb\nc\r.cbz") << QByteArray("x\ty\n.jpg");
        QTest::newRow("percent and spaces") << QByteArray("/100% done/ vol .cbz") << QByteArray("%41.jpg");
        QTest::newRow("control bytes") << QByteArray("/\x01\x7f\xff", 4) << QByteArray("\x00p.jpg", 6);
        QTest::newRow("book's start") << QByteArray("/books/folder") << QByteArray();
    }
    void namesOfAnyBytesSurvive()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, page);
        ReadingPositions positions;
        positions.remember(positionOf(path, page, -1, 0, true));
        positions.remember(positionOf("/other"));
        const ReadingPositions::Parsed parsed = ReadingPositions::parse(positions.text());
        QVERIFY(parsed.valid);
        QCOMPARE(parsed.positions.inOrder(), positions.inOrder());
        // One book, one line: nothing in a name breaks the file's lines or fields.
        QCOMPARE(positions.text().count('\n'), 3);
        QCOMPARE(positions.text().count('\t'), 8);
    }

    void aBookIsFoundOnlyByItsWholeKey_data()
    {
        QTest::addColumn<BookKey>("asked");
        QTest::addColumn<bool>("found");
        const QByteArray path = "/books/Vol01.cbz";
        QTest::newRow("the same file") << BookKey{path, 100, 5} << true;
        QTest::newRow("another size") << BookKey{path, 101, 5} << false;
        QTest::newRow("changed since") << BookKey{path, 100, 6} << false;
        QTest::newRow("a folder now") << BookKey{path, -1, 0} << false;
        QTest::newRow("another path") << BookKey{"/books/Vol02.cbz", 100, 5} << false;
        QTest::newRow("the path in other bytes") << BookKey{"/books/vol01.cbz", 100, 5} << false;
    }
    void aBookIsFoundOnlyByItsWholeKey()
    {
        QFETCH(BookKey, asked);
        QFETCH(bool, found);
        ReadingPositions positions;
        positions.remember(positionOf("/books/Vol01.cbz", "p5.jpg", 100, 5));
        QCOMPARE(positions.find(asked).has_value(), found);
        if (found)
            QCOMPARE(positions.find(asked)->page, QByteArray("p5.jpg"));
    }

    // The book read last comes first; one read again moves up in place of its old place;
    // one more than the capacity lets the oldest go.
    void theOldestGoFirst()
    {
        ReadingPositions positions;
        for (int i = 0; i < ReadingPositions::capacity; ++i)
            positions.remember(positionOf("/b/" + QByteArray::number(i)));
        QCOMPARE(positions.inOrder().size(), ReadingPositions::capacity);
        positions.remember(positionOf("/b/0", "later.jpg"));
        QCOMPARE(positions.inOrder().size(), ReadingPositions::capacity);
        QCOMPARE(positions.inOrder().constFirst().page, QByteArray("later.jpg"));
        positions.remember(positionOf("/b/new"));
        QCOMPARE(positions.inOrder().size(), ReadingPositions::capacity);
        QCOMPARE(positions.inOrder().constFirst().book.path, QByteArray("/b/new"));
        QVERIFY(!positions.find(BookKey{"/b/1", 100, 1700000000123456789}));
        QVERIFY(positions.find(BookKey{"/b/2", 100, 1700000000123456789}));
        QVERIFY(positions.find(BookKey{"/b/0", 100, 1700000000123456789}));
        const ReadingPositions::Parsed parsed = ReadingPositions::parse(positions.text());
        QVERIFY(parsed.valid);
        QCOMPARE(parsed.positions.inOrder(), positions.inOrder());
    }

    // A longer file (written by hand, or by a later version with a larger store) keeps the
    // most recent ones.
    void aLongerFileKeepsTheMostRecent()
    {
        QByteArray text = header();
        for (int i = 0; i < ReadingPositions::capacity + 5; ++i)
            text += "/b/" + QByteArray::number(i) + "\t1\t2\t0\tp.jpg\n";
        const ReadingPositions::Parsed parsed = ReadingPositions::parse(text);
        QVERIFY(parsed.valid);
        QCOMPARE(parsed.positions.inOrder().size(), ReadingPositions::capacity);
        QCOMPARE(parsed.positions.inOrder().constLast().book.path,
                 "/b/" + QByteArray::number(ReadingPositions::capacity - 1));
    }

    void whatIsNotOursGivesNothing_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QByteArray line = "/b\t1\t2\t0\tp.jpg\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("another header") << "ruvo reading positions 2\n" + line;
        QTest::newRow("cut off in a line") << header() + line.left(9);
        QTest::newRow("cut off in the header") << header().left(10);
        QTest::newRow("a blank line") << header() + line + "\n";
        QTest::newRow("four fields") << header() + "/b\t1\t2\t0\n";
        QTest::newRow("six fields") << header() + "/b\t1\t2\t0\tp\tq\n";
        QTest::newRow("a size in words") << header() + "/b\tten\t2\t0\tp\n";
        QTest::newRow("a size with a plus") << header() + "/b\t+1\t2\t0\tp\n";
        QTest::newRow("a size with a space") << header() + "/b\t 1\t2\t0\tp\n";
        QTest::newRow("a size below a folder's") << header() + "/b\t-2\t2\t0\tp\n";
        QTest::newRow("a time too long") << header() + "/b\t1\t123456789012345678901\t0\tp\n";
        QTest::newRow("a shift of 2") << header() + "/b\t1\t2\t2\tp\n";
        QTest::newRow("no path") << header() + "\t1\t2\t0\tp\n";
        QTest::newRow("an escape cut off") << header() + "/b%4\t1\t2\t0\tp\n";
        QTest::newRow("an escape not hex") << header() + "/b%G1\t1\t2\t0\tp\n";
        QTest::newRow("an escape in lower case") << header() + "/b%e3\t1\t2\t0\tp\n";
        QTest::newRow("an escape of what needs none") << header() + "/b%41\t1\t2\t0\tp\n";
        QTest::newRow("a raw byte") << header() + "/b\xe3\x81\x82\t1\t2\t0\tp\n";
        QTest::newRow("a carriage return") << header() + "/b\t1\t2\t0\tp\r\n";
        QTest::newRow("a book twice") << header() + line + "/b\t3\t4\t1\tq\n";
    }
    void whatIsNotOursGivesNothing()
    {
        QFETCH(QByteArray, text);
        const ReadingPositions::Parsed parsed = ReadingPositions::parse(text);
        QVERIFY(!parsed.valid);
        QVERIFY(parsed.positions.isEmpty());
    }

    void anEmptyStoreIsAFileOfItsOwn()
    {
        const ReadingPositions::Parsed parsed = ReadingPositions::parse(ReadingPositions().text());
        QVERIFY(parsed.valid);
        QVERIFY(parsed.positions.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReadingPositions)
#include "tst_reading_positions.moc"
