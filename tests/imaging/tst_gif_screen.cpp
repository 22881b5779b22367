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

// A graphic control extension asking for that delay and disposal.
QByteArray control(int delay, int disposal)
{
    return QByteArray("\x21\xF9\x04", 3) + char(disposal << 2) + word(delay) + char(0) + char(0);
}

// An application extension of that name (eleven bytes) with one sub-block of data.
QByteArray application(const QByteArray& name, const QByteArray& data)
{
    return QByteArray("\x21\xFF\x0B", 3) + name + char(data.size()) + data + char(0);
}

// An image block with some data, and a local colour table of 4 entries when asked.
QByteArray block(QRect place, bool table = false)
{
    QByteArray bytes = ',' + word(place.x()) + word(place.y()) + word(place.width()) + word(place.height()) +
                       char(table ? 0x81 : 0x00);
    if (table)
        bytes += QByteArray(3 * 4, '\x10');
    return bytes + QByteArray("\x02\x03\xAB\xCD\xEF\x01\x42\x00", 8);
}

GifScreen screenWith(QSize size, QRect place)
{
    GifScreen screen;
    screen.size = size;
    screen.firstFrame.append(GifImageBlock{place});
    return screen;
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
            QCOMPARE(screen->firstFrame.front().place, QRect(5, 6, 7, 8));
        }
    }

    // The first frame is every block up to the first that asks for a delay, or the first
    // block alone with a loop extension; a control extension belongs to the block right after
    // it.
    void readsTheBlocksOfTheFirstFrame_data()
    {
        QTest::addColumn<QByteArray>("gif");
        QTest::addColumn<QList<QRect>>("places");
        QTest::addColumn<QList<int>>("disposals");
        const QRect a(0, 0, 10, 10);
        const QRect b(10, 0, 10, 10);
        const QRect c(0, 10, 40, 20);
        const QByteArray head = gifHead(true, {}, a).chopped(10);
        QTest::newRow("three blocks without delays")
            << head + block(a) + block(b) + block(c) + ';' << QList<QRect>{a, b, c} << QList<int>{0, 0, 0};
        QTest::newRow("a delay on the second ends the frame")
            << head + block(a) + control(10, 1) + block(b) + block(c) << QList<QRect>{a, b}
            << QList<int>{0, 1};
        QTest::newRow("a delay on the first")
            << head + control(5, 0) + block(a) + block(b) << QList<QRect>{a} << QList<int>{0};
        QTest::newRow("a control without a delay, then a block without one")
            << head + control(0, 2) + block(a) + block(b) << QList<QRect>{a, b} << QList<int>{2, 0};
        QTest::newRow("local colour tables stepped over")
            << head + block(a, true) + block(b, true) << QList<QRect>{a, b} << QList<int>{0, 0};
        QTest::newRow("a comment between blocks")
            << head + block(a) + QByteArray("\x21\xFE\x02hi\x00", 6) + block(b) << QList<QRect>{a, b}
            << QList<int>{0, 0};
        QTest::newRow("a later block cut short is left out")
            << head + block(a) + block(b) + block(c).chopped(2) << QList<QRect>{a, b} << QList<int>{0, 0};
        QTest::newRow("a first block cut short is taken alone")
            << head + block(a).chopped(2) << QList<QRect>{a} << QList<int>{0};
        QTest::newRow("the trailer ends it")
            << head + block(a) + ';' + block(b) << QList<QRect>{a} << QList<int>{0};
        // The loop extension makes the blocks an animation's frames, wherever it comes first.
        const QByteArray loop = application("NETSCAPE2.0", QByteArray("\x01\x00\x00", 3));
        QTest::newRow("a loop extension: the first block alone")
            << head + loop + block(a) + block(b) + block(c) << QList<QRect>{a} << QList<int>{0};
        QTest::newRow("a loop extension under its older name")
            << head + application("ANIMEXTS1.0", QByteArray("\x01\x00\x00", 3)) + block(a) + block(b)
            << QList<QRect>{a} << QList<int>{0};
        QTest::newRow("a loop extension after the first block")
            << head + block(a) + loop + block(b) << QList<QRect>{a} << QList<int>{0};
        QTest::newRow("an application extension of another name")
            << head + application("XMP DataXMP", "<x/>") + block(a) + block(b) << QList<QRect>{a, b}
            << QList<int>{0, 0};
        QTest::newRow("a loop extension cut inside its name")
            << head + block(a) + block(b) + loop.first(8) << QList<QRect>{a, b} << QList<int>{0, 0};
    }
    void readsTheBlocksOfTheFirstFrame()
    {
        QFETCH(QByteArray, gif);
        QFETCH(QList<QRect>, places);
        QFETCH(QList<int>, disposals);
        const std::optional<GifScreen> screen = gifScreen(gif);
        QVERIFY(screen.has_value());
        QCOMPARE(screen->headBytes, 13 + 12);
        QList<QRect> read;
        QList<int> disposed;
        for (const GifImageBlock& each : screen->firstFrame) {
            read.append(each.place);
            disposed.append(each.disposal);
            QCOMPARE(gif.at(each.descriptorAt), ',');
            QVERIFY(each.end == 0 || gif.at(each.end - 1) == 0);
        }
        QCOMPARE(read, places);
        QCOMPARE(disposed, disposals);
    }

    // The canvas is the logical screen; a side of it that is zero reaches as far as the first
    // block does along it, wherever the blocks after it lie.
    void measuresTheCanvas_data()
    {
        QTest::addColumn<QSize>("screenSize");
        QTest::addColumn<QSize>("canvas");
        QTest::newRow("a whole screen") << QSize(40, 30) << QSize(40, 30);
        QTest::newRow("a screen smaller than the block") << QSize(4, 3) << QSize(4, 3);
        QTest::newRow("a screen without width") << QSize(0, 30) << QSize(12, 30);
        QTest::newRow("a screen without height") << QSize(40, 0) << QSize(40, 14);
        QTest::newRow("no screen") << QSize(0, 0) << QSize(12, 14);
    }
    void measuresTheCanvas()
    {
        QFETCH(QSize, screenSize);
        QFETCH(QSize, canvas);
        GifScreen screen = screenWith(screenSize, QRect(5, 6, 7, 8));
        screen.firstFrame.append(GifImageBlock{QRect(30, 20, 50, 60)});
        QCOMPARE(gifCanvasSize(screen), canvas);
    }

    // Only a frame of the screen's size that its image does not wholly cover changes.
    void clearsOnlyWhatTheImageLeaves()
    {
        QImage frame(40, 30, QImage::Format_RGB32);
        frame.fill(Qt::blue);
        const QImage cleared = withUncoveredScreenClear(frame, screenWith(QSize(40, 30), QRect(5, 6, 7, 8)));
        QCOMPARE(cleared.pixel(5, 6), QColor(Qt::blue).rgb());
        QCOMPARE(cleared.pixel(11, 13), QColor(Qt::blue).rgb());
        QCOMPARE(qAlpha(cleared.pixel(4, 6)), 0);
        QCOMPARE(qAlpha(cleared.pixel(12, 13)), 0);
        QCOMPARE(withUncoveredScreenClear(frame, screenWith(QSize(40, 30), QRect(0, 0, 40, 30))), frame);
        QCOMPARE(withUncoveredScreenClear(frame, screenWith(QSize(40, 30), QRect(-5, -5, 60, 60))), frame);
        QCOMPARE(withUncoveredScreenClear(frame, screenWith(QSize(41, 30), QRect(5, 6, 7, 8))), frame);
    }
};

QTEST_GUILESS_MAIN(TestGifScreen)
#include "tst_gif_screen.moc"
