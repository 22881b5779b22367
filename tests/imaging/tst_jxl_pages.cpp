// JPEG XL pages, as archive books hold them: decoded by libjxl from pictures of the test's own,
// in every depth, grey or in colour, with alpha, turned as their orientation says, an animation
// as its first frame; their size from the header alone; and damaged or boastful files refused.

#include "imaging/file_picture_decoder.h"
#include "imaging/page_facts.h"
#include "support/bytes_page_source.h"
#include "support/jxl_fixtures.h"
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

// Where EXIF's orientation (1 to 8) puts a stored pixel when the picture is turned upright.
QPoint uprightPlace(int orientation, QPoint stored, QSize size)
{
    const int x = stored.x();
    const int y = stored.y();
    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    switch (orientation) {
    case 2:
        return {right - x, y};
    case 3:
        return {right - x, bottom - y};
    case 4:
        return {x, bottom - y};
    case 5:
        return {y, x};
    case 6:
        return {bottom - y, x};
    case 7:
        return {bottom - y, right - x};
    case 8:
        return {y, right - x};
    default:
        return stored;
    }
}

QImage uprightAsExifSays(const QImage& stored, int orientation)
{
    const QSize size = orientation >= 5 ? stored.size().transposed() : stored.size();
    QImage upright(size, QImage::Format_RGB32);
    for (int y = 0; y < stored.height(); ++y) {
        for (int x = 0; x < stored.width(); ++x)
            upright.setPixel(uprightPlace(orientation, QPoint(x, y), stored.size()), stored.pixel(x, y));
    }
    return upright;
}

QImage solidPicture(QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// The picture in grey, its alpha kept, as the fixtures write a grey JPEG XL.
QImage greyed(const QImage& picture)
{
    QImage grey = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = grey.pixel(x, y);
            grey.setPixel(x, y, qRgba(qGray(pixel), qGray(pixel), qGray(pixel), qAlpha(pixel)));
        }
    }
    return grey;
}

QImage greyPicture(QSize size)
{
    QImage picture(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 7 % 256, x * 7 % 256, x * 7 % 256));
    }
    return picture;
}

} // namespace

class TestJxlPages : public QObject
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
        const QImage grey = greyPicture(kSize);
        QTest::newRow("8 bits, lossless") << jxlOf({picture}) << picture << 0 << 0 << QImage::Format_RGB32;
        QTest::newRow("8 bits, lossy (XYB)")
            << jxlOf({picture}, {.lossless = false}) << picture << 6 << 256 << QImage::Format_RGB32;
        QTest::newRow("10 bits, lossless")
            << jxlOf({picture}, {.bits = 10}) << picture << 1 << 1 << QImage::Format_RGB32;
        QTest::newRow("12 bits, lossless")
            << jxlOf({picture}, {.bits = 12}) << picture << 1 << 1 << QImage::Format_RGB32;
        QTest::newRow("16 bits, lossless")
            << jxlOf({picture}, {.bits = 16}) << picture << 1 << 1 << QImage::Format_RGB32;
        QTest::newRow("10 bits, lossy (XYB)") << jxlOf({picture}, {.bits = 10, .lossless = false}) << picture
                                              << 6 << 256 << QImage::Format_RGB32;
        QTest::newRow("alpha") << jxlOf({clear}) << clear << 1 << 1 << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("alpha, lossy (XYB)") << jxlOf({clear}, {.lossless = false}) << clear << 6 << 256
                                            << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("grey") << jxlOf({grey}, {.grey = true}) << grey << 0 << 0 << QImage::Format_Grayscale8;
        QTest::newRow("grey, lossy (XYB)") << jxlOf({grey}, {.lossless = false, .grey = true}) << grey << 6
                                           << 12 << QImage::Format_Grayscale8;
        QTest::newRow("grey with alpha") << jxlOf({clear}, {.grey = true}) << greyed(clear) << 1 << 1
                                         << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("in the container")
            << jxlOf({picture}, {.container = true}) << picture << 0 << 0 << QImage::Format_RGB32;
        QTest::newRow("animation: its first frame")
            << jxlOf({picture, solidPicture(kSize, Qt::black), solidPicture(kSize, Qt::white)}) << picture
            << 0 << 0 << QImage::Format_RGB32;
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
        const std::optional<PageFacts> facts = factsOf(bytes);
        QVERIFY(facts);
        QCOMPARE(facts->format, PictureFormat::Jxl);
        QCOMPARE(facts->size, decoded.image.size());
    }

    // The codestream's orientation turns the stored pixels upright as EXIF's does a photo's;
    // the size the header tells is the upright one.
    void turnsAsItsOrientationSays_data()
    {
        QTest::addColumn<int>("orientation");
        for (int orientation = 1; orientation <= 8; ++orientation)
            QTest::addRow("orientation %d", orientation) << orientation;
    }
    void turnsAsItsOrientationSays()
    {
        QFETCH(int, orientation);
        const QImage stored = quarteredPicture(QSize(12, 8));
        const QByteArray bytes = jxlOf({stored}, {.orientation = orientation});
        const DecodedPicture decoded = decodedInArchive(bytes);
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        const QImage expected = uprightAsExifSays(stored, orientation);
        QCOMPARE(largestDifference(decoded.image, expected), 0);
        const std::optional<PageFacts> facts = factsOf(bytes);
        QVERIFY(facts);
        QCOMPARE(facts->size, expected.size());
    }

    // A picture kept in a colour space of its own is turned into sRGB by its profile.
    void colourIsTurnedIntoSrgb_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<QColor>("stored");
        QTest::addColumn<QColor>("expected");
        const QColor grey(128, 128, 128);
        const QColor red(180, 80, 70);
        const QByteArray p3 = QColorSpace(QColorSpace::DisplayP3).iccProfile();
        const QColor p3Red =
            QColorSpace(QColorSpace::DisplayP3).transformationToColorSpace(QColorSpace::SRgb).map(red);
        QTest::newRow("sRGB") << QByteArray() << red << red;
        QTest::newRow("Display P3, grey") << p3 << grey << grey;
        QTest::newRow("Display P3, red") << p3 << red << p3Red;
    }
    void colourIsTurnedIntoSrgb()
    {
        QFETCH(QByteArray, profile);
        QFETCH(QColor, stored);
        QFETCH(QColor, expected);
        const DecodedPicture decoded =
            decodedInArchive(jxlOf({solidPicture(QSize(8, 8), stored)}, {.iccProfile = profile}));
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        const QColor shown = decoded.image.pixelColor(4, 4);
        QVERIFY2(std::abs(shown.red() - expected.red()) <= 2 &&
                     std::abs(shown.green() - expected.green()) <= 2 &&
                     std::abs(shown.blue() - expected.blue()) <= 2,
                 qPrintable(shown.name() + QStringLiteral(" for ") + expected.name()));
    }

    // However the spare core behaves, every part of the picture is decoded once and the same.
    void spareCoreChangesNothing_data()
    {
        QTest::addColumn<Spare>("spare");
        for (Spare kind : {Spare::Inline, Spare::Thread, Spare::Late, Spare::Never})
            QTest::newRow(spareName(kind)) << kind;
    }
    void spareCoreChangesNothing()
    {
        QFETCH(Spare, spare);
        const QImage picture = quarteredPicture(QSize(600, 500));
        for (bool lossless : {true, false}) {
            const QByteArray bytes = jxlOf({picture}, {.lossless = lossless});
            const DecodedPicture alone = decodedInArchive(bytes);
            ScriptedSpare core(spare);
            const DecodedPicture decoded = decodedInArchive(bytes, core.core());
            core.join();
            core.runHeld();
            QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
            QCOMPARE(largestDifference(decoded.image, alone.image), 0);
            QCOMPARE_GT(core.offered(), 0);
        }
    }

    // A file cut short, damaged or claiming a size beyond the bounds is refused quickly, with
    // its reason, at the cost of its bytes rather than of its claim; one outside an archive is
    // no page.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("inArchive");
        QTest::addColumn<QString>("reason");
        const QByteArray jxl = jxlOf({quarteredPicture(QSize(64, 48))}, {.lossless = false});
        const QByteArray contained = jxlOf({quarteredPicture(QSize(64, 48))}, {.container = true});
        QTest::newRow("cut in its header") << jxl.first(6) << true << "cut short";
        QTest::newRow("cut after its header") << jxl.first(jxl.size() * 2 / 3) << true << "cut short";
        QTest::newRow("cut a byte short") << jxl.first(jxl.size() - 1) << true << "cut short";
        QTest::newRow("in the container, cut short")
            << contained.first(contained.size() / 2) << true << "cut short";
        QByteArray scrambled = jxl;
        for (qsizetype at = scrambled.size() / 3; at < scrambled.size(); at += 3)
            scrambled[at] = char(scrambled.at(at) ^ 0x5A);
        QTest::newRow("its coded picture scrambled") << scrambled << true << "";
        QTest::newRow("header alone, claiming 33000x100")
            << jxlHeaderClaiming(QSize(33000, 100)) << true << "too large";
        QTest::newRow("header alone, claiming 16000x16000")
            << jxlHeaderClaiming(QSize(16000, 16000)) << true << "too large";
        QTest::newRow("header alone, claiming 20000x20000")
            << jxlHeaderClaiming(QSize(20000, 20000)) << true << "too large (20000x20000)";
        QTest::newRow("header alone, claiming 7000x7000")
            << jxlHeaderClaiming(QSize(7000, 7000)) << true << "too large";
        QTest::newRow("header alone, claiming 100x100")
            << jxlHeaderClaiming(QSize(100, 100)) << true << "cut short";
        QTest::newRow("in a folder book") << jxl << false << "unrecognised";
    }
    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, inArchive);
        QFETCH(QString, reason);
        QElapsedTimer timer;
        timer.start();
        const ResidentPeak peak;
        const DecodedPicture decoded = FilePictureDecoder::decodePage(
            BytesPageSource(bytes, inArchive ? PageFormats::All : PageFormats::Basic));
        // Refused before anything is allocated for what it claims.
        QCOMPARE_LT(peak.growth(), kMostRefusalBytes);
        QVERIFY(!decoded.isValid());
        QVERIFY(decoded.image.isNull());
        QVERIFY2(decoded.error.contains(reason), qPrintable(decoded.error));
        QCOMPARE_LT(timer.elapsed(), 2000);
    }

    // The header tells what it claims, which the decoder then refuses: the size is only a fact.
    void headerTellsTheSizeItClaims_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("hasFacts");
        QTest::newRow("claiming 100x100") << jxlHeaderClaiming(QSize(100, 100)) << true;
        QTest::newRow("claiming 16000x16000") << jxlHeaderClaiming(QSize(16000, 16000)) << true;
        QTest::newRow("cut in its size header") << jxlHeaderClaiming(QSize(100, 100)).first(5) << false;
    }
    void headerTellsTheSizeItClaims()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, hasFacts);
        const std::optional<PageFacts> facts = factsOf(bytes);
        QCOMPARE(facts.has_value(), hasFacts);
    }
};

QTEST_MAIN(TestJxlPages)
#include "tst_jxl_pages.moc"
