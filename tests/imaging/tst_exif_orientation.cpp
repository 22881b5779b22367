#include "imaging/file_picture_decoder.h"
#include "imaging/jpeg/exif_orientation.h"
#include "imaging/jpeg/jpeg_reader.h"

#include "support/jpeg_fixtures.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using ruvo::test::exifPayload;
using ruvo::test::JpegShape;

namespace {

// Four quadrants of four colours on a picture wider than tall: any turn or mirror shows.
QImage quadrants(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    painter.fillRect(0, 0, w, h, QColor(220, 30, 30));
    painter.fillRect(w, 0, size.width() - w, h, QColor(30, 200, 40));
    painter.fillRect(0, h, w, size.height() - h, QColor(30, 40, 220));
    painter.fillRect(w, h, size.width() - w, size.height() - h, QColor(240, 230, 40));
    return picture;
}

QImage qtUpright(const QByteArray& jpeg)
{
    QBuffer buffer;
    buffer.setData(jpeg);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace

class TestExifOrientation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheTag_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("tag");
        for (int tag = 1; tag <= 8; ++tag) {
            QTest::addRow("Intel, %d", tag) << exifPayload(tag) << tag;
            QTest::addRow("Motorola, %d", tag) << exifPayload(tag, true) << tag;
        }
        QTest::newRow("out of range") << exifPayload(9) << 1;
        QTest::newRow("nought") << exifPayload(0) << 1;
        QByteArray wrongType = exifPayload(6);
        wrongType[6 + 8 + 2 + 12 + 2] = 4; // the orientation entry's type: LONG
        QTest::newRow("not a short") << wrongType << 1;
        QTest::newRow("cut in the entry") << exifPayload(6).first(6 + 8 + 2 + 12 + 6) << 1;
        QTest::newRow("cut in the header") << exifPayload(6).first(10) << 1;
        QByteArray farDirectory = exifPayload(6);
        farDirectory[6 + 4] = char(0xF0); // the first directory's offset, past the end
        QTest::newRow("directory past the end") << farDirectory << 1;
        QByteArray manyEntries = exifPayload(6);
        manyEntries[6 + 8] = char(0xFF); // 0xFF entries claimed, two there
        manyEntries[6 + 8 + 2 + 12] = 0; // and the orientation's tag gone
        QTest::newRow("more entries than there are") << manyEntries << 1;
        QTest::newRow("not EXIF") << QByteArray("XMP\0\0\0II*\0\x08\0\0\0", 14) << 1;
        QTest::newRow("neither byte order") << exifPayload(6).replace(6, 2, "XX") << 1;
    }
    void readsTheTag()
    {
        QFETCH(QByteArray, payload);
        QFETCH(int, tag);
        QCOMPARE(ExifOrientation::fromApp1(payload).tag(), tag);
    }

    // Read from the first bytes of a payload, the orientation is known once its value is
    // whole; bytes that end before that tell nothing either way.
    void readsTheTagFromTheStart_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("tag"); // 0: not known from these bytes
        const QByteArray payload = exifPayload(6, false, QByteArray(5000, 'x'));
        // The EXIF header, the TIFF header, the count, the first entry, then the orientation's
        // tag, type, count and value.
        constexpr qsizetype kValueEnd = 6 + 8 + 2 + 12 + 10;
        QTest::newRow("whole") << payload << 6;
        QTest::newRow("up to the value") << payload.first(kValueEnd) << 6;
        QTest::newRow("cut in the value") << payload.first(kValueEnd - 1) << 0;
        QTest::newRow("cut in the TIFF header") << payload.first(10) << 0;
        QTest::newRow("cut in the EXIF header") << payload.first(4) << 0;
        QTest::newRow("Motorola, up to the value") << exifPayload(3, true).first(kValueEnd) << 3;
        QTest::newRow("not EXIF") << QByteArray("XMP\0\0\0II*\0\x08\0\0\0", 14) << 1;
        QByteArray noOrientation = exifPayload(6);
        noOrientation[6 + 8] = 1; // the resolution unit alone
        QTest::newRow("no orientation") << noOrientation << 1;
        QByteArray farDirectory = exifPayload(6);
        farDirectory[6 + 4] = char(0xF0);
        QTest::newRow("directory past the bytes") << farDirectory << 0;
    }
    void readsTheTagFromTheStart()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, tag);
        const std::optional<ExifOrientation> read = ExifOrientation::fromApp1Start(start);
        QCOMPARE(read.has_value(), tag != 0);
        if (read)
            QCOMPARE(read->tag(), tag);
    }

    // Every orientation comes out as Qt's own reader turns it, read whole, read scaled on the
    // way, and read at a fraction of its size; the size for fitting is the upright one.
    void pagesStandUpright_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<JpegShape>("shape");
        for (int tag = 1; tag <= 8; ++tag) {
            QTest::addRow("%d", tag) << tag
                                     << JpegShape{.hSampling = 1, .vSampling = 1, .exifOrientation = tag};
            QTest::addRow("%d, grey", tag) << tag << JpegShape{.grey = true, .exifOrientation = tag};
        }
    }
    void pagesStandUpright()
    {
        QFETCH(int, tag);
        QFETCH(JpegShape, shape);
        const QSize stored(640, 400);
        const QByteArray jpeg = test::writeJpeg(quadrants(stored), shape);
        const QImage expected = qtUpright(jpeg);
        const QSize upright = tag >= 5 ? stored.transposed() : stored;
        QCOMPARE(expected.size(), upright);

        JpegReader whole(jpeg);
        QVERIFY(whole.readHeader());
        QCOMPARE(whole.size(), upright);
        QCOMPARE(whole.read(), expected);

        const QSize drawn = upright * 3 / 4;
        JpegReader scaling(jpeg);
        QVERIFY(scaling.readHeader());
        QCOMPARE(scaling.read({}, [drawn](QSize) { return drawn; }), expected);
        QCOMPARE(scaling.scaled().size(), drawn);
        QCOMPARE(scaling.scaled().pixelColor(drawn.width() / 4, drawn.height() / 4).name(),
                 expected.pixelColor(upright.width() / 4, upright.height() / 4).name());

        const QSize small = upright / 4;
        JpegReader reduced(jpeg);
        QVERIFY(reduced.readHeader());
        const QImage picture = reduced.read({}, [small](QSize) { return small; });
        QCOMPARE(picture.size(), small);
        for (const QPointF at :
             {QPointF(0.25, 0.25), QPointF(0.75, 0.25), QPointF(0.25, 0.75), QPointF(0.75, 0.75)}) {
            const QColor got = picture.pixelColor(int(at.x() * small.width()), int(at.y() * small.height()));
            const QColor want =
                expected.pixelColor(int(at.x() * upright.width()), int(at.y() * upright.height()));
            QVERIFY2(qAbs(got.red() - want.red()) + qAbs(got.green() - want.green()) +
                             qAbs(got.blue() - want.blue()) <
                         30,
                     qPrintable(got.name() + " for " + want.name()));
        }
    }

    // The decoder every page, preview and thumbnail goes through turns them too, CMYK
    // photos (left to Qt's reader) included.
    void theDecoderTurnsEveryPage_data()
    {
        QTest::addColumn<JpegShape>("shape");
        QTest::newRow("colour") << JpegShape{.exifOrientation = 6};
        QTest::newRow("CMYK") << JpegShape{.cmyk = true, .exifOrientation = 6};
    }
    void theDecoderTurnsEveryPage()
    {
        QFETCH(JpegShape, shape);
        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(test::writeJpeg(quadrants(QSize(320, 200)), shape));
        file.close();
        const DecodedPicture decoded = FilePictureDecoder().decode(path);
        QVERIFY2(decoded.isValid(), qPrintable(decoded.error));
        QCOMPARE(decoded.pictureSize(), QSize(200, 320));
    }
};

QTEST_MAIN(TestExifOrientation)
#include "tst_exif_orientation.moc"
