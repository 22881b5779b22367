#include "imaging/metafile/embedded_picture.h"
#include "support/jpeg_fixtures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTest>
#include <QtEndian>

using namespace ruvo;
using namespace ruvo::test;

namespace {

constexpr quint32 kJpeg = 4;
constexpr quint32 kPng = 5;
// Where a PNG's header chunk keeps its sides, and its checksum after them.
constexpr qsizetype kPngWidthAt = 16;
constexpr qsizetype kPngHeaderTypeAt = 12;
constexpr qsizetype kPngHeaderChecksumAt = 29;

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

QImage plain(QSize size, QImage::Format format)
{
    QImage image(size, format);
    image.fill(Qt::white);
    return image;
}

// The checksum PNG chunks end with.
quint32 crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

// A small PNG whose header claims that size, its checksum made true again.
QByteArray pngClaiming(QSize size)
{
    QByteArray png = encoded(plain(QSize(8, 8), QImage::Format_ARGB32), "png");
    qToBigEndian<quint32>(quint32(size.width()), png.data() + kPngWidthAt);
    qToBigEndian<quint32>(quint32(size.height()), png.data() + kPngWidthAt + 4);
    const quint32 crc =
        crc32(QByteArrayView(png).sliced(kPngHeaderTypeAt, kPngHeaderChecksumAt - kPngHeaderTypeAt));
    qToBigEndian<quint32>(crc, png.data() + kPngHeaderChecksumAt);
    return png;
}

} // namespace

class TestEmbeddedPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judgesThePictureByItsOwnBytes_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<quint32>("compression");
        QTest::addColumn<bool>("fits");
        const QByteArray png = encoded(plain(QSize(20, 10), QImage::Format_ARGB32), "png");
        const QByteArray jpeg = writeJpeg(detailedPicture(QSize(20, 10)));
        QTest::newRow("a png") << png << kPng << true;
        QTest::newRow("a jpeg") << jpeg << kJpeg << true;
        QTest::newRow("a png whose header is true to it") << pngClaiming(QSize(8, 8)) << kPng << true;
        QTest::newRow("a png claiming 15000x15000") << pngClaiming(QSize(15000, 15000)) << kPng << false;
        QTest::newRow("a jpeg claiming 7000x7000") << jpegClaiming(QSize(7000, 7000)) << kJpeg << false;
        // 40000 pixels of one bit pack into a few dozen bytes: only the side is too long.
        QTest::newRow("a png wider than any picture may be")
            << encoded(plain(QSize(40000, 1), QImage::Format_Mono), "png") << kPng << false;
        QTest::newRow("a png where a jpeg is named") << png << kJpeg << false;
        QTest::newRow("a jpeg where a png is named") << jpeg << kPng << false;
        QTest::newRow("bytes of no picture") << QByteArray(64, 'x') << kPng << false;
        QTest::newRow("a png of another compression") << png << quint32(0) << false;
    }
    void judgesThePictureByItsOwnBytes()
    {
        QFETCH(QByteArray, picture);
        QFETCH(quint32, compression);
        QFETCH(bool, fits);
        QVERIFY(!picture.isEmpty());
        QCOMPARE(embeddedPictureFits(picture, compression), fits);
    }
};

QTEST_MAIN(TestEmbeddedPicture)
#include "tst_embedded_picture.moc"
