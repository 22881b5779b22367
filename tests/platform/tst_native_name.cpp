#include "platform/code_page.h"
#include "platform/native_name.h"
#include "platform/readable_name.h"

#include <QStringDecoder>
#include <QTest>

using namespace ruvo;

namespace {

QString escaped(std::initializer_list<unsigned char> bytes)
{
    QString text;
    for (unsigned char byte : bytes)
        text += QChar(char16_t(0xDC00 + byte));
    return text;
}

} // namespace

class TestNativeName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whatever bytes a name has, the name leads back to exactly them; valid UTF-8 reads as
    // its characters and only the stray bytes are kept aside.
    void bytesSurviveTheRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::newRow("ascii") << QByteArray("p01.jpg") << QString("p01.jpg");
        QTest::newRow("utf-8 japanese") << QByteArray("\xE6\xBC\xAB\xE7\x94\xBB.jpg") << QString("漫画.jpg");
        QTest::newRow("four-byte character") << QByteArray("\xF0\x9F\x93\x96") << QString("📖");
        // U+1F4DA is D83D DCDA: its second half lies among the kept bytes, but is not one.
        QTest::newRow("pair ending like a kept byte") << QByteArray("\xF0\x9F\x93\x9A") << QString("📚");
        QTest::newRow("code page 932") << QByteArray("\x82\xA0.jpg") << escaped({0x82, 0xA0}) + ".jpg";
        QTest::newRow("latin-1") << QByteArray("caf\xE9.jpg") << "caf" + escaped({0xE9}) + ".jpg";
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << escaped({0xC0, 0xAF});
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << escaped({0xED, 0xA0, 0x80});
        QTest::newRow("above U+10FFFF")
            << QByteArray("\xF4\x90\x80\x80") << escaped({0xF4, 0x90, 0x80, 0x80});
        QTest::newRow("cut-off sequence at the end")
            << QByteArray("a\xE6\xBC") << "a" + escaped({0xE6, 0xBC});
        QTest::newRow("mixed") << QByteArray("\xE6\xBC\xAB/\x8A\xBF\x8E\x9A")
                               << "漫/" + escaped({0x8A, 0xBF, 0x8E, 0x9A});
        QTest::newRow("byte-order mark stays") << QByteArray("\xEF\xBB\xBF"
                                                             "a")
                                               << QString(QChar(0xFEFF)) + "a";
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void bytesSurviveTheRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QCOMPARE(nameFromNative(bytes), name);
        QCOMPARE(nativeName(name), bytes);
        QCOMPARE(holdsForeignBytes(name), bytes != name.toUtf8());
    }

    // A name typed by the user is written as UTF-8, whatever it holds.
    void typedNamesAreUtf8()
    {
        const QString typed = QStringLiteral("本棚 ①");
        QCOMPARE(nativeName(typed), typed.toUtf8());
        QVERIFY(!holdsForeignBytes(typed));
    }

    // What the reader sees: code page 932 where the bytes are valid there, otherwise a
    // replacement character for each stray byte; each part of a path on its own.
    void readableNames_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8 unchanged") << QByteArray("/本/a.jpg") << QString("/本/a.jpg");
        QTest::newRow("code page 932") << QByteArray("\x8A\xBF\x8E\x9A.jpg") << QString("漢字.jpg");
        QTest::newRow("half-width katakana") << QByteArray("\xB6\xC5.bmp") << QString("ｶﾅ.bmp");
        QTest::newRow("utf-8 folder, code page 932 file")
            << QByteArray("/\xE6\xBC\xAB/\x82\xA0.jpg") << QString("/漫/あ.jpg");
        QTest::newRow("latin-1 is not code page 932")
            << QByteArray("caf\xE9.jpg") << QString("caf\uFFFD.jpg");
        QTest::newRow("lone lead byte") << QByteArray("a\x82") << QString("a\uFFFD");
    }
    void readableNames()
    {
        QFETCH(QByteArray, bytes);
        QTEST(readableName(nameFromNative(bytes)), "shown");
    }

    // The command line keeps a path in any encoding whole.
    void argumentsKeepTheirBytes()
    {
        const char* argv[] = {"ruvo", "/books/\x8A\xBF\x8E\x9A", "caf\xC3\xA9"};
        const QStringList arguments = argumentsFromNative(3, argv);
        QCOMPARE(arguments.size(), 3);
        QCOMPARE(nativeName(arguments.at(1)), QByteArray("/books/\x8A\xBF\x8E\x9A"));
        QCOMPARE(arguments.at(2), QString("café"));
    }

    // A stored text is valid in the encoding its file declares. A name in code-page 932
    // bytes is those bytes in a code-page 932 file and its readable text in a UTF-8 one;
    // bytes valid in neither are escaped and read back as they were.
    void storedTextIsValidAndKeepsTheBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("read");
        const QString kanji = nameFromNative("\x8A\xBF\x8E\x9A");
        QTest::newRow("code-page name in a code-page file")
            << "/books/" + kanji + "/1.jpg\r\n"
            << QByteArray("/books/\x8A\xBF\x8E\x9A/1.jpg\r\n") << QStringLiteral("/books/漢字/1.jpg\r\n");
        QTest::newRow("code-page name beside a title the code page lacks")
            << "V\r\n/books/" + kanji + "/1.jpg\r\n한\r\n"
            << QByteArray("\xEF\xBB\xBFV\r\n/books/") + QStringLiteral("漢字").toUtf8() +
                   "/1.jpg\r\n\xED\x95\x9C\r\n"
            << QStringLiteral("V\r\n/books/漢字/1.jpg\r\n한\r\n");
        const QString neither = "/b/" + nameFromNative("\x80\xA0x") + "/1.jpg\r\n한";
        QTest::newRow("name valid in neither encoding")
            << neither << QByteArray("\xEF\xBB\xBF/b/\xEF\x9E\x80\xEF\x9E\xA0x/1.jpg\r\n\xED\x95\x9C")
            << neither;
        const QString escapeLike = QStringLiteral("\uF781 title\r\n한");
        QTest::newRow("a character of the escapes' own range")
            << escapeLike
            << QByteArray("\xEF\xBB\xBF\xEF\x9F\xAF\xEF\x9E\x9E\xEF\x9E\x81 title\r\n\xED\x95\x9C")
            << escapeLike;
        QTest::newRow("plain text") << QStringLiteral("0\r\n") << QByteArray("0\r\n")
                                    << QStringLiteral("0\r\n");
    }
    void storedTextIsValidAndKeepsTheBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, read);
        QCOMPARE(encodeCodePageText(text), stored);
        if (stored.startsWith("\xEF\xBB\xBF")) {
            QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
            utf8.decode(stored);
            QVERIFY(!utf8.hasError());
        } else {
            QVERIFY(decodeCodePageStrictly(stored).has_value());
        }
        QCOMPARE(decodeCodePageText(stored), read);
    }

    // A UTF-8 file written before the escapes, with a name's bytes as they were, reads them back.
    void earlierUtf8TextKeepsItsBytes()
    {
        const QByteArray stored("\xEF\xBB\xBF/books/\x8A\xBF\x8E\x9A/1.jpg\r\n");
        QCOMPARE(decodeCodePageText(stored), "/books/" + nameFromNative("\x8A\xBF\x8E\x9A") + "/1.jpg\r\n");
    }
};

QTEST_APPLESS_MAIN(TestNativeName)
#include "tst_native_name.moc"
