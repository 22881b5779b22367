#include "imaging/jpeg/jpeg_reader.h"
#include "imaging/scaling/smooth_scaling.h"

#include "support/jpeg_fixtures.h"
#include "support/scripted_spare.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTest>

using namespace ruvo;
using ruvo::test::JpegShape;
using ruvo::test::ScriptedSpare;
using ruvo::test::Spare;
using ruvo::test::spareName;

namespace {

QImage qtRead(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    return reader.read();
}

struct Reading
{
    QImage image;
    QString error;
};

Reading readOwn(const QByteArray& bytes, const SpareCore& spare = {})
{
    JpegReader reader(bytes);
    if (!reader.readHeader())
        return {QImage(), reader.errorString()};
    const QImage image = reader.read(spare);
    return {image, reader.errorString()};
}

// The mean difference of the two pictures' channels, in levels of 255.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    if (left.size() != right.size())
        return 255;
    qint64 sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x)
            sum += std::abs(qRed(l[x]) - qRed(r[x])) + std::abs(qGreen(l[x]) - qGreen(r[x])) +
                   std::abs(qBlue(l[x]) - qBlue(r[x]));
    }
    return double(sum) / (3.0 * left.width() * left.height());
}

QByteArray jpegOf(QSize size, const JpegShape& shape = {})
{
    return test::writeJpeg(test::detailedPicture(size), shape);
}

struct Sample
{
    const char* name;
    QSize size;
    JpegShape shape;
    bool splits;
};

// Every way of coding the rows libjpeg offers, at sizes that put the split on rows of
// every kind.
const Sample kSamples[] = {
    {"4:2:0", {1024, 768}, {}, true},
    {"4:2:2", {1024, 768}, {.hSampling = 2, .vSampling = 1}, true},
    {"4:4:0", {1024, 768}, {.hSampling = 1, .vSampling = 2}, true},
    {"4:4:4", {1024, 768}, {.hSampling = 1, .vSampling = 1}, true},
    {"grey", {1024, 768}, {.hSampling = 1, .vSampling = 1, .grey = true}, true},
    {"grey in 16-row groups", {1023, 777}, {.grey = true}, true},
    {"restart every row group", {1024, 768}, {.restartRows = 1}, true},
    {"restart every 3 row groups, 4:2:2", {1024, 768}, {.vSampling = 1, .restartRows = 3}, true},
    {"arithmetic", {1024, 768}, {.arithmetic = true}, true},
    {"arithmetic with restarts, 4:4:4",
     {1023, 777},
     {.hSampling = 1, .vSampling = 1, .restartRows = 2, .arithmetic = true},
     true},
    {"progressive", {1024, 768}, {.progressive = true}, false},
    {"progressive grey", {1024, 768}, {.grey = true, .progressive = true}, false},
    {"progressive arithmetic", {1024, 768}, {.progressive = true, .arithmetic = true}, false},
    {"odd 1023x777", {1023, 777}, {}, true},
    {"odd 517x1031, 4:4:4", {517, 1031}, {.hSampling = 1, .vSampling = 1}, true},
    {"odd 517x1031, 4:2:2", {517, 1031}, {.vSampling = 1}, true},
    {"smallest split 512x512", {512, 512}, {}, true},
    {"too small 511x511", {511, 511}, {}, false},
    {"wide and low 2000x140", {2000, 140}, {}, true},
    {"one row group 20000x16", {20000, 16}, {}, false},
};

} // namespace

class TestJpegReader : public QObject
{
    Q_OBJECT

    QList<QByteArray> m_jpegs;

private Q_SLOTS:
    void initTestCase()
    {
        for (const Sample& sample : kSamples) {
            m_jpegs.append(jpegOf(sample.size, sample.shape));
            QVERIFY2(!m_jpegs.last().isEmpty(), sample.name);
        }
    }

    void readsAsQtReads_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        for (qsizetype i = 0; i < m_jpegs.size(); ++i)
            QTest::newRow(kSamples[i].name) << m_jpegs[i];
    }

    void readsAsQtReads()
    {
        QFETCH(QByteArray, jpeg);
        const Reading own = readOwn(jpeg);
        QVERIFY2(!own.image.isNull(), qPrintable(own.error));
        const QImage qt = qtRead(jpeg);
        QVERIFY(!qt.isNull());
        QCOMPARE(own.image.format(), qt.format());
        QCOMPARE(own.image, qt);
    }

    void splitReadIsTheWholeRead_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<bool>("splits");
        QTest::addColumn<Spare>("spare");
        for (qsizetype i = 0; i < m_jpegs.size(); ++i) {
            for (Spare spare : {Spare::Inline, Spare::Thread, Spare::Late, Spare::Never})
                QTest::addRow("%s, %s", kSamples[i].name, spareName(spare))
                    << m_jpegs[i] << kSamples[i].splits << spare;
        }
    }

    void splitReadIsTheWholeRead()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(bool, splits);
        QFETCH(Spare, spare);
        const QImage whole = readOwn(jpeg).image;
        QVERIFY(!whole.isNull());

        ScriptedSpare core(spare);
        Reading split = readOwn(jpeg, core.core());
        core.join();
        QCOMPARE(core.offered(), splits ? 1 : 0);
        QVERIFY2(!split.image.isNull(), qPrintable(split.error));
        QCOMPARE(split.image, whole);

        // The caller took the rows back: the late task must not write into the picture.
        split.image.fill(Qt::magenta);
        const QImage painted = split.image.copy();
        core.runHeld();
        QCOMPARE(split.image, painted);
    }

    void scaledOnTheWayIsThePictureScaled_data() { splitReadIsTheWholeRead_data(); }

    void scaledOnTheWayIsThePictureScaled()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(Spare, spare);
        const QImage whole = readOwn(jpeg).image;
        QVERIFY(!whole.isNull());
        // Made smaller at an uneven ratio, so that new rows straddle the runs of rows decoded.
        const auto smaller = [](QSize size) { return QSize(size.width() * 5 / 9, size.height() * 4 / 7); };

        // Scaled on the way, it is decoded on the caller's core alone.
        ScriptedSpare core(spare);
        JpegReader reader(jpeg);
        QVERIFY(reader.readHeader());
        const QImage picture = reader.read(core.core(), smaller);
        core.join();
        QCOMPARE(core.offered(), 0);
        QCOMPARE(picture, whole);
        QCOMPARE(reader.scaled(), smoothScaled(whole, smaller(whole.size())));
    }

    void scaledOnlyWhenMadeSmaller()
    {
        const QByteArray jpeg = m_jpegs.first();
        for (const QSize to : {QSize(2000, 100), QSize(), QSize(0, 10)}) {
            JpegReader reader(jpeg);
            QVERIFY(reader.readHeader());
            QVERIFY(!reader.read({}, [to](QSize) { return to; }).isNull());
            QVERIFY(reader.scaled().isNull());
        }
    }

    void decodedEighths_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<int>("eighths");
        // 3000 * 2 / 8 = 750 and 4000 * 2 / 8 = 1000 hold 675 x 900; one eighth does not.
        QTest::newRow("12 MP in a 900-pixel window") << QSize(3000, 4000) << QSize(675, 900) << 2;
        QTest::newRow("exactly half") << QSize(3000, 4000) << QSize(1500, 2000) << 4;
        QTest::newRow("a pixel over half") << QSize(3000, 4000) << QSize(1501, 2000) << 8;
        QTest::newRow("the other side over half") << QSize(3000, 4000) << QSize(1000, 2001) << 8;
        QTest::newRow("the taller side decides") << QSize(4000, 3000) << QSize(400, 1100) << 3;
        // libjpeg rounds 1001 / 8 up to 126.
        QTest::newRow("rounded up") << QSize(1001, 1001) << QSize(126, 126) << 1;
        QTest::newRow("a pixel over an eighth") << QSize(1000, 1000) << QSize(126, 100) << 2;
        QTest::newRow("one pixel") << QSize(1000, 1000) << QSize(1, 1) << 1;
        QTest::newRow("own size") << QSize(3000, 4000) << QSize(3000, 4000) << 8;
        QTest::newRow("larger") << QSize(300, 400) << QSize(3000, 4000) << 8;
        QTest::newRow("not drawn stretched") << QSize(3000, 4000) << QSize() << 8;
        QTest::newRow("drawn empty") << QSize(3000, 4000) << QSize(0, 10) << 8;
    }

    void decodedEighths()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, drawn);
        QFETCH(int, eighths);
        QCOMPARE(JpegReader::decodedEighths(picture, drawn), eighths);
    }

    void reducedReadIsTheDrawnSize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<JpegShape>("shape");
        QTest::addColumn<Spare>("spare");
        // Large enough to be split, were it decoded whole.
        const std::pair<const char*, JpegShape> shapes[] = {
            {"4:2:0", {}},
            {"4:2:2", {.hSampling = 2, .vSampling = 1}},
            {"grey", {.grey = true}},
            {"restart every row group", {.restartRows = 1}},
            {"arithmetic", {.arithmetic = true}},
            {"progressive", {.progressive = true}},
        };
        // A spare core that would run at once is not even offered.
        for (const auto& [name, shape] : shapes)
            QTest::newRow(name) << QSize(2047, 1553) << shape << Spare::Inline;
    }

    void reducedReadIsTheDrawnSize()
    {
        QFETCH(QSize, size);
        QFETCH(JpegShape, shape);
        QFETCH(Spare, spare);
        const QByteArray jpeg = jpegOf(size, shape);
        const QImage whole = readOwn(jpeg).image;
        QVERIFY(!whole.isNull());
        const QSize drawn(size.width() / 3, size.height() / 3);
        const auto third = [drawn](QSize) { return drawn; };

        JpegReader alone(jpeg);
        QVERIFY(alone.readHeader());
        const QImage reference = alone.read({}, third);
        QCOMPARE(reference.size(), drawn);
        QCOMPARE(alone.scaled(), reference);

        ScriptedSpare core(spare);
        JpegReader reader(jpeg);
        QVERIFY(reader.readHeader());
        const QImage picture = reader.read(core.core(), third);
        core.join();
        QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(core.offered(), 0);
        QCOMPARE(reader.size(), size);
        QCOMPARE(picture, reference);
        // Decoded smaller, it looks as the whole picture scaled to that size looks: these thin
        // lines differ by about 4 to 6 levels, where a column's shift makes 10.
        const QImage scaledWhole = smoothScaled(whole, drawn);
        QVERIFY2(meanDifference(picture, scaledWhole) < 7,
                 qPrintable(QString::number(meanDifference(picture, scaledWhole))));
    }

    void cmykIsLeftToQt()
    {
        const QSize size(600, 520);
        const QByteArray jpeg = jpegOf(size, {.cmyk = true});
        QVERIFY(!jpeg.isEmpty());
        QVERIFY(!qtRead(jpeg).isNull());
        JpegReader reader(jpeg);
        QVERIFY(reader.readHeader());
        QCOMPARE(reader.size(), size);
        QVERIFY(!reader.handles());
        ScriptedSpare core(Spare::Inline);
        QVERIFY(reader.read(core.core()).isNull());
        QVERIFY(!reader.errorString().isEmpty());
        QCOMPARE(core.offered(), 0);
    }

    void splitRow_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<qint64>("pixels");
        QTest::addColumn<int>("groupRows");
        QTest::addColumn<int>("split");
        // 768 * 21 / 32 = 504, down to a multiple of 16.
        QTest::newRow("1024x768, 16-row groups") << 768 << qint64(1024 * 768) << 16 << 496;
        QTest::newRow("1023x777, 16-row groups") << 777 << qint64(1023 * 777) << 16 << 496;
        QTest::newRow("517x1031, 8-row groups") << 1031 << qint64(517 * 1031) << 8 << 672;
        QTest::newRow("512x512, just large enough") << 512 << qint64(512 * 512) << 8 << 336;
        QTest::newRow("2000x140") << 140 << qint64(2000 * 140) << 16 << 80;
        QTest::newRow("20000x30000") << 30000 << qint64(20000) * 30000 << 16 << 19680;
        QTest::newRow("511x511, too small") << 511 << qint64(511 * 511) << 8 << 511;
        QTest::newRow("one row group") << 16 << qint64(20000 * 16) << 16 << 16;
        QTest::newRow("no row groups") << 768 << qint64(1024 * 768) << 0 << 768;
    }

    void splitRow()
    {
        QFETCH(int, height);
        QFETCH(qint64, pixels);
        QFETCH(int, groupRows);
        QFETCH(int, split);
        QCOMPARE(JpegReader::splitRow(height, pixels, groupRows), split);
    }

    void splitRowAfterClaims_data()
    {
        QTest::addColumn<int>("claimed");
        QTest::addColumn<int>("split");
        // A spare core that begins once the caller has claimed rows takes fewer of them:
        // (768 + claimed) * 21 / 32, down to a multiple of 16.
        QTest::newRow("begins at once") << 0 << 496;
        QTest::newRow("a quarter claimed") << 192 << 624;
        QTest::newRow("half claimed") << 384 << 752;
        QTest::newRow("too late to be worth it") << 416 << 768;
        QTest::newRow("all claimed") << 768 << 768;
    }

    void splitRowAfterClaims()
    {
        QFETCH(int, claimed);
        QFETCH(int, split);
        QCOMPARE(JpegReader::splitRow(768, qint64(1024 * 768), 16, claimed), split);
    }

    void splitRowKeepsToRowGroups()
    {
        for (int groupRows : {8, 16}) {
            for (int height = 1; height <= 3000; ++height) {
                const int split = JpegReader::splitRow(height, qint64(1) << 20, groupRows);
                if (split == height) {
                    QVERIFY2(height * 21 / 32 < groupRows, qPrintable(QString::number(height)));
                    continue;
                }
                QVERIFY(split > 0 && split < height);
                QCOMPARE(split % groupRows, 0);
                QVERIFY(qAbs(split * 32 - height * 21) < groupRows * 32);
            }
        }
    }

    void refusesDamagedData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("headerReadable");
        const QByteArray jpeg = jpegOf({1024, 768});
        QByteArray random("\xFF\xD8", 2);
        QRandomGenerator generator(20240611);
        for (int i = 0; i < 4000; ++i)
            random.append(char(generator.bounded(256)));
        QTest::newRow("random bytes after the signature") << random << false;
        QTest::newRow("no picture at all") << QByteArray("\xFF\xD8\xFF\xD9", 4) << false;
        QTest::newRow("cut in its headers") << jpeg.left(jpeg.indexOf("\xFF\xDA")) << false;
        // The frame header: marker, length, precision, then height and width.
        const qsizetype frame = jpeg.indexOf("\xFF\xC0");
        QVERIFY(frame > 0);
        QTest::newRow("width 0") << QByteArray(jpeg).replace(frame + 7, 2, QByteArray(2, '\0')) << false;
        QTest::newRow("height 0") << QByteArray(jpeg).replace(frame + 5, 2, QByteArray(2, '\0')) << false;
        // Every coefficient of a progressive picture is held at once: more than it may take.
        const QByteArray progressive = jpegOf({1024, 768}, {.progressive = true});
        const qsizetype progressiveFrame = progressive.indexOf("\xFF\xC2");
        QVERIFY(progressiveFrame > 0);
        QTest::newRow("progressive 30000x30000")
            << QByteArray(progressive).replace(progressiveFrame + 5, 4, QByteArray("\x75\x30\x75\x30", 4))
            << true;
    }

    void refusesDamagedData()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, headerReadable);
        JpegReader reader(bytes);
        QCOMPARE(reader.readHeader(), headerReadable);
        if (headerReadable)
            QVERIFY(reader.handles());
        else
            QVERIFY(!reader.errorString().isEmpty());
        ScriptedSpare core(Spare::Inline);
        QVERIFY(reader.read(core.core()).isNull());
        QVERIFY(!reader.errorString().isEmpty());
    }

    // libjpeg only warns about a cut-off scan and fills the rows it lacks in grey, as it
    // does under Qt's reader; telling a cut-off file apart is the caller's business. Qt
    // passes the warning on, which arithmetic decoding does not give.
    void cutOffPictureIsFilledInAsQtFillsIt_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<QByteArray>("cut");
        QTest::addColumn<QString>("qtWarning");
        const QString hitEnd = QStringLiteral("Corrupt JPEG data: premature end of data segment");
        for (const auto& [name, shape] : {std::pair<const char*, JpegShape>{"4:2:0", {}},
                                          {"restarts", {.restartRows = 2}},
                                          {"arithmetic", {.arithmetic = true}}}) {
            const QByteArray jpeg = jpegOf({1024, 768}, shape);
            const QString warning = shape.arithmetic ? QString() : hitEnd;
            QTest::addRow("%s, cut in half", name) << jpeg << jpeg.left(jpeg.size() / 2) << warning;
            QTest::addRow("%s, cut in the lower rows", name)
                << jpeg << jpeg.left(jpeg.size() * 6 / 7) << warning;
        }
    }

    void cutOffPictureIsFilledInAsQtFillsIt()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(QByteArray, cut);
        QFETCH(QString, qtWarning);
        if (!qtWarning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(qtWarning));
        const QImage qt = qtRead(cut);
        const Reading whole = readOwn(cut);
        QVERIFY2(!whole.image.isNull(), qPrintable(whole.error));
        QCOMPARE(whole.image, qt);
        QVERIFY(whole.image != readOwn(jpeg).image);
        for (Spare spare : {Spare::Inline, Spare::Thread}) {
            ScriptedSpare core(spare);
            const Reading split = readOwn(cut, core.core());
            core.join();
            QCOMPARE(core.offered(), 1);
            QVERIFY2(split.image == whole.image, spareName(spare));
        }
    }
};

QTEST_GUILESS_MAIN(TestJpegReader)
#include "tst_jpeg_reader.moc"
