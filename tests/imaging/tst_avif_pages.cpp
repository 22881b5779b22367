// AVIF pages, as archive books hold them: decoded by libavif from pictures of the test's own,
// in every depth, with alpha, turned as their irot and imir boxes say, an animation as its first
// frame; their size from the header alone; and damaged or boastful files refused.

#include "imaging/file_picture_decoder.h"
#include "imaging/page_facts.h"
#include "support/avif_fixtures.h"
#include "support/bytes_page_source.h"
#include "support/picture_comparison.h"
#include "support/resident_peak.h"
#include "support/scripted_spare.h"

#include <QBuffer>
#include <QColorSpace>
#include <QElapsedTimer>
#include <QTest>

#include <optional>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ruvo::test::Spare)
Q_DECLARE_METATYPE(ruvo::test::AvifSpec)

namespace {

constexpr QSize kSize(32, 24);
// What a refused file may cost at its peak: the library's own bookkeeping.
constexpr qint64 kMostRefusalBytes = 32 * 1024 * 1024;

DecodedPicture decodedInArchive(const QByteArray& bytes, const SpareCore& spare = {})
{
    return FilePictureDecoder::decodePage(BytesPageSource(bytes, PageFormats::All), spare, {});
}

std::optional<PageFacts> factsOf(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readPageFacts(buffer, PageFormats::All);
}

// The picture as HEIF turns it: quarter turns anticlockwise, then mirrored, each pixel moved on
// its own.
QImage turnedAsHeifSays(const QImage& stored, int quarterTurns, int mirrorMode)
{
    QImage picture = stored.convertToFormat(QImage::Format_RGB32);
    for (int turn = 0; turn < quarterTurns; ++turn) {
        QImage turned(picture.height(), picture.width(), QImage::Format_RGB32);
        // Anticlockwise: the right column becomes the top row.
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                turned.setPixel(y, picture.width() - 1 - x, picture.pixel(x, y));
        }
        picture = turned;
    }
    if (mirrorMode == 0)
        picture = picture.mirrored(false, true);
    if (mirrorMode == 1)
        picture = picture.mirrored(true, false);
    return picture;
}

QImage solidPicture(QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

class TestAvifPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QImage>("expected");
        // The largest difference allowed at the quarters' centres, and over every pixel.
        QTest::addColumn<int>("atQuarters");
        QTest::addColumn<int>("anywhere");
        QTest::addColumn<QImage::Format>("format");
        const QImage picture = quarteredPicture(kSize);
        const QImage clear = quarteredWithAlpha(kSize);
        QTest::newRow("8 bits, 4:2:0") << avifOf({picture}) << picture << 6 << 256 << QImage::Format_RGB32;
        QTest::newRow("8 bits, 4:4:4")
            << avifOf({picture}, {.chroma444 = true}) << picture << 6 << 256 << QImage::Format_RGB32;
        QTest::newRow("8 bits, lossless")
            << avifOf({picture}, {.lossless = true}) << picture << 0 << 0 << QImage::Format_RGB32;
        QTest::newRow("10 bits") << avifOf({picture}, {.depth = 10}) << picture << 6 << 256
                                 << QImage::Format_RGB32;
        QTest::newRow("10 bits, lossless") << avifOf({picture}, {.depth = 10, .lossless = true}) << picture
                                           << 1 << 1 << QImage::Format_RGB32;
        QTest::newRow("12 bits") << avifOf({picture}, {.depth = 12}) << picture << 6 << 256
                                 << QImage::Format_RGB32;
        QTest::newRow("12 bits, lossless") << avifOf({picture}, {.depth = 12, .lossless = true}) << picture
                                           << 1 << 1 << QImage::Format_RGB32;
        QTest::newRow("alpha, lossless")
            << avifOf({clear}, {.lossless = true}) << clear << 1 << 1 << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("alpha, 10 bits") << avifOf({clear}, {.depth = 10, .chroma444 = true}) << clear << 8
                                        << 256 << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("animation: its first frame")
            << avifOf({picture, solidPicture(kSize, Qt::black), solidPicture(kSize, Qt::white)},
                      {.lossless = true})
            << picture << 0 << 0 << QImage::Format_RGB32;
        QTest::newRow("grey") << avifOf({solidPicture(kSize, QColor(90, 90, 90))})
                              << solidPicture(kSize, QColor(90, 90, 90)) << 3 << 3 << QImage::Format_RGB32;
    }
    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QImage, expected);
        QFETCH(int, atQuarters);
        QFETCH(int, anywhere);
        QFETCH(QImage::Format, format);
        QVERIFY(!bytes.isEmpty());
        const DecodedPicture decoded = decodedInArchive(bytes);
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.size(), expected.size());
        QCOMPARE(decoded.image.format(), format);
        QVERIFY(!decoded.isReduced());
        QCOMPARE_LE(largestDifferenceAtQuarters(decoded.image, expected), atQuarters);
        QCOMPARE_LE(largestDifference(decoded.image, expected), anywhere);
        // What the header tells is what the decoder makes.
        const std::optional<PageFacts> facts = factsOf(bytes);
        QVERIFY(facts);
        QCOMPARE(facts->format, PictureFormat::Avif);
        QCOMPARE(facts->size, decoded.image.size());
    }

    // Turned a quarter at a time anticlockwise (irot), then mirrored (imir: 0 exchanges top and
    // bottom, 1 left and right), as HEIF orders them.
    void turnsAsItsBoxesSay_data()
    {
        QTest::addColumn<int>("quarterTurns");
        QTest::addColumn<int>("mirrorMode");
        for (int turns = -1; turns < 4; ++turns) {
            for (int mirror = -1; mirror < 2; ++mirror) {
                QTest::addRow("irot %d, imir %d", turns, mirror) << turns << mirror;
            }
        }
    }
    void turnsAsItsBoxesSay()
    {
        QFETCH(int, quarterTurns);
        QFETCH(int, mirrorMode);
        const QImage stored = quarteredPicture(QSize(12, 8));
        const QByteArray bytes =
            avifOf({stored}, {.lossless = true, .quarterTurns = quarterTurns, .mirrorMode = mirrorMode});
        const DecodedPicture decoded = decodedInArchive(bytes);
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        const QImage expected = turnedAsHeifSays(stored, std::max(quarterTurns, 0), mirrorMode);
        QCOMPARE(largestDifference(decoded.image, expected), 0);
        const std::optional<PageFacts> facts = factsOf(bytes);
        QVERIFY(facts);
        QCOMPARE(facts->size, expected.size());
    }

    // Colours described by CICP codes or a profile other than sRGB's are turned into sRGB:
    // a grey stays grey, a colour of a wider gamut grows more saturated in sRGB's.
    void colourIsTurnedIntoSrgb_data()
    {
        QTest::addColumn<AvifSpec>("spec");
        QTest::addColumn<QColor>("stored");
        QTest::addColumn<QColor>("expected");
        const QColor grey(128, 128, 128);
        const QColor red(180, 80, 70);
        const auto inP3 = [](QColor colour) {
            return QColorSpace(QColorSpace::DisplayP3)
                .transformationToColorSpace(QColorSpace::SRgb)
                .map(colour);
        };
        QTest::newRow("sRGB codes") << AvifSpec{.lossless = true} << red << red;
        QTest::newRow("unspecified codes")
            << AvifSpec{.lossless = true, .colourPrimaries = 2, .transfer = 2} << red << red;
        QTest::newRow("Display P3 codes, grey")
            << AvifSpec{.lossless = true, .colourPrimaries = 12} << grey << grey;
        QTest::newRow("Display P3 codes, red")
            << AvifSpec{.lossless = true, .colourPrimaries = 12} << red << inP3(red);
        QTest::newRow("Display P3 profile, red")
            << AvifSpec{.lossless = true, .iccProfile = QColorSpace(QColorSpace::DisplayP3).iccProfile()}
            << red << inP3(red);
    }
    void colourIsTurnedIntoSrgb()
    {
        QFETCH(AvifSpec, spec);
        QFETCH(QColor, stored);
        QFETCH(QColor, expected);
        const DecodedPicture decoded = decodedInArchive(avifOf({solidPicture(QSize(8, 8), stored)}, spec));
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        const QColor shown = decoded.image.pixelColor(4, 4);
        QVERIFY2(std::abs(shown.red() - expected.red()) <= 2 &&
                     std::abs(shown.green() - expected.green()) <= 2 &&
                     std::abs(shown.blue() - expected.blue()) <= 2,
                 qPrintable(shown.name() + QStringLiteral(" for ") + expected.name()));
    }

    // However the spare core behaves, the picture is the same.
    void spareCoreChangesNothing_data()
    {
        QTest::addColumn<Spare>("spare");
        for (Spare kind : {Spare::Inline, Spare::Thread, Spare::Late, Spare::Never})
            QTest::newRow(spareName(kind)) << kind;
    }
    void spareCoreChangesNothing()
    {
        QFETCH(Spare, spare);
        const QImage picture = quarteredPicture(QSize(300, 200));
        const QByteArray bytes = avifOf({picture}, {.lossless = true});
        ScriptedSpare core(spare);
        const DecodedPicture decoded = decodedInArchive(bytes, core.core());
        core.join();
        core.runHeld();
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        QCOMPARE(largestDifference(decoded.image, picture), 0);
    }

    // A file cut short, damaged or claiming a size beyond the bounds is refused quickly, with
    // its reason, at the cost of its bytes rather than of its claim; one outside an archive is
    // no page.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("inArchive");
        const QByteArray avif = avifOf({quarteredPicture(QSize(64, 48))});
        QTest::newRow("cut in its header") << avif.first(40) << true;
        QTest::newRow("cut after its header") << avif.first(avif.size() * 2 / 3) << true;
        QTest::newRow("cut a byte short") << avif.first(avif.size() - 1) << true;
        QByteArray scrambled = avif;
        for (qsizetype at = scrambled.indexOf("ipco"); at < scrambled.indexOf("mdat"); at += 5)
            scrambled[at] = char(scrambled.at(at) ^ 0x5A);
        QTest::newRow("its properties scrambled") << scrambled << true;
        QTest::newRow("claiming 33000x100") << withAvifExtent(avif, 33000, 100) << true;
        QTest::newRow("claiming 20000x20000") << withAvifExtent(avif, 20000, 20000) << true;
        QTest::newRow("claiming 12000x9000") << withAvifExtent(avif, 12000, 9000) << true;
        QTest::newRow("in a folder book") << avif << false;
    }
    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, inArchive);
        QElapsedTimer timer;
        timer.start();
        const ResidentPeak peak;
        const DecodedPicture decoded = FilePictureDecoder::decodePage(
            BytesPageSource(bytes, inArchive ? PageFormats::All : PageFormats::Basic));
        // Refused before anything is allocated for what it claims.
        QCOMPARE_LT(peak.growth(), kMostRefusalBytes);
        QVERIFY(!decoded.isValid());
        QVERIFY(decoded.image.isNull());
        QVERIFY(!decoded.error.isEmpty());
        QCOMPARE_LT(timer.elapsed(), 2000);
    }

    // A file larger than a page may be, a grid as much as a single picture, is refused as too
    // large, as the other formats are, never taken for a damaged file, and before anything is
    // allocated for it.
    void tooLargeIsSaidSo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("size");
        const QByteArray avif = avifOf({quarteredPicture(QSize(64, 48))});
        QTest::newRow("a grid of 16384x16384") << avifGridClaiming(QSize(8192, 8192)) << u"16384x16384"_qs;
        QTest::newRow("a grid of 16000x7000") << avifGridClaiming(QSize(8000, 3500)) << u"16000x7000"_qs;
        QTest::newRow("a still claiming 16384x16384")
            << withAvifExtent(avif, 16384, 16384) << u"16384x16384"_qs;
        QTest::newRow("a still claiming 12000x9000") << withAvifExtent(avif, 12000, 9000) << u"12000x9000"_qs;
    }
    void tooLargeIsSaidSo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, size);
        QVERIFY(!bytes.isEmpty());
        const ResidentPeak peak;
        const DecodedPicture decoded = decodedInArchive(bytes);
        QCOMPARE_LT(peak.growth(), kMostRefusalBytes);
        QVERIFY(decoded.image.isNull());
        // In the words every format refuses such a picture in, not in libavif's own.
        QCOMPARE(decoded.error, u"picture is too large (%1)"_qs.arg(size));
    }

    // The grid those are made from, at its true size, is a page: its cells in their places.
    void gridIsAPage()
    {
        const DecodedPicture decoded = decodedInArchive(avifGridClaiming(QSize(64, 64)));
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.size(), QSize(128, 128));
        const QList<QPoint> centres{{32, 32}, {96, 32}, {32, 96}, {96, 96}};
        const QList<QColor> colours{Qt::red, Qt::green, Qt::blue, Qt::white};
        for (qsizetype i = 0; i < centres.size(); ++i) {
            const QColor centre = decoded.image.pixelColor(centres.at(i));
            QVERIFY2(qAbs(centre.red() - colours.at(i).red()) <= 2 &&
                         qAbs(centre.green() - colours.at(i).green()) <= 2 &&
                         qAbs(centre.blue() - colours.at(i).blue()) <= 2,
                     qPrintable(centre.name()));
        }
    }

    // A picture whose header tells another size than its coded frame's is scaled by libavif to
    // the size told, which its facts then are.
    void pictureIsTheSizeItsHeaderTells_data()
    {
        QTest::addColumn<QSize>("told");
        QTest::newRow("less than its frame") << QSize(64, 40);
        QTest::newRow("more than its frame") << QSize(64, 56);
        QTest::newRow("wider than its frame") << QSize(96, 48);
    }
    void pictureIsTheSizeItsHeaderTells()
    {
        QFETCH(QSize, told);
        const QImage picture = quarteredPicture(QSize(64, 48));
        const QByteArray bytes = withAvifExtent(avifOf({picture}, {.lossless = true}), quint32(told.width()),
                                                quint32(told.height()));
        const DecodedPicture decoded = decodedInArchive(bytes);
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.size(), told);
        QCOMPARE_LE(largestDifferenceAtQuarters(decoded.image, quarteredPicture(told)), 2);
        const std::optional<PageFacts> facts = factsOf(bytes);
        QVERIFY(facts);
        QCOMPARE(facts->size, told);
    }

    void boastfulHeaderTellsNoSize_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray avif = avifOf({quarteredPicture(QSize(64, 48))});
        QTest::newRow("claiming 33000x100") << withAvifExtent(avif, 33000, 100);
        QTest::newRow("claiming 20000x20000") << withAvifExtent(avif, 20000, 20000);
        QTest::newRow("cut in its header") << avif.first(40);
    }
    void boastfulHeaderTellsNoSize()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!factsOf(bytes));
    }
};

QTEST_MAIN(TestAvifPages)
#include "tst_avif_pages.moc"
