#include "sample_book/gif_writer.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage filled(int width, int height, const QList<QRgb>& colours, int (*index)(int x, int y))
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colours.at(index(x, y) % int(colours.size())));
    }
    return image;
}

QList<QRgb> spreadColours(int count)
{
    QList<QRgb> colours;
    for (int i = 0; i < count; ++i)
        colours.append(qRgb((i * 37) % 256, (i * 91 + 13) % 256, (255 - i) % 256));
    return colours;
}

// Reports the first pixel that differs, which says more than a bare mismatch.
QString firstDifference(const QImage& expected, const QImage& actual)
{
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (expected.pixel(x, y) != actual.pixel(x, y)) {
                return QStringLiteral("pixel (%1, %2): expected %3, read %4")
                    .arg(x)
                    .arg(y)
                    .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(actual.pixel(x, y), 8, 16, QLatin1Char('0'));
            }
        }
    }
    return {};
}

} // namespace

class TestGifWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void transparentPixelsStayTransparent();
    void manyColoursStillDecode();
    void missingFolderFails();
    void nullImageFails();

private:
    QTemporaryDir m_dir;
};

void TestGifWriter::roundTrip_data()
{
    QTest::addColumn<QImage>("image");

    QTest::newRow("one pixel") << filled(1, 1, {qRgb(200, 30, 90)}, [](int, int) { return 0; });
    QTest::newRow("two colours") << filled(16, 9, {qRgb(0, 0, 0), qRgb(255, 255, 255)},
                                           [](int x, int y) { return (x + y) % 2; });
    QTest::newRow("odd size") << filled(37, 23, spreadColours(7), [](int x, int y) { return x * 3 + y * 5; });
    QTest::newRow("256 colours") << filled(256, 8, spreadColours(256), [](int x, int) { return x; });
    QTest::newRow("large") << filled(300, 200, spreadColours(251),
                                     [](int x, int y) { return x * x + y * 3; });
    QTest::newRow("long runs") << filled(300, 200, spreadColours(3), [](int x, int) { return x / 100; });

    QImage indexed(41, 17, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(250, 240, 230), qRgb(0, 128, 255)});
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x)
            indexed.setPixel(x, y, uint((x / 4 + y) % 3));
    }
    QTest::newRow("indexed source") << indexed;
}

void TestGifWriter::roundTrip()
{
    QFETCH(QImage, image);
    QVERIFY(m_dir.isValid());
    const QString path =
        m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".gif"));

    QVERIFY(ruvo::writeGif(image, path));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("GIF89a"));
    QCOMPARE(bytes.back(), char(0x3b));
    file.close();

    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("gif"));
    const QImage read = reader.read();
    QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(read.size(), image.size());
    const QString difference = firstDifference(image.convertToFormat(QImage::Format_ARGB32), read);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestGifWriter::transparentPixelsStayTransparent()
{
    QImage image(20, 10, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 10 ? qRgba(90, 0, 0, 20) : qRgb(0, 90, 200));
    }
    const QString path = m_dir.filePath(QStringLiteral("transparent.gif"));
    QVERIFY(ruvo::writeGif(image, path));

    const QImage read = QImageReader(path).read();
    QCOMPARE(read.size(), image.size());
    QVERIFY(read.hasAlphaChannel());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x < 10)
                QCOMPARE(qAlpha(read.pixel(x, y)), 0);
            else
                QCOMPARE(read.pixel(x, y), qRgb(0, 90, 200));
        }
    }
}

void TestGifWriter::manyColoursStillDecode()
{
    QImage image(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 299, y * 255 / 199, (x + y) % 256));
    }
    const QString path = m_dir.filePath(QStringLiteral("many.gif"));
    QVERIFY(ruvo::writeGif(image, path));

    QImageReader reader(path);
    const QImage read = reader.read();
    QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(read.size(), image.size());
}

void TestGifWriter::missingFolderFails()
{
    const QString path = m_dir.filePath(QStringLiteral("no such folder/page.gif"));
    const QImage image = filled(4, 4, {qRgb(1, 2, 3)}, [](int, int) { return 0; });
    QVERIFY(!ruvo::writeGif(image, path));
    QVERIFY(!QFile::exists(path));
}

void TestGifWriter::nullImageFails()
{
    const QString path = m_dir.filePath(QStringLiteral("null.gif"));
    QVERIFY(!ruvo::writeGif(QImage(), path));
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestGifWriter)
#include "tst_gif_writer.moc"
