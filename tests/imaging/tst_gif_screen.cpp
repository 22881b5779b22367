#include "imaging/gif/gif_screen.h"

#include <QTest>

using namespace ruvo;

namespace {

QByteArray word(int value)
{
    return QByteArray(1, char(value & 0xFF)) + char(value >> 8);
}

// A GIF's first bytes: its header and logical screen of 40 by 30, a colour table of 4 entries
// when asked, what comes before the first image, and that image's descriptor.
QByteArray gifHead(bool table, const QByteArray& before, QRect image)
{
    QByteArray gif = "GIF89a" + word(40) + word(30) + char(table ? 0x81 : 0x00) + char(0) + char(0);
    if (table)
        gif += QByteArray(3 * 4, '\x7F');
    gif += before;
    gif += ',' + word(image.x()) + word(image.y()) + word(image.width()) + word(image.height()) + char(0);
    return gif;
}

} // namespace

class TestGifScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsTheFirstImage_data()
    {
        QTest::addColumn<QByteArray>("gif");
        QTest::addColumn<bool>("found");
        const QRect image(5, 6, 7, 8);
        const QByteArray control("\x21\xF9\x04\x01\x00\x00\x00\x00", 8);
        const QByteArray comment =
            QByteArray("\x21\xFE\x03", 3) + "abc" + QByteArray("\x02", 1) + "de" + char(0);
        QTest::newRow("right after the colour table") << gifHead(true, {}, image) << true;
        QTest::newRow("without a colour table") << gifHead(false, {}, image) << true;
        QTest::newRow("after a control and a comment") << gifHead(true, control + comment, image) << true;
        QTest::newRow("cut inside the descriptor") << gifHead(true, control, image).chopped(3) << false;
        QTest::newRow("cut inside an extension")
            << gifHead(true, {}, {}).left(13 + 12) + comment.left(5) << false;
        QTest::newRow("a block of no known kind") << gifHead(true, "\x55", image) << false;
        QTest::newRow("shorter than a header") << QByteArray("GIF89a\x28", 7) << false;
    }
    void findsTheFirstImage()
    {
        QFETCH(QByteArray, gif);
        QFETCH(bool, found);
        const std::optional<GifScreen> screen = gifScreen(gif);
        QCOMPARE(screen.has_value(), found);
        if (screen) {
            QCOMPARE(screen->size, QSize(40, 30));
            QCOMPARE(screen->firstImage, QRect(5, 6, 7, 8));
        }
    }

    // Only a frame of the screen's size that its image does not wholly cover changes.
    void clearsOnlyWhatTheImageLeaves()
    {
        QImage frame(40, 30, QImage::Format_RGB32);
        frame.fill(Qt::blue);
        const QImage cleared = withUncoveredScreenClear(frame, {QSize(40, 30), QRect(5, 6, 7, 8)});
        QCOMPARE(cleared.pixel(5, 6), QColor(Qt::blue).rgb());
        QCOMPARE(cleared.pixel(11, 13), QColor(Qt::blue).rgb());
        QCOMPARE(qAlpha(cleared.pixel(4, 6)), 0);
        QCOMPARE(qAlpha(cleared.pixel(12, 13)), 0);
        QCOMPARE(withUncoveredScreenClear(frame, {QSize(40, 30), QRect(0, 0, 40, 30)}), frame);
        QCOMPARE(withUncoveredScreenClear(frame, {QSize(40, 30), QRect(-5, -5, 60, 60)}), frame);
        QCOMPARE(withUncoveredScreenClear(frame, {QSize(41, 30), QRect(5, 6, 7, 8)}), frame);
    }
};

QTEST_GUILESS_MAIN(TestGifScreen)
#include "tst_gif_screen.moc"
