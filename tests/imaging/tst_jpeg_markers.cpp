#include "imaging/jpeg/jpeg_frame.h"
#include "imaging/jpeg/jpeg_markers.h"
#include "support/jpeg_fixtures.h"

#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int value : values)
        out.append(char(value));
    return out;
}

// The markers a walk yields, in hexadecimal, each with its segment's length where it has one.
QString walked(JpegMarkers& markers)
{
    QStringList found;
    while (const std::optional<JpegMarkers::Segment> segment = markers.next()) {
        QString text = QString::number(segment->marker, 16).toUpper();
        if (segment->length)
            text += QStringLiteral("+%1").arg(segment->length);
        found.append(text);
    }
    return found.join(u' ');
}

} // namespace

class TestJpegMarkers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The walk yields each marker and its segment's length, and ends at the first scan, the end
    // of the image, or what is not a marker; it tells whether it ran out of data, and where.
    void walksTheSegments_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("markers");
        QTest::addColumn<bool>("ranOut");
        QTest::addColumn<int>("position");
        QTest::newRow("segments up to the scan")
            << bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 1, 2, 0xFF, 0xDB, 0, 2, 0xFF, 0xDA, 0, 2, 0xFF, 0xD9})
            << "E0+4 DB+2 DA+2" << false << 16;
        QTest::newRow("fill bytes before a marker")
            << bytes({0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xE0, 0, 2, 0xFF, 0xFF, 0xD9}) << "E0+2 D9" << false
            << 11;
        QTest::newRow("markers that stand alone")
            << bytes({0xFF, 0xD8, 0xFF, 0xD0, 0xFF, 0x01, 0xFF, 0xD7, 0xFF, 0xD9, 0xFF, 0xE0, 0, 2})
            << "D0 1 D7 D9" << false << 10;
        QTest::newRow("a second start of image")
            << bytes({0xFF, 0xD8, 0xFF, 0xD8, 0xFF, 0xC0, 0, 2}) << "D8 C0+2" << true << 8;
        QTest::newRow("a segment running past the end")
            << bytes({0xFF, 0xD8, 0xFF, 0xE1, 0x10, 0x00, 1, 2, 3}) << "E1+4096" << true << 4 + 4096;
        QTest::newRow("cut in a length") << bytes({0xFF, 0xD8, 0xFF, 0xE0, 0}) << "" << true << 2;
        QTest::newRow("cut after a marker's first byte") << bytes({0xFF, 0xD8, 0xFF}) << "" << true << 2;
        QTest::newRow("cut in fill bytes") << bytes({0xFF, 0xD8, 0xFF, 0xFF}) << "" << true << 3;
        QTest::newRow("not a marker") << bytes({0xFF, 0xD8, 0x12, 0x34, 0xFF, 0xD9}) << "" << false << 2;
        QTest::newRow("a length that cannot hold itself")
            << bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 1, 0xFF, 0xD9}) << "" << false << 2;
    }
    void walksTheSegments()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, markers);
        QFETCH(bool, ranOut);
        QFETCH(int, position);
        QVERIFY(JpegMarkers::startsStream(data) || data.size() < 4);
        JpegMarkers walk(data);
        QCOMPARE(walked(walk), markers);
        QCOMPARE(walk.ranOut(), ranOut);
        QCOMPARE(walk.position(), position);
        // Once ended, the walk stays ended.
        QVERIFY(!walk.next());
    }

    // The frame marker is the first frame header's before the first scan, whatever the
    // segments before it hold.
    void findsTheFrameMarker_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("marker"); // -1: none
        const QImage photo = detailedPicture(QSize(32, 24));
        QTest::newRow("baseline") << writeJpeg(photo) << 0xC0;
        QTest::newRow("progressive") << writeJpeg(photo, {.progressive = true}) << 0xC2;
        QTest::newRow("arithmetic") << writeJpeg(photo, {.arithmetic = true}) << 0xC9;
        // The thumbnail's own baseline frame lies inside the EXIF segment.
        QTest::newRow("progressive, behind a baseline thumbnail")
            << writeJpeg(photo,
                         {.progressive = true, .exifOrientation = 1, .exifThumbnail = writeJpeg(photo)})
            << 0xC2;
        QTest::newRow("fill bytes before the frame")
            << bytes({0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xC1, 0, 2}) << 0xC1;
        QTest::newRow("tables are no frame")
            << bytes({0xFF, 0xD8, 0xFF, 0xC4, 0, 2, 0xFF, 0xCC, 0, 2, 0xFF, 0xC8, 0, 2}) << -1;
        QTest::newRow("a second start of image before the frame")
            << bytes({0xFF, 0xD8, 0xFF, 0xD8, 0xFF, 0xC0, 0, 2}) << 0xC0;
        QTest::newRow("the scan before any frame")
            << bytes({0xFF, 0xD8, 0xFF, 0xDA, 0, 2, 0xFF, 0xC0, 0, 2}) << -1;
        QTest::newRow("the end of the image before any frame")
            << bytes({0xFF, 0xD8, 0xFF, 0xD9, 0xFF, 0xC0, 0, 2}) << -1;
        QTest::newRow("a segment running past the end")
            << bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x7F, 0xFF, 0xFF, 0xC0, 0, 2}) << -1;
        QTest::newRow("cut before the frame") << writeJpeg(photo).first(20) << -1;
        QTest::newRow("not a jpeg") << QByteArray("GIF89a\xFF\xC0\x00\x02", 10) << -1;
    }
    void findsTheFrameMarker()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, marker);
        QVERIFY(!data.isEmpty());
        const std::optional<unsigned char> found = jpegFrameMarker(data);
        QCOMPARE(found.has_value(), marker >= 0);
        if (found)
            QCOMPARE(int(*found), marker);
    }
};

QTEST_GUILESS_MAIN(TestJpegMarkers)
#include "tst_jpeg_markers.moc"
