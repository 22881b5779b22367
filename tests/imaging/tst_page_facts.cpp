// What a page's header tells before it is decoded: the size the decoder's picture will have,
// and the format, read from a few bytes.

#include "imaging/file_picture_decoder.h"
#include "imaging/page_facts.h"
#include "support/bitmap_fixtures.h"
#include "support/bytes_page_source.h"
#include "support/gif_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/metafile_fixtures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLoggingCategory>
#include <QPainter>
#include <QTest>
#include <QtEndian>

#include <optional>

using namespace ruvo;
using namespace ruvo::test;

Q_DECLARE_METATYPE(ruvo::PictureFormat)

namespace {

const QColor kRed(220, 20, 20);
const QColor kGreen(20, 200, 40);
const QColor kBlue(30, 40, 210);

QByteArray encoded(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

QImage withAlpha(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(QRect(QPoint(0, 0), size / 2), kBlue);
    return image;
}

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray littleEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
    return out;
}

QByteArray riffChunk(const char* name, const QByteArray& data)
{
    QByteArray chunk = QByteArray(name, 4) + littleEndian(quint32(data.size()), 4) + data;
    return data.size() % 2 ? chunk + '\0' : chunk;
}

// An animated WebP of the canvas, its frames the lossless pictures at their places (at even
// offsets, as the format stores them halved).
QByteArray animatedWebp(QSize canvas, const QList<std::pair<QImage, QPoint>>& frames)
{
    constexpr char kAnimation = 0x02;
    constexpr char kAlpha = 0x10;
    QByteArray chunks = riffChunk("VP8X", QByteArray(1, char(kAnimation | kAlpha)) + QByteArray(3, '\0') +
                                              littleEndian(quint32(canvas.width() - 1), 3) +
                                              littleEndian(quint32(canvas.height() - 1), 3));
    chunks += riffChunk("ANIM", littleEndian(0xFFFFFFFF, 4) + littleEndian(0, 2));
    for (const auto& [image, at] : frames) {
        // The lossless file Qt writes holds one chunk after its RIFF header: the picture's.
        const QByteArray single = encoded(image, "webp", 100);
        const QByteArray frame = littleEndian(quint32(at.x() / 2), 3) + littleEndian(quint32(at.y() / 2), 3) +
                                 littleEndian(quint32(image.width() - 1), 3) +
                                 littleEndian(quint32(image.height() - 1), 3) + littleEndian(100, 3) +
                                 QByteArray(1, '\0') + single.mid(12);
        chunks += riffChunk("ANMF", frame);
    }
    return "RIFF" + littleEndian(quint32(4 + chunks.size()), 4) + "WEBP" + chunks;
}

// The JPEG with its EXIF segment moved behind its frame header, where libjpeg still reads it.
QByteArray exifAfterFrame(const QByteArray& jpeg)
{
    const qsizetype exifAt = jpeg.indexOf(QByteArrayView("\xFF\xE1", 2));
    const qsizetype frameAt = jpeg.indexOf(QByteArrayView("\xFF\xC0", 2));
    if (exifAt < 0 || frameAt < exifAt)
        return {};
    const qsizetype exifBytes = 2 + qFromBigEndian<quint16>(jpeg.constData() + exifAt + 2);
    const qsizetype frameEnd = frameAt + 2 + qFromBigEndian<quint16>(jpeg.constData() + frameAt + 2);
    const QByteArray exif = jpeg.mid(exifAt, exifBytes);
    QByteArray moved = jpeg;
    moved.insert(frameEnd, exif);
    return moved.remove(exifAt, exifBytes);
}

// The JPEG with an XMP segment (APP1 too) in front of its EXIF one.
QByteArray xmpBeforeExif(const QByteArray& jpeg)
{
    const QByteArray xmp = QByteArray("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 42);
    QByteArray segment = QByteArray("\xFF\xE1", 2);
    segment.append(char((xmp.size() + 2) >> 8)).append(char((xmp.size() + 2) & 0xFF)).append(xmp);
    return QByteArray(jpeg).insert(jpeg.indexOf(QByteArrayView("\xFF\xE1", 2)), segment);
}

// A thumbnail as a camera stores it in its EXIF segment: larger than the test pages, so that
// it cannot be taken for their frame unnoticed.
QByteArray thumbnail()
{
    return writeJpeg(detailedPicture(QSize(160, 120)), {.quality = 60});
}

QByteArray patched(QByteArray bytes, qsizetype at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = char(value >> (8 * i));
    return bytes;
}

// A device that counts the bytes read through it from the device it stands in front of.
class CountingDevice : public QIODevice
{
public:
    explicit CountingDevice(QIODevice& inner) : m_inner(inner)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    qint64 bytesRead() const { return m_read; }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_inner.size(); }

protected:
    qint64 readData(char* data, qint64 most) override
    {
        if (!m_inner.seek(pos()))
            return -1;
        const qint64 read = m_inner.read(data, most);
        m_read += std::max<qint64>(read, 0);
        return read;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& m_inner;
    qint64 m_read = 0;
};

std::optional<PageFacts> factsOf(const QByteArray& bytes, bool inArchive)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readPageFacts(buffer, inArchive ? PageFormats::All : PageFormats::Basic);
}

} // namespace

class TestPageFacts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Damaged files make the readers complain; the results are what is checked.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false\nqt.svg*=false"));
    }

    // The size is the picture's the decoder makes of the page, whatever reader makes it.
    void sizeIsTheDecodedPicturesSize_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("inArchive");
        QTest::addColumn<PictureFormat>("format");
        QTest::addColumn<QSize>("size");

        const QImage photo = detailedPicture(QSize(64, 48));
        QTest::newRow("jpeg") << writeJpeg(photo) << false << PictureFormat::Jpeg << QSize(64, 48);
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const QSize upright = orientation >= 5 ? QSize(48, 64) : QSize(64, 48);
            const QByteArray jpeg = writeJpeg(photo, {.exifOrientation = orientation});
            QTest::addRow("jpeg, orientation %d", orientation)
                << jpeg << false << PictureFormat::Jpeg << upright;
            QTest::addRow("jpeg, orientation %d, with a thumbnail", orientation)
                << writeJpeg(photo, {.exifOrientation = orientation, .exifThumbnail = thumbnail()}) << false
                << PictureFormat::Jpeg << upright;
            QTest::addRow("jpeg, orientation %d, behind the frame header", orientation)
                << exifAfterFrame(jpeg) << false << PictureFormat::Jpeg << upright;
        }
        QTest::newRow("jpeg, XMP before EXIF") << xmpBeforeExif(writeJpeg(photo, {.exifOrientation = 6}))
                                               << false << PictureFormat::Jpeg << QSize(48, 64);
        QTest::newRow("progressive jpeg") << writeJpeg(photo, {.progressive = true, .exifOrientation = 8})
                                          << false << PictureFormat::Jpeg << QSize(48, 64);
        QTest::newRow("grey jpeg") << writeJpeg(photo, {.grey = true}) << false << PictureFormat::Jpeg
                                   << QSize(64, 48);
        QTest::newRow("arithmetic jpeg")
            << writeJpeg(photo, {.arithmetic = true}) << false << PictureFormat::Jpeg << QSize(64, 48);
        QTest::newRow("cmyk jpeg, read by Qt") << writeJpeg(photo, {.cmyk = true, .exifOrientation = 6})
                                               << false << PictureFormat::Jpeg << QSize(48, 64);

        const QSize odd(13, 7);
        const auto value = [](int x, int y) { return quint32((x + y) % 4); };
        BitmapLayout paletted;
        paletted.bitCount = 8;
        paletted.palette = {kRed.rgb(), kGreen.rgb(), kBlue.rgb(), qRgb(255, 255, 255)};
        BitmapLayout topDown = paletted;
        topDown.topDown = true;
        BitmapLayout runs = paletted;
        runs.compression = 1;
        BitmapLayout core = paletted;
        core.headerSize = 12;
        BitmapLayout os2 = paletted;
        os2.headerSize = 16;
        BitmapLayout masks;
        masks.headerSize = 124;
        masks.bitCount = 32;
        masks.compression = 3;
        masks.masks = {0xFF0000, 0xFF00, 0xFF, 0};
        QTest::newRow("bmp") << encoded(photo, "bmp") << false << PictureFormat::Bmp << QSize(64, 48);
        QTest::newRow("bmp, 8 bits") << bitmapFile(paletted, odd, value) << false << PictureFormat::Bmp
                                     << odd;
        QTest::newRow("bmp, top down")
            << bitmapFile(topDown, odd, value) << false << PictureFormat::Bmp << odd;
        QTest::newRow("bmp, run-length coded")
            << bitmapFile(runs, odd, value) << false << PictureFormat::Bmp << odd;
        QTest::newRow("bmp, core header")
            << bitmapFile(core, odd, value) << false << PictureFormat::Bmp << odd;
        QTest::newRow("bmp, OS/2 header")
            << bitmapFile(os2, odd, value) << false << PictureFormat::Bmp << odd;
        QTest::newRow("bmp, 124-byte header")
            << bitmapFile(masks, odd, [](int x, int y) { return quint32(x * 0x10203 + y * 0x30201); })
            << false << PictureFormat::Bmp << odd;

        QTest::newRow("ico, largest listed between") << iconWithSizes({16, 48, 32}, {kRed, kGreen, kBlue})
                                                     << false << PictureFormat::Ico << QSize(48, 48);
        QTest::newRow("ico, two depths of one size")
            << iconWithSizes({16, 32, 32}, {kRed, kGreen, kBlue}, {32, 8, 32}) << false << PictureFormat::Ico
            << QSize(32, 32);
        QByteArray understated = iconWithSizes({16, 48}, {kRed, kGreen});
        understated[iconEntryAt(1)] = char(8);
        understated[iconEntryAt(1) + 1] = char(8);
        QTest::newRow("ico, largest listed as the smallest")
            << understated << false << PictureFormat::Ico << QSize(48, 48);
        QTest::newRow("ico of PNG images, one past 256")
            << iconOfPngs({encoded(solid(QSize(256, 256), kRed), "png"),
                           encoded(solid(QSize(300, 280), kBlue), "png"),
                           encoded(solid(QSize(16, 16), kRed), "png")})
            << false << PictureFormat::Ico << QSize(300, 280);

        const QImage frame = solid(QSize(40, 30), kRed);
        QTest::newRow("gif") << gifOfBlocks(QSize(40, 30), {{frame, {0, 0}}}) << false << PictureFormat::Gif
                             << QSize(40, 30);
        QTest::newRow("animated gif")
            << gifOfBlocks(QSize(40, 30), {{frame, {0, 0}, 10},
                                           {solid(QSize(40, 30), kBlue), {0, 0}, 10},
                                           {solid(QSize(20, 10), kGreen), {5, 5}, 10}})
            << false << PictureFormat::Gif << QSize(40, 30);
        QTest::newRow("gif of blocks composed into its first frame")
            << gifOfBlocks(QSize(50, 40),
                           {{solid(QSize(20, 10), kRed), {0, 0}}, {solid(QSize(20, 10), kBlue), {20, 20}}})
            << false << PictureFormat::Gif << QSize(50, 40);
        QTest::newRow("gif whose screen is as large as its first block reaches")
            << gifOfBlocks(QSize(0, 0), {{solid(QSize(20, 10), kRed), {5, 8}}}) << false << PictureFormat::Gif
            << QSize(25, 18);
        QTest::newRow("gif of a screen wider than its block")
            << gifOfBlocks(QSize(60, 0), {{solid(QSize(20, 10), kRed), {5, 8}}}) << false
            << PictureFormat::Gif << QSize(60, 18);

        QTest::newRow("png") << encoded(photo, "png") << true << PictureFormat::Png << QSize(64, 48);
        QTest::newRow("png with alpha")
            << encoded(withAlpha(odd), "png") << true << PictureFormat::Png << odd;
        QTest::newRow("paletted png") << encoded(photo.convertToFormat(QImage::Format_Indexed8), "png")
                                      << true << PictureFormat::Png << QSize(64, 48);
        QTest::newRow("webp, lossy") << encoded(photo, "webp", 80) << true << PictureFormat::Webp
                                     << QSize(64, 48);
        QTest::newRow("webp, lossless")
            << encoded(photo, "webp", 100) << true << PictureFormat::Webp << QSize(64, 48);
        QTest::newRow("webp, lossy with alpha (extended)")
            << encoded(withAlpha(odd), "webp", 80) << true << PictureFormat::Webp << odd;
        QTest::newRow("webp, animated (extended)")
            << animatedWebp(QSize(40, 30),
                            {{withAlpha(QSize(20, 10)), {4, 6}}, {solid(QSize(40, 30), kRed), {0, 0}}})
            << true << PictureFormat::Webp << QSize(40, 30);

        // 2880 by 1440 units at 1440 an inch: two inches by one, 192 by 96 pixels.
        QTest::newRow("placeable wmf")
            << placeableWmfWithRectangle(QSize(2880, 1440), 1440, QRect(720, 360, 1440, 720), kBlue) << false
            << PictureFormat::Wmf << QSize(192, 96);
        QTest::newRow("placeable wmf, box away from the origin")
            << placeableWmfWithRectangleIn(QRect(QPoint(1000, 500), QSize(2880, 1440)), 1440,
                                           QRect(1720, 860, 1440, 720), kBlue, false)
            << false << PictureFormat::Wmf << QSize(192, 96);
        QTest::newRow("placeable wmf with a window of its own")
            << placeableWmfWithOwnWindow(QRect(0, 0, 2880, 1440), 1440, QRect(0, 0, 200, 100),
                                         QRect(50, 25, 100, 50), kBlue)
            << false << PictureFormat::Wmf << QSize(192, 96);
        QTest::newRow("rich wmf") << richWmf() << false << PictureFormat::Wmf << QSize(96, 96);
        QTest::newRow("wmf without a placeable header")
            << standardWmfWithRectangle(QSize(400, 300), QRect(100, 100, 200, 100), kRed) << false
            << PictureFormat::Wmf << QSize(400, 300);
        // 50.8 by 25.4 millimetres: 192 by 96 pixels.
        QTest::newRow("emf") << emfWithRectangle(QSize(5080, 2540), QRectF(0.25, 0.25, 0.5, 0.5), kRed)
                             << false << PictureFormat::Emf << QSize(192, 96);
        QTest::newRow("rich emf") << richEmf() << false << PictureFormat::Emf << QSize(189, 189);
        QTest::newRow("emf whose bounds reach past its frame")
            << emfWithBounds(QRect(QPoint(-256, -256), QPoint(1394, 1394)),
                             QRect(QPoint(0, 0), QPoint(43500, 43500)), kRed, kBlue)
            << false << PictureFormat::Emf << QSize(1950, 1950);
        QTest::newRow("emf whose record count disagrees")
            << patched(richEmf(), 52, 3, 4) << false << PictureFormat::Emf << QSize(189, 189);
        // 297 by 420 millimetres, too many records to draw at 1123 by 1587 pixels.
        QTest::newRow("emf of very many records, drawn smaller")
            << busyEmf(QSize(29700, 42000), 20000) << false << PictureFormat::Emf << QSize(841, 1188);
    }
    void sizeIsTheDecodedPicturesSize()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, inArchive);
        QFETCH(PictureFormat, format);
        QFETCH(QSize, size);
        QVERIFY(!bytes.isEmpty());
        const DecodedPicture decoded = FilePictureDecoder::decodePage(
            BytesPageSource(bytes, inArchive ? PageFormats::All : PageFormats::Basic));
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        QCOMPARE(decoded.pictureSize(), size);
        const std::optional<PageFacts> facts = factsOf(bytes, inArchive);
        QVERIFY(facts);
        QCOMPARE(facts->size, decoded.pictureSize());
        QCOMPARE(facts->format, format);
    }

    // A header cut off, or claiming no size, or of a format pages are not in, tells nothing.
    void nothingWithoutAWholeHeader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("inArchive");

        const QImage photo = detailedPicture(QSize(64, 48));
        const QByteArray jpeg = writeJpeg(photo, {.exifOrientation = 6, .exifThumbnail = thumbnail()});
        // The page's frame header follows the EXIF segment, which holds the thumbnail's.
        const qsizetype exifAt = jpeg.indexOf(QByteArrayView("\xFF\xE1", 2));
        const qsizetype exifEnd = exifAt + 2 + qFromBigEndian<quint16>(jpeg.constData() + exifAt + 2);
        const qsizetype frameAt = jpeg.indexOf(QByteArrayView("\xFF\xC0", 2), exifEnd);
        QTest::newRow("jpeg cut before its frame header") << jpeg.first(frameAt) << false;
        QTest::newRow("jpeg cut in its frame header") << jpeg.first(frameAt + 6) << false;
        QTest::newRow("jpeg cut in its EXIF segment") << jpeg.first(exifAt + 200) << false;
        QTest::newRow("jpeg cut in a segment's length") << jpeg.first(5) << false;
        QTest::newRow("jpeg with neither side") << jpegClaiming(QSize(0, 0)) << false;
        QTest::newRow("jpeg without a width") << jpegClaiming(QSize(0, 48)) << false;
        QTest::newRow("jpeg without a height") << jpegClaiming(QSize(64, 0)) << false;
        // libjpeg reads on past such bytes, where an EXIF segment may still come.
        const QByteArray plain = writeJpeg(photo);
        const qsizetype plainFrameAt = plain.indexOf(QByteArrayView("\xFF\xC0", 2));
        const qsizetype plainFrameEnd =
            plainFrameAt + 2 + qFromBigEndian<quint16>(plain.constData() + plainFrameAt + 2);
        QTest::newRow("jpeg with bytes that are no marker behind its frame header")
            << QByteArray(plain).insert(plainFrameEnd, "\x12\x34") << false;
        QTest::newRow("jpeg whose scan comes before any frame")
            << QByteArray("\xFF\xD8\xFF\xDA\x00\x02\x00\x00\xFF\xD9", 10) << false;

        const QByteArray png = encoded(photo, "png");
        QTest::newRow("png cut in its header") << png.first(20) << true;
        QTest::newRow("png without a width") << patched(png, 16, 0, 4) << true;
        QTest::newRow("png in a folder book") << png << false;

        const QByteArray gif = gifOfBlocks(QSize(40, 30), {{solid(QSize(40, 30), kRed), {0, 0}}});
        QTest::newRow("gif cut in its screen") << gif.first(8) << false;
        QTest::newRow("gif of no screen cut before its first block")
            << gifOfBlocks(QSize(0, 0), {{solid(QSize(20, 10), kRed), {5, 8}}}).first(20) << false;
        // Its block's width, after the header and the graphic control extension.
        QTest::newRow("gif of no screen and a block of no width")
            << patched(gifOfBlocks(QSize(0, 0), {{solid(QSize(20, 10), kRed), {0, 0}}}), 13 + 8 + 5, 0, 2)
            << false;

        const QByteArray bmp = encoded(photo, "bmp");
        QTest::newRow("bmp cut in its header") << bmp.first(20) << false;
        QTest::newRow("bmp without a width") << patched(bmp, 18, 0, 4) << false;
        QTest::newRow("bmp without rows") << patched(bmp, 22, 0, 4) << false;

        const QByteArray ico = iconWithSizes({16, 48}, {kRed, kGreen});
        QTest::newRow("ico cut in its directory") << ico.first(iconEntryAt(0) + 8) << false;

        const QByteArray webp = encoded(photo, "webp", 80);
        QTest::newRow("webp cut in its frame header") << webp.first(26) << true;
        QTest::newRow("webp in a folder book") << webp << false;

        const QByteArray wmf =
            placeableWmfWithRectangle(QSize(2880, 1440), 1440, QRect(720, 360, 1440, 720), kBlue);
        QTest::newRow("wmf cut in its placeable header") << wmf.first(12) << false;
        QTest::newRow("wmf of an empty box") << patched(wmf, 10, 0, 2) << false;
        QTest::newRow("wmf of no units") << patched(wmf, 14, 0, 2) << false;

        const QByteArray emf = emfWithRectangle(QSize(5080, 2540), QRectF(0.25, 0.25, 0.5, 0.5), kRed);
        QTest::newRow("emf cut in its header") << emf.first(60) << false;
        QTest::newRow("emf cut before its end-of-file record") << emf.chopped(8) << false;
        QTest::newRow("emf of a reference device of no size") << patched(emf, 72, 0, 4) << false;

        QTest::newRow("no picture") << QByteArray("not a picture at all, only text") << false;
        QTest::newRow("empty") << QByteArray() << true;
    }
    void nothingWithoutAWholeHeader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, inArchive);
        QVERIFY(!factsOf(bytes, inArchive));
    }

    // A photo's EXIF segment, thumbnail and all, is stepped over: the facts of a large photo
    // cost a few kilobytes.
    void aPhotosFactsCostAFewKilobytes()
    {
        // The thumbnail fills most of what an APP1 segment can hold.
        const QByteArray large = writeJpeg(detailedPicture(QSize(400, 300)), {.quality = 93});
        const QByteArray photo = writeJpeg(detailedPicture(QSize(3600, 2600)),
                                           {.quality = 100, .exifOrientation = 6, .exifThumbnail = large});
        QVERIFY2(large.size() > 60 * 1000 && large.size() < 65000, qPrintable(QString::number(large.size())));
        QVERIFY2(photo.size() > 5 * 1000 * 1000, qPrintable(QString::number(photo.size())));
        QBuffer buffer;
        buffer.setData(photo);
        buffer.open(QIODevice::ReadOnly);
        CountingDevice counting(buffer);
        const std::optional<PageFacts> facts = readPageFacts(counting, PageFormats::Basic);
        QVERIFY(facts);
        QCOMPARE(facts->size, QSize(2600, 3600));
        QVERIFY2(counting.bytesRead() < 16 * 1024, qPrintable(QString::number(counting.bytesRead())));
    }
};

QTEST_MAIN(TestPageFacts)
#include "tst_page_facts.moc"
