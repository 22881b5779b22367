#include "imaging/file_picture_decoder.h"
#include "support/bitmap_fixtures.h"
#include "support/file_bytes.h"
#include "support/gif_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/metafile_fixtures.h"
#include "support/resident_peak.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLoggingCategory>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// What a file of a hundred bytes or so may cost at its peak: a few megabytes for the readers'
// own bookkeeping. A picture such a file could hold takes about one more.
constexpr qint64 kMostClaimBytes = 32 * 1024 * 1024;

QImage dot(QColor colour)
{
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Six by three pixels, white with a red bar.
QImage smallPicture()
{
    QImage image(6, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(1, 1, 3, 2, QColor(200, 30, 40));
    return image;
}

QByteArray png(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

} // namespace

// A reader allocates what a file's header claims before it reads a pixel, so claims are judged
// first, by the sizes the files themselves declare.
class TestClaimedSizes : public QObject
{
    Q_OBJECT

private:
    QString write(const QString& name, const QByteArray& bytes) { return putIn(m_dir, name, bytes); }

    QTemporaryDir m_dir;
    FilePictureDecoder m_decoder;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
        // The readers, and the fonts a metafile is drawn with, are loaded before anything is
        // measured.
        const QByteArray gif = gifOfBlocks(QSize(2, 2), {{dot(Qt::red), {0, 0}}});
        QVERIFY(m_decoder.decode(write(QStringLiteral("warm.gif"), gif)).isValid());
        const QByteArray emf = emfWithEmbeddedPicture(jpegClaiming(QSize(16, 16)), 4, Qt::red);
        QVERIFY(m_decoder.decode(write(QStringLiteral("warm.emf"), emf)).isValid());
    }

    // A GIF of a hundred bytes can claim a screen of 150 million pixels, a bitmap inside a
    // metafile a picture of 50 million: what the file cannot hold is refused at the cost of its
    // bytes, not of its claim.
    void aClaimCostsNoMoreThanTheFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        // Whether the whole file is refused, or only the part that claims too much.
        QTest::addColumn<bool>("refused");
        const QImage red = dot(Qt::red);
        const QImage blue = dot(Qt::blue);
        // 114 bytes, as the fuzzer's seed of the same shape.
        QTest::newRow("gif whose first of two blocks ends the frame, on a screen of 12344x12339")
            << gifOfBlocks(QSize(12344, 12339), {{smallPicture(), {0, 0}, 10}, {smallPicture(), {6, 0}}})
            << "a.gif" << true;
        QTest::newRow("gif of one block on a screen of 12344x12339")
            << gifOfBlocks(QSize(12344, 12339), {{red, {0, 0}}}) << "b.gif" << true;
        QTest::newRow("gif of two blocks drawn together, on a screen of 12344x12339")
            << gifOfBlocks(QSize(12344, 12339), {{red, {0, 0}}, {blue, {1, 1}}}) << "c.gif" << true;
        // The screen's missing width is as far as the block reaches.
        QTest::newRow("gif whose screen has no width, its block 12000 pixels in")
            << gifOfBlocks(QSize(0, 12000), {{red, {12000, 0}}}) << "d.gif" << true;
        QTest::newRow("emf whose bitmap holds a jpeg claiming 7000x7000")
            << emfWithEmbeddedPicture(jpegClaiming(QSize(7000, 7000)), 4, Qt::red) << "e.emf" << false;
    }
    void aClaimCostsNoMoreThanTheFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(bool, refused);
        const QString path = write(name, bytes);
        const ResidentPeak peak;
        const DecodedPicture result = m_decoder.decode(path);
        const qint64 growth = peak.growth();
        QCOMPARE(result.isValid(), !refused);
        QCOMPARE(result.error.isEmpty(), !refused);
        QVERIFY(growth >= 0);
        QVERIFY2(
            growth < kMostClaimBytes,
            qPrintable(QStringLiteral("%1 bytes took %2 MB").arg(bytes.size()).arg(growth / (1024 * 1024))));
    }

    // Of an icon's images the page is the largest, whatever the directory says of it.
    void iconImagesOfMoreThan255PixelsAreMeasuredByThemselves()
    {
        const QByteArray ico = iconOfPngs(
            {png(QSize(256, 256), Qt::red), png(QSize(300, 280), Qt::blue), png(QSize(16, 16), Qt::red)});
        const DecodedPicture result = m_decoder.decode(write(QStringLiteral("sizes.ico"), ico));
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(300, 280));
        QCOMPARE(result.image.pixelColor(150, 140), QColor(Qt::blue));
    }
};

QTEST_MAIN(TestClaimedSizes)
#include "tst_claimed_sizes.moc"
