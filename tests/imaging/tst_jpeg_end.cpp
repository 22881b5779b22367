#include "imaging/jpeg/jpeg_end.h"
#include "support/jpeg_fixtures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTest>

using namespace ruvo;

namespace {

QByteArray jpegOf(bool progressive)
{
    QImage page(120, 90, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.fillRect(10, 10, 60, 40, Qt::red);
    painter.drawEllipse(40, 30, 70, 50);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(page);
    return bytes;
}

} // namespace

class TestJpegEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsTheEndMarker_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("end"); // -1: no end
        for (bool progressive : {false, true}) {
            const QByteArray jpeg = jpegOf(progressive);
            const QString kind = progressive ? QStringLiteral("progressive") : QStringLiteral("baseline");
            const int whole = int(jpeg.size());
            QTest::newRow(qPrintable(kind)) << jpeg << whole;
            // Trailing data may hold anything, an end marker included.
            QTest::newRow(qPrintable(kind + " with trailing data"))
                << jpeg + QByteArray(10000, 'x') + QByteArray("\xFF\xD9", 2) << whole;
            QTest::newRow(qPrintable(kind + " cut in its scan")) << jpeg.left(whole * 3 / 5) << -1;
            QTest::newRow(qPrintable(kind + " cut in its scan, padded"))
                << jpeg.left(whole * 3 / 5) + QByteArray(10000, '\0') << -1;
            QTest::newRow(qPrintable(kind + " cut before its end marker")) << jpeg.left(whole - 1) << -1;
            QTest::newRow(qPrintable(kind + " cut in its headers")) << jpeg.left(30) << -1;
        }
        QTest::newRow("fill bytes before the end marker") << QByteArray("\xFF\xD8\xFF\xFF\xFF\xD9", 6) << 6;
        const QByteArray baseline = jpegOf(false);
        QTest::newRow("fill bytes between segments")
            << QByteArray(baseline).insert(2, "\xFF\xFF") << int(baseline.size()) + 2;
        const QByteArray restarts = test::writeJpeg(test::detailedPicture(QSize(64, 48)), {.restartRows = 1});
        QTest::newRow("restart markers in the scan") << restarts << int(restarts.size());
        QTest::newRow("restart markers in the scan, cut in it")
            << restarts.first(restarts.size() * 2 / 3) << -1;
        QTest::newRow("a second start of image") << QByteArray("\xFF\xD8\xFF\xD8\xFF\xD9", 6) << 6;
        QTest::newRow("segment running past the end by one")
            << QByteArray("\xFF\xD8\xFF\xE0\x00\x05\0\0", 8) << -1;
        QTest::newRow("scan segment running past the end")
            << QByteArray("\xFF\xD8\xFF\xDA\x00\x08\0\0\xFF\xD9", 10) << -1;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("not a jpeg") << QByteArray("GIF89a\xFF\xD9", 8) << -1;
        QTest::newRow("segment longer than the file") << QByteArray("\xFF\xD8\xFF\xE0\x7F\xFF\0\0", 8) << -1;
        QTest::newRow("segment length below two") << QByteArray("\xFF\xD8\xFF\xE0\x00\x01\xFF\xD9", 8) << -1;
        QTest::newRow("garbage between segments") << QByteArray("\xFF\xD8\x12\x34\xFF\xD9", 6) << -1;
    }
    void findsTheEndMarker()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, end);
        const std::optional<qsizetype> found = jpegEnd(bytes);
        QCOMPARE(found.has_value(), end >= 0);
        if (found)
            QCOMPARE(int(*found), end);
    }
};

QTEST_GUILESS_MAIN(TestJpegEnd)
#include "tst_jpeg_end.moc"
