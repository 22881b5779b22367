#include "imaging/bitmap/ico_directory.h"
#include "imaging/file_picture_decoder.h"
#include "support/bitmap_fixtures.h"
#include "support/bytes_page_source.h"
#include "support/jpeg_fixtures.h"
#include "support/metafile_fixtures.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QLoggingCategory>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>
#include <QtEndian>

using namespace ruvo;
using namespace ruvo::test;

namespace {

const QColor kRed(220, 20, 20);
const QColor kGreen(20, 200, 40);
const QColor kBlue(30, 40, 210);

// A test page: red on the left, blue on the right.
QImage twoColourPage(QSize size)
{
    QImage page(size, QImage::Format_RGB32);
    page.fill(kRed);
    QPainter painter(&page);
    painter.fillRect(QRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height()), kBlue);
    return page;
}

QByteArray encoded(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

void appendWord(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

// Qt reads GIF but cannot write it: a GIF with one solid frame per colour,
// its pixels stored as LZW codes that never grow past eight bits (a clear code
// before the table can fill).
QByteArray solidGif(QSize size, const QList<QColor>& frames)
{
    QByteArray gif("GIF89a");
    appendWord(gif, quint16(size.width()));
    appendWord(gif, quint16(size.height()));
    gif.append(char(0xF1)).append(char(0)).append(char(0));
    for (int i = 0; i < 4; ++i) {
        const QColor colour = i < frames.size() ? frames[i] : QColor(Qt::black);
        gif.append(char(colour.red())).append(char(colour.green())).append(char(colour.blue()));
    }
    constexpr char kClear = char(0x80);
    constexpr char kEnd = char(0x81);
    constexpr int kRun = 120;
    for (int frame = 0; frame < frames.size(); ++frame) {
        gif.append("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);
        gif.append(char(0x2C));
        appendWord(gif, 0);
        appendWord(gif, 0);
        appendWord(gif, quint16(size.width()));
        appendWord(gif, quint16(size.height()));
        gif.append(char(0)).append(char(7));
        QByteArray codes;
        const int pixels = size.width() * size.height();
        for (int i = 0; i < pixels; ++i) {
            if (i % kRun == 0)
                codes.append(kClear);
            codes.append(char(frame));
        }
        codes.append(kEnd);
        for (qsizetype at = 0; at < codes.size(); at += 255) {
            const QByteArray block = codes.mid(at, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append(char(0));
    }
    gif.append(char(0x3B));
    return gif;
}

QByteArray withSignature(const QByteArray& signature, int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes = signature;
    while (bytes.size() < size)
        bytes.append(char(random.bounded(256)));
    return bytes;
}

// A bitmap header claiming a page of 100000 by 100000 pixels.
QByteArray hugeBmp()
{
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(54, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(100000, bmp.data() + 18);
    qToLittleEndian<qint32>(100000, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    return bmp + QByteArray(64, '\x7F');
}

QByteArray patched32(QByteArray bytes, int at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

bool near(const QColor& actual, const QColor& expected, int tolerance)
{
    return qAbs(actual.red() - expected.red()) <= tolerance &&
           qAbs(actual.green() - expected.green()) <= tolerance &&
           qAbs(actual.blue() - expected.blue()) <= tolerance;
}

// The same drawing, allowing the few levels by which antialiased edges and
// glyphs may differ between threads' painters.
bool sameDrawing(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return false;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (!near(actual.pixelColor(x, y), expected.pixelColor(x, y), 8))
                return false;
        }
    }
    return true;
}

// Damage of every kind a file can suffer, chosen by a seeded generator so that
// a failure can be replayed.
QByteArray mutant(const QByteArray& original, QRandomGenerator& random, int index, int count)
{
    QByteArray bytes = original;
    const int size = int(bytes.size());
    switch (index % 5) {
    case 0: {
        const int flips = 1 + int(random.bounded(8));
        for (int i = 0; i < flips; ++i)
            bytes[int(random.bounded(size))] ^= char(1 + random.bounded(255));
        break;
    }
    case 1:
        // Cuts spread evenly over the whole file, header included.
        bytes.truncate(qint64(size) * (index / 5) / std::max(1, count / 5));
        break;
    case 2: {
        QByteArray garbage;
        const int length = 1 + int(random.bounded(32));
        for (int i = 0; i < length; ++i)
            garbage.append(char(random.bounded(256)));
        bytes.insert(int(random.bounded(size + 1)), garbage);
        break;
    }
    case 3: {
        // Sizes, counts and offsets are the fields that hurt.
        static const quint32 kValues[] = {0,          1,          2,          3,         0x7F,
                                          0xFF,       0x7FFF,     0x8000,     0xFFFF,    0x10000,
                                          0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE};
        const quint32 value = kValues[random.bounded(int(std::size(kValues)))];
        const int at = int(random.bounded(std::max(1, size - 3))) & ~1;
        if (at + 4 <= size) {
            if (random.bounded(2))
                qToLittleEndian<quint32>(value, bytes.data() + at);
            else
                qToLittleEndian<quint16>(quint16(value), bytes.data() + at);
        }
        break;
    }
    default: {
        const int from = int(random.bounded(size));
        const int length = 1 + int(random.bounded(std::min(64, size - from)));
        bytes.insert(int(random.bounded(size + 1)), original.mid(from, length));
        break;
    }
    }
    return bytes;
}

int mutantCount()
{
    // Sanitizer runs ask for more through the environment.
    const int requested = qEnvironmentVariableIntValue("RUVO_MUTANTS");
    return requested > 0 ? requested : 200;
}

} // namespace

class TestPictureDecoder : public QObject
{
    Q_OBJECT

private:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
    FilePictureDecoder m_decoder;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Thousands of damaged files make the readers complain; the results are what is checked.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false\nqt.svg*=false"));
    }

    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QColor>("colour");

        const QImage page = twoColourPage(QSize(64, 48));
        const QByteArray jpeg = encoded(page, "jpeg");
        QTest::newRow("bmp") << encoded(page, "bmp") << "p.bmp" << QSize(64, 48) << QPoint(50, 10) << kBlue;
        QTest::newRow("jpeg") << jpeg << "p.jpg" << QSize(64, 48) << QPoint(10, 24) << kRed;
        QTest::newRow("progressive jpeg")
            << encoded(page, "jpeg", true) << "p.jpg" << QSize(64, 48) << QPoint(54, 24) << kBlue;
        QTest::newRow("jpeg named .bmp") << jpeg << "jpeg.bmp" << QSize(64, 48) << QPoint(10, 24) << kRed;
        // A phone's motion clip or padding after the end marker, well past the last few kilobytes.
        QTest::newRow("jpeg with 64 KB after its end")
            << jpeg + QByteArray(64 * 1024, 'x') << "p.jpg" << QSize(64, 48) << QPoint(10, 24) << kRed;
        // Too large a file to read whole: streamed through Qt's reader instead.
        QTest::newRow("jpeg with 65 MB after its end")
            << jpeg + QByteArray(65 * 1024 * 1024, 'x') << "p.jpg" << QSize(64, 48) << QPoint(10, 24) << kRed;
        QTest::newRow("progressive jpeg with 64 KB after its end")
            << encoded(page, "jpeg", true) + QByteArray(64 * 1024, '\0') << "p.jpg" << QSize(64, 48)
            << QPoint(54, 24) << kBlue;
        QTest::newRow("bmp named .gif")
            << encoded(page, "bmp") << "bmp.gif" << QSize(64, 48) << QPoint(10, 10) << kRed;
        QTest::newRow("gif shows its first frame") << solidGif(QSize(20, 15), {kGreen, kBlue}) << "p.gif"
                                                   << QSize(20, 15) << QPoint(10, 7) << kGreen;
        QTest::newRow("ico shows its largest image") << iconWithSizes({16, 48, 32}, {kRed, kGreen, kBlue})
                                                     << "p.ico" << QSize(48, 48) << QPoint(24, 24) << kGreen;
        // 2880 by 1440 units at 1440 an inch: two inches by one, 192 by 96 pixels.
        const QByteArray wmf =
            placeableWmfWithRectangle(QSize(2880, 1440), 1440, QRect(720, 360, 1440, 720), kBlue);
        QTest::newRow("placeable wmf inside") << wmf << "p.wmf" << QSize(192, 96) << QPoint(96, 48) << kBlue;
        QTest::newRow("placeable wmf outside")
            << wmf << "p.wmf" << QSize(192, 96) << QPoint(20, 20) << QColor(Qt::white);
        QTest::newRow("placeable wmf at the rectangle's corner")
            << wmf << "p.wmf" << QSize(192, 96) << QPoint(52, 28) << kBlue;
        const QByteArray plain = standardWmfWithRectangle(QSize(400, 300), QRect(100, 100, 200, 100), kRed);
        QTest::newRow("standard wmf inside")
            << plain << "s.wmf" << QSize(400, 300) << QPoint(200, 150) << kRed;
        QTest::newRow("standard wmf outside")
            << plain << "s.wmf" << QSize(400, 300) << QPoint(80, 150) << QColor(Qt::white);
        // Its 4x4 bitmap covers (700, 820, 100, 100) of 1000 units: the top left
        // quarter, purple, sits near (69, 81).
        QTest::newRow("rich wmf shows its bitmap")
            << richWmf() << "r.wmf" << QSize(96, 96) << QPoint(69, 81) << QColor(128, 0, 255);
        // 50.8 by 25.4 millimetres: 192 by 96 pixels.
        const QByteArray emf = emfWithRectangle(QSize(5080, 2540), QRectF(0.25, 0.25, 0.5, 0.5), kRed);
        QTest::newRow("emf inside") << emf << "p.emf" << QSize(192, 96) << QPoint(96, 48) << kRed;
        QTest::newRow("emf near its corner") << emf << "p.emf" << QSize(192, 96) << QPoint(52, 28) << kRed;
        QTest::newRow("emf outside") << emf << "p.emf" << QSize(192, 96) << QPoint(40, 48)
                                     << QColor(Qt::white);
        QTest::newRow("emf named .jpg")
            << emf << "emf.jpg" << QSize(192, 96) << QPoint(150, 80) << QColor(Qt::white);
        // 50 millimetres square: 189 pixels; the bitmap's purple quarter lies at
        // device pixels (105, 125), 1.18 page pixels each.
        QTest::newRow("rich emf shows its bitmap")
            << richEmf() << "r.emf" << QSize(189, 189) << QPoint(124, 148) << QColor(128, 0, 255);
        // Writers miscount their records: the records themselves are trusted.
        QTest::newRow("emf whose record count disagrees")
            << patched32(richEmf(), 52, 3) << "c.emf" << QSize(189, 189) << QPoint(124, 148)
            << QColor(128, 0, 255);
    }
    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QPoint, probe);
        QFETCH(QColor, colour);
        const DecodedPicture result = m_decoder.decode(write(name, bytes));
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.error, QString());
        QCOMPARE(result.image.size(), size);
        if (colour.isValid()) {
            const QColor actual = result.image.pixelColor(probe);
            QVERIFY2(near(actual, colour, 40),
                     qPrintable(actual.name() + QStringLiteral(" instead of ") + colour.name()));
        }
    }

    // A page is read through its source alone: from bytes in memory, every format decodes
    // as it does from a file.
    void decodesFromBytesAlone_data() { decodes_data(); }
    void decodesFromBytesAlone()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        const DecodedPicture fromFile = m_decoder.decode(write(name, bytes));
        const DecodedPicture fromBytes = FilePictureDecoder::decodePage(BytesPageSource(bytes));
        QVERIFY2(fromBytes.isValid(), qPrintable(fromBytes.error));
        QCOMPARE(fromBytes.image, fromFile.image);
    }

    void glyphNumberedEmfTextIsLeftOut()
    {
        // libemf2svg turns glyph numbers back into text through fontconfig and
        // then shuts fontconfig down while Qt still uses it, which can abort the
        // program; the page is drawn without that text instead.
        const DecodedPicture result =
            m_decoder.decode(write(QStringLiteral("g.emf"), emfWithGlyphIndexText(kBlue)));
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(192, 96));
        QVERIFY(near(result.image.pixelColor(96, 48), kBlue, 40));
        // The text would stand at the top left, clear of the rectangle.
        for (int y = 0; y < 22; ++y) {
            for (int x = 0; x < 44; ++x)
                QCOMPARE(result.image.pixelColor(x, y), QColor(Qt::white));
        }
    }

    void busyEmfIsDrawnSmallerRatherThanSlowly()
    {
        // 297 by 420 millimetres: 1123 by 1587 pixels, were it drawn at full size.
        const QSize natural(1123, 1587);
        const DecodedPicture result =
            m_decoder.decode(write(QStringLiteral("busy.emf"), busyEmf(QSize(29700, 42000), 20000)));
        QVERIFY2(result.isValid(), qPrintable(result.error));
        const QSize size = result.image.size();
        QVERIFY(size.width() < natural.width() && size.height() < natural.height());
        QVERIFY(size.width() > natural.width() / 2);
        QCOMPARE(qRound(100.0 * size.height() / size.width()),
                 qRound(100.0 * natural.height() / natural.width()));
    }

    void rasterPagesComeStraightFromTheReader()
    {
        const QString path =
            write(QStringLiteral("straight.jpg"), encoded(twoColourPage(QSize(80, 60)), "jpeg"));
        const QImage bare = QImageReader(path).read();
        const DecodedPicture result = m_decoder.decode(path);
        QVERIFY(result.isValid());
        QCOMPARE(result.image.format(), bare.format());
        QCOMPARE(result.image, bare);
    }

    // A CMYK JPEG, read into memory like every JPEG, is left to Qt's reader from there.
    void cmykJpegComesFromQtsReader()
    {
        const QByteArray cmyk = test::writeJpeg(test::detailedPicture(QSize(64, 48)), {.cmyk = true});
        QVERIFY(!cmyk.isEmpty());
        const QString path = write(QStringLiteral("cmyk.jpg"), cmyk);
        const QImage bare = QImageReader(path).read();
        QVERIFY(!bare.isNull());
        const DecodedPicture result = m_decoder.decode(path);
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.image, bare);
    }

    // An icon lists no more images than its file has room for entries of: each image beyond
    // them would be asked of Qt's reader, which reads the directory again for every one.
    void iconCountsAreHeldToTheFile_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<int>("held");
        QTest::newRow("as many as listed") << 3 << qint64(6 + 3 * 16 + 500) << 3;
        QTest::newRow("a count of 65,535 in 1.5 KB") << 65535 << qint64(1504) << 93;
        QTest::newRow("no room for one entry") << 2 << qint64(21) << 0;
        QTest::newRow("a file shorter than its header") << 2 << qint64(3) << 0;
    }
    void iconCountsAreHeldToTheFile()
    {
        QFETCH(int, count);
        QFETCH(qint64, bytes);
        QTEST(icoImagesWithin(count, bytes), "held");
    }

    void fails_data()
    {
        QTest::addColumn<QByteArray>("bytes");

        const QImage page = twoColourPage(QSize(64, 48));
        const QByteArray jpeg = encoded(page, "jpeg");
        const QByteArray progressive = encoded(page, "jpeg", true);
        const QByteArray bmp = encoded(page, "bmp");
        const QByteArray gif = solidGif(QSize(20, 15), {kGreen, kBlue});
        const QByteArray ico = iconWithSizes({16, 48, 32}, {kRed, kGreen, kBlue});
        const QByteArray wmf = richWmf();
        const QByteArray emf = richEmf();
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("unknown format") << QByteArray("plain text, not a picture");
        QTest::newRow("random bytes signed bmp") << withSignature("BM", 300, 1);
        QTest::newRow("random bytes signed jpeg") << withSignature("\xFF\xD8\xFF\xE0", 300, 2);
        QTest::newRow("random bytes signed gif") << withSignature("GIF89a", 300, 3);
        QTest::newRow("random bytes signed ico") << withSignature(QByteArray("\0\0\1\0", 4), 300, 4);
        QTest::newRow("random bytes signed wmf") << withSignature("\xD7\xCD\xC6\x9A", 300, 5);
        QTest::newRow("random bytes signed emf")
            << patched32(withSignature(QByteArray("\1\0\0\0", 4), 300, 6), 40, 0x464D4520);
        QTest::newRow("bmp claiming 100000x100000") << hugeBmp();
        QTest::newRow("truncated bmp") << bmp.left(bmp.size() * 2 / 3);
        QTest::newRow("truncated baseline jpeg") << jpeg.left(jpeg.size() * 3 / 5);
        QTest::newRow("truncated progressive jpeg") << progressive.left(progressive.size() * 3 / 5);
        QTest::newRow("truncated jpeg padded past the tail")
            << jpeg.left(jpeg.size() * 3 / 5) + QByteArray(8 * 1024, '\0');
        QTest::newRow("gif cut before its first image") << gif.left(20);
        QTest::newRow("truncated ico") << ico.left(ico.size() / 2);
        QTest::newRow("truncated wmf") << wmf.left(wmf.size() / 2);
        // The first record after the header and its placeable prefix.
        QTest::newRow("wmf record running past the end") << patched32(wmf, 22 + 18, 0x00100000);
        QTest::newRow("wmf header size disagreeing") << patched32(wmf, 22 + 6, quint32(wmf.size()));
        QTest::newRow("wmf record of size zero") << patched32(wmf, 22 + 18, 0);
        QTest::newRow("truncated emf") << emf.left(emf.size() / 2);
        QTest::newRow("emf size disagreeing with the file") << patched32(emf, 48, quint32(emf.size() + 8));
        QTest::newRow("emf record running past the end")
            << patched32(emf, qFromLittleEndian<quint32>(emf.constData() + 4) + 4, quint32(emf.size()));
    }
    void fails()
    {
        QFETCH(QByteArray, bytes);
        const DecodedPicture result = m_decoder.decode(write(QStringLiteral("damaged.pic"), bytes));
        QVERIFY2(!result.error.isEmpty(), "a damaged file decoded without an error");
        QVERIFY(result.image.isNull());
        QVERIFY(!result.isValid());
    }

    void missingFileFails()
    {
        const DecodedPicture result = m_decoder.decode(m_dir.filePath(QStringLiteral("no such page.jpg")));
        QVERIFY(!result.error.isEmpty());
        QVERIFY(result.image.isNull());
    }

    void unreadableFileFails()
    {
        const QString path = write(QStringLiteral("locked.bmp"), encoded(twoColourPage(QSize(8, 8)), "bmp"));
        QFile::setPermissions(path, QFileDevice::Permissions());
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        const DecodedPicture result = m_decoder.decode(path);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(result.image.isNull());
    }

    void decodesFromWorkerThreads()
    {
        const QStringList paths = {
            write(QStringLiteral("t.jpg"), encoded(twoColourPage(QSize(64, 48)), "jpeg")),
            write(QStringLiteral("t.wmf"), richWmf()),
            write(QStringLiteral("t.emf"), richEmf()),
            write(QStringLiteral("t.gif"), solidGif(QSize(20, 15), {kRed})),
        };
        QList<QImage> expected;
        for (const QString& path : paths)
            expected.append(m_decoder.decode(path).image);
        QStringList jobs;
        for (int round = 0; round < 8; ++round)
            jobs += paths;
        const FilePictureDecoder& decoder = m_decoder;
        const QList<DecodedPicture> results = QtConcurrent::blockingMapped(
            jobs, [&decoder](const QString& path) { return decoder.decode(path); });
        for (int i = 0; i < results.size(); ++i) {
            QVERIFY2(results[i].isValid(), qPrintable(results[i].error));
            QVERIFY2(sameDrawing(results[i].image, expected[i % paths.size()]), qPrintable(jobs.at(i)));
        }
    }

    void mutantsNeverCrash_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxSide");

        const QImage page = twoColourPage(QSize(40, 30));
        QTest::newRow("bmp") << encoded(page, "bmp") << "m.bmp" << 32767;
        QTest::newRow("jpeg") << encoded(page, "jpeg") << "m.jpg" << 32767;
        QTest::newRow("progressive jpeg") << encoded(page, "jpeg", true) << "m.jpg" << 32767;
        QTest::newRow("gif") << solidGif(QSize(20, 15), {kGreen, kBlue}) << "m.gif" << 32767;
        QTest::newRow("ico") << iconWithSizes({16, 32}, {kRed, kBlue}) << "m.ico" << 32767;
        QTest::newRow("placeable wmf")
            << placeableWmfWithRectangle(QSize(2880, 1440), 1440, QRect(720, 360, 1440, 720), kBlue)
            << "m.wmf" << 8192;
        QTest::newRow("standard wmf")
            << standardWmfWithRectangle(QSize(400, 300), QRect(100, 100, 200, 100), kRed) << "m.wmf" << 8192;
        QTest::newRow("rich wmf") << richWmf() << "m.wmf" << 8192;
        QTest::newRow("emf") << emfWithRectangle(QSize(5080, 2540), QRectF(0.25, 0.25, 0.5, 0.5), kRed)
                             << "m.emf" << 8192;
        QTest::newRow("rich emf") << richEmf() << "m.emf" << 8192;
        QTest::newRow("emf with glyph-numbered text") << emfWithGlyphIndexText(kBlue) << "m.emf" << 8192;
        BitmapLayout wide;
        wide.headerSize = 56;
        wide.bitCount = 32;
        wide.compression = 3;
        wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
        const auto pattern = [](int x, int y) { return quint32(x * 2654435761u ^ y * 40503u); };
        QTest::newRow("bmp with a 56-byte header and 10-bit channels")
            << bitmapFile(wide, QSize(21, 9), pattern) << "m.bmp" << 32767;
        BitmapLayout os2;
        os2.headerSize = 16;
        os2.bitCount = 8;
        for (int i = 0; i < 256; ++i)
            os2.palette.append(qRgb(i, 255 - i, i / 2));
        QTest::newRow("bmp with a 16-byte OS/2 header")
            << bitmapFile(os2, QSize(21, 9), [](int x, int y) { return quint32(x * 7 + y) % 256; }) << "m.bmp"
            << 32767;
        BitmapLayout runLength = os2;
        runLength.headerSize = 52;
        runLength.compression = 1;
        QTest::newRow("run-length bmp with a 52-byte header")
            << bitmapFile(runLength, QSize(21, 9), [](int x, int y) { return quint32(x + 3 * y) % 256; })
            << "m.bmp" << 32767;
        QByteArray understated = iconWithSizes({16, 32}, {kRed, kBlue});
        understated[6 + 16] = char(8);
        QTest::newRow("ico whose entry disagrees with its image") << understated << "m.ico" << 32767;
        QTest::newRow("emf whose bounds straddle zero")
            << emfWithBounds(QRect(QPoint(-64, -64), QPoint(191, 191)),
                             QRect(QPoint(0, 0), QPoint(12700, 12700)), kRed, kBlue)
            << "m.emf" << 8192;
        QTest::newRow("emf with a palette-indexed bitmap")
            << emfWithPaletteBitmap(1, kRed) << "m.emf" << 8192;
    }
    void mutantsNeverCrash()
    {
        QFETCH(QByteArray, original);
        QFETCH(QString, name);
        QFETCH(int, maxSide);
        QVERIFY(m_decoder.decode(write(name, original)).isValid());
        QRandomGenerator random(quint32(qHash(QByteArray(QTest::currentDataTag()))));
        const int count = mutantCount();
        int decoded = 0;
        for (int i = 0; i < count; ++i) {
            const QByteArray bytes = mutant(original, random, i, count);
            // A fresh name each time: truncating and rewriting one file makes
            // the file system flush it on every close.
            const QString path = write(QString::number(i) + name, bytes);
            const DecodedPicture result = m_decoder.decode(path);
            QFile::remove(path);
            if (result.isValid()) {
                ++decoded;
                const QSize size = result.image.size();
                QVERIFY2(size.width() >= 1 && size.height() >= 1 && size.width() <= maxSide &&
                             size.height() <= maxSide && qint64(size.width()) * size.height() <= 250'000'000,
                         qPrintable(QStringLiteral("mutant %1 decoded at an absurd size").arg(i)));
            } else {
                QVERIFY2(!result.error.isEmpty() && result.image.isNull(),
                         qPrintable(QStringLiteral("mutant %1 failed without saying why").arg(i)));
            }
        }
        // The damage must have been real: not every mutant may come through.
        QVERIFY(decoded < count);
    }
};

QTEST_MAIN(TestPictureDecoder)
#include "tst_picture_decoder.moc"
