// Pictures as other programs write them: header variants, sizes that
// disagree, odd colour channels, and the damaged cousins of each.

#include "imaging/file_picture_decoder.h"
#include "sample_book/gif_writer.h"
#include "support/bitmap_fixtures.h"
#include "support/gif_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/metafile_fixtures.h"

#include <QMutex>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <bit>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace ruvo;
using namespace ruvo::test;

struct PixelProbe
{
    QPoint at;
    QColor colour;
};
using PixelProbes = QList<PixelProbe>;
Q_DECLARE_METATYPE(PixelProbe)
Q_DECLARE_METATYPE(ruvo::test::BitmapLayout)

namespace {

const QColor kRed(220, 20, 20);
const QColor kGreen(20, 200, 40);
const QColor kBlue(30, 40, 210);
const QColor kPurple(128, 0, 255);
const QColor kWhite(Qt::white);

quint32 dwordAt(const QByteArray& bytes, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

QByteArray patched(QByteArray bytes, qsizetype at, quint32 value, int width = 4)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = char(value >> (8 * i));
    return bytes;
}

// The placeable header and the metafile header's size field after it.
constexpr qsizetype kPlaceableBytes = 22;
constexpr qsizetype kWmfSizeAt = kPlaceableBytes + 6;
// The EMF header's byte and record counts.
constexpr qsizetype kEmfBytesAt = 48;
constexpr qsizetype kEmfRecordsAt = 52;

// Where the first record of the given type starts; -1 when there is none.
qsizetype emfRecordAt(const QByteArray& emf, quint32 type)
{
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        if (dwordAt(emf, at) == type)
            return at;
        const quint32 size = dwordAt(emf, at + 4);
        if (size < 8)
            break;
        at += size;
    }
    return -1;
}

qsizetype bitmapRecordAt(const QByteArray& emf)
{
    constexpr quint32 kStretchDiBits = 81;
    return emfRecordAt(emf, kStretchDiBits);
}

QByteArray wmfCountingPlaceableHeader(const QByteArray& wmf, quint32 extraWords = kPlaceableBytes / 2)
{
    return patched(wmf, kWmfSizeAt, dwordAt(wmf, kWmfSizeAt) + extraWords);
}

// What a writer that pads its files leaves after the end-of-file record.
QByteArray padding()
{
    QByteArray bytes;
    for (int i = 0; i < 100; ++i)
        bytes.append(char(i * 7 + 3));
    return bytes;
}

// A GIF whose screen and only image are as large as asked, with no pixels
// coded at all: a clear code and the end code.
QByteArray emptyGif(QSize size)
{
    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) { gif.append(char(value & 0xFF)).append(char(value >> 8)); };
    word(size.width());
    word(size.height());
    gif.append(char(0x80)).append(char(0)).append(char(0));
    gif.append(QByteArray("\0\0\0\xFF\xFF\xFF", 6));
    gif.append(',');
    word(0);
    word(0);
    word(size.width());
    word(size.height());
    gif.append(char(0)).append(char(2));
    gif.append(char(1)).append(char(0x2C)).append(char(0));
    gif.append(';');
    return gif;
}

QByteArray iconWithEntrySide(int side, int entrySide)
{
    QByteArray icon = iconWithSizes({side}, {kBlue});
    icon[iconEntryAt(0)] = char(entrySide);
    icon[iconEntryAt(0) + 1] = char(entrySide);
    return icon;
}

// A raw pixel value for (x, y) that wanders over every bit the layout holds.
quint32 rawValue(int x, int y, const BitmapLayout& layout)
{
    quint32 v = quint32(x) * 73856093u ^ quint32(y) * 19349663u ^ quint32(x * y) * 83492791u;
    v ^= v >> 13;
    v *= 0x5BD1E995u;
    v ^= v >> 15;
    if (!layout.palette.isEmpty())
        return v % quint32(layout.palette.size());
    return layout.bitCount < 32 ? v & ((1u << layout.bitCount) - 1) : v;
}

int scaled(quint32 value, quint32 mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    return qRound(double((value & mask) >> shift) * 255.0 / double(mask >> shift));
}

// The picture a bitmap of this layout shows, worked out from the raw values.
QImage reference(const BitmapLayout& layout, QSize size)
{
    std::array<quint32, 4> masks = layout.masks;
    if (layout.compression == 0)
        masks = layout.bitCount == 16 ? std::array<quint32, 4>{0x7C00, 0x3E0, 0x1F, 0}
                                      : std::array<quint32, 4>{0xFF0000, 0xFF00, 0xFF, 0};
    bool alpha = false;
    for (int y = 0; y < size.height() && layout.palette.isEmpty(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            alpha = alpha || (rawValue(x, y, layout) & masks[3]) != 0;
    }
    QImage image(size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const quint32 v = rawValue(x, y, layout);
            if (!layout.palette.isEmpty()) {
                image.setPixel(x, y, layout.palette[v] | 0xFF000000);
                continue;
            }
            image.setPixel(x, y,
                           qRgba(scaled(v, masks[0]), scaled(v, masks[1]), scaled(v, masks[2]),
                                 alpha ? scaled(v, masks[3]) : 255));
        }
    }
    return image;
}

QList<QRgb> palette(int entries)
{
    QList<QRgb> colours;
    for (int i = 0; i < entries; ++i)
        colours.append(qRgb(i * 37 % 256, i * 91 % 256, 255 - i * 13 % 256));
    return colours;
}

BitmapLayout layout(int headerSize, int bitCount, quint32 compression = 0,
                    std::array<quint32, 4> masks = {0, 0, 0, 0})
{
    BitmapLayout result;
    result.headerSize = headerSize;
    result.bitCount = bitCount;
    result.compression = compression;
    result.masks = masks;
    return result;
}

BitmapLayout paletted(int headerSize, int bitCount, int entries)
{
    BitmapLayout result = layout(headerSize, bitCount);
    result.palette = palette(entries);
    return result;
}

BitmapLayout runLength(BitmapLayout layout)
{
    layout.compression = layout.bitCount == 8 ? 1 : 2;
    return layout;
}

BitmapLayout topDown(BitmapLayout layout)
{
    layout.topDown = true;
    return layout;
}

QByteArray bitmap(const BitmapLayout& layout, QSize size)
{
    return bitmapFile(layout, size, [&layout](int x, int y) { return rawValue(x, y, layout); });
}

// A run-length bitmap of the given size and 8 or 4 bits a pixel whose pixels are the
// run-length data given, with the 256- or 16-colour table of the tests, its rows running
// from the bottom up or, asked, from the top down.
QByteArray runLengthBitmap(QSize size, const QByteArray& data, int bits = 8, bool fromTheTop = false)
{
    const BitmapLayout coded = runLength(paletted(40, bits, bits == 8 ? 256 : 16));
    const QByteArray file = bitmap(fromTheTop ? topDown(coded) : coded, size);
    const qint64 pixelsAt = dwordAt(file, 10);
    QByteArray result = file.left(pixelsAt) + data;
    result = patched(result, 2, quint32(result.size()));
    return patched(result, 14 + 20, quint32(data.size()));
}

// Everything Qt reports while the recorder is on, behind the decoder's own
// filter: what the decoder lets through.
QMutex recordedMutex;
QStringList recorded;
bool recording = false;
QtMessageHandler passOn = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    {
        const QMutexLocker lock(&recordedMutex);
        if (recording) {
            recorded.append(message);
            return;
        }
    }
    passOn(type, context, message);
}

// Sends what the process writes to its error output into a file meanwhile.
class ErrorOutputCapture
{
public:
    ErrorOutputCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~ErrorOutputCapture() { restore(); }

    QByteArray written()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

class TestPictureVariants : public QObject
{
    Q_OBJECT

private:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // The GIF of the row, decoded (twice, the same), against its expected first frame of 20 by
    // 10 pixels.
    void compareGifFirstFrame()
    {
        QFETCH(QByteArray, gif);
        QFETCH(QStringList, expected);
        QVERIFY(!gif.isEmpty());
        const QString path = write(QStringLiteral("blocks.gif"), gif);
        const QHash<QChar, QRgb> colours{
            {u'r', kRed.rgb()}, {u'b', kBlue.rgb()}, {u'g', kGreen.rgb()}, {u'p', kPurple.rgb()}};
        const DecodedPicture first = m_decoder.decode(path);
        QVERIFY2(first.isValid(), qPrintable(first.error));
        QCOMPARE(first.image.size(), QSize(20, 10));
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 20; ++x) {
                const QChar wanted = expected.at(y).at(x);
                const QRgb pixel = first.image.pixel(x, y);
                if (wanted == u'.' ? qAlpha(pixel) != 0 : pixel != colours.value(wanted))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3").arg(x).arg(y).arg(pixel, 0, 16)));
            }
        }
        QCOMPARE(m_decoder.decode(path).image, first.image);
    }

    QTemporaryDir m_dir;
    FilePictureDecoder m_decoder;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // In place before the decoder's filter, so that the filter stands in front of it.
        passOn = qInstallMessageHandler(recordMessage);
    }

    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<PixelProbes>("probes");

        // libEMF's reference device has 3.2 pixels to the millimetre; a page
        // pixel is 127/150 of a device pixel. The drawing is drawn from the
        // bounds' corner: blue in its top left quarter, red elsewhere.
        QTest::newRow("emf whose bounds straddle zero, frame from zero")
            << emfWithBounds(QRect(QPoint(-256, -256), QPoint(1394, 1394)),
                             QRect(QPoint(0, 0), QPoint(43500, 43500)), kRed, kBlue)
            << "b.emf" << QSize(1950, 1950)
            << PixelProbes{{{5, 5}, kBlue}, {{400, 400}, kBlue}, {{560, 560}, kRed}, {{1945, 1945}, kRed}};
        // The frame reaches past the drawing on the right and at the bottom:
        // its margin stays.
        QTest::newRow("emf whose bounds straddle zero inside a larger frame")
            << emfWithBounds(QRect(QPoint(-64, -64), QPoint(191, 191)),
                             QRect(QPoint(0, 0), QPoint(12700, 12700)), kRed, kBlue)
            << "m.emf" << QSize(556, 556)
            << PixelProbes{{{30, 30}, kBlue}, {{100, 100}, kRed}, {{250, 250}, kRed}, {{500, 500}, kWhite}};
        QTest::newRow("emf whose bounds lie wholly below zero")
            << emfWithBounds(QRect(QPoint(-400, -300), QPoint(-145, -45)),
                             QRect(QPoint(-12500, -9375), QPoint(-4531, -1406)), kRed, kBlue)
            << "n.emf" << QSize(301, 301) << PixelProbes{{{20, 20}, kBlue}, {{150, 150}, kRed}};

        const QByteArray wmf =
            placeableWmfWithRectangle(QSize(2880, 1440), 1440, QRect(720, 360, 1440, 720), kBlue);
        // The rectangle covers (48, 24) to (144, 72) of the page.
        const PixelProbes wmfProbes{{{96, 48}, kBlue},
                                    {{52, 28}, kBlue},
                                    {{140, 68}, kBlue},
                                    {{20, 20}, kWhite},
                                    {{160, 85}, kWhite}};
        QTest::newRow("placeable wmf") << wmf << "p.wmf" << QSize(192, 96) << wmfProbes;
        QTest::newRow("wmf whose size counts its placeable header")
            << wmfCountingPlaceableHeader(wmf) << "c.wmf" << QSize(192, 96) << wmfProbes;
        // The same picture with its box away from the origin.
        const QRect box(QPoint(1000, 500), QSize(2880, 1440));
        const QRect rectangle = QRect(720, 360, 1440, 720).translated(box.topLeft());
        QTest::newRow("wmf with its box away from the origin")
            << wmfCountingPlaceableHeader(placeableWmfWithRectangleIn(box, 1440, rectangle, kBlue, true))
            << "o.wmf" << QSize(192, 96) << wmfProbes;
        QTest::newRow("wmf that sets no window, box away from the origin")
            << wmfCountingPlaceableHeader(placeableWmfWithRectangleIn(box, 1440, rectangle, kBlue, false))
            << "w.wmf" << QSize(192, 96) << wmfProbes;
        QTest::newRow("wmf that sets no window")
            << wmfCountingPlaceableHeader(placeableWmfWithRectangleIn(
                   QRect(QPoint(0, 0), box.size()), 1440, QRect(720, 360, 1440, 720), kBlue, false))
            << "v.wmf" << QSize(192, 96) << wmfProbes;
        // A record the player cannot read is left out, and the rest drawn; an object that
        // cannot be made is made empty, so that the objects after it keep their places.
        const quint16 greenLow = quint16(kGreen.red() | kGreen.green() << 8);
        const QList<WmfRecord> regions{
            // A region whose header is a word short, as some writers make it, then one of the
            // usual shape at the top right, filled in green.
            {0x06FF, {0, 6, 0, 34, 1, 1, 2400, 100, 2800, 500, 2, 100, 500, 2400, 2800, 2}},
            {0x06FF, {0, 6, 0, 0, 34, 1, 1, 2400, 100, 2800, 500, 2, 100, 500, 2400, 2800, 2}},
            {0x02FC, {0, greenLow, quint16(kGreen.blue()), 0}},
            {0x0228, {1, 2}},
            {0x0228, {0, 2}},
            {0x01F0, {0}},
            {0x01F0, {1}},
            {0x01F0, {2}}};
        QTest::newRow("wmf region of another shape")
            << placeableWmfWithRecordsBefore(regions, QRect(720, 360, 1440, 720), kBlue) << "g.wmf"
            << QSize(192, 96) << wmfProbes + PixelProbes{{{173, 20}, kGreen}};
        QTest::newRow("wmf line whose points run past its record")
            << placeableWmfWithRecordsBefore({{0x0325, {100, 0, 0, 2880, 1440}}}, QRect(720, 360, 1440, 720),
                                             kBlue)
            << "h.wmf" << QSize(192, 96) << wmfProbes;
        QTest::newRow("wmf restoring a state it never saved")
            << placeableWmfWithRecordsBefore({{0x0127, {0xFFFF}}}, QRect(720, 360, 1440, 720), kBlue)
            << "i.wmf" << QSize(192, 96) << wmfProbes;
        QTest::newRow("wmf pen too short to read")
            << placeableWmfWithRecordsBefore({{0x02FA, {0, 5}}, {0x01F0, {0}}}, QRect(720, 360, 1440, 720),
                                             kBlue)
            << "j.wmf" << QSize(192, 96) << wmfProbes;
        // Its own window is stretched over the box, wherever its origin lies.
        QTest::newRow("placeable wmf with a window of its own and no mapping mode")
            << placeableWmfWithOwnWindow(QRect(0, 0, 2880, 1440), 1440, QRect(0, 0, 200, 100),
                                         QRect(50, 25, 100, 50), kBlue)
            << "e.wmf" << QSize(192, 96) << wmfProbes;
        QTest::newRow("placeable wmf with a window of its own away from the origin")
            << placeableWmfWithOwnWindow(QRect(0, 0, 2880, 1440), 1440, QRect(-100, -50, 200, 100),
                                         QRect(-50, -25, 100, 50), kBlue)
            << "f.wmf" << QSize(192, 96) << wmfProbes;

        const QByteArray emf = richEmf();
        // The rich picture's bitmap has its purple quarter here.
        const PixelProbes emfProbes{{{124, 148}, kPurple}};
        QTest::newRow("emf whose record count is one short")
            << patched(emf, kEmfRecordsAt, dwordAt(emf, kEmfRecordsAt) - 1) << "r.emf" << QSize(189, 189)
            << emfProbes;
        QTest::newRow("emf with data after its end-of-file record")
            << emf + padding() << "t.emf" << QSize(189, 189) << emfProbes;
        QTest::newRow("emf whose size counts the data after its end")
            << patched(emf + padding(), kEmfBytesAt, quint32(emf.size() + padding().size())) << "s.emf"
            << QSize(189, 189) << emfProbes;
        // 50.8 by 25.4 millimetres, the rectangle in the middle half.
        const PixelProbes rectangleProbes{{{96, 48}, kRed}, {{150, 80}, kWhite}};
        // A record whose contents run outside it is skipped, and the rest drawn without it:
        // the rectangle without the bitmap in the page's corner.
        const QByteArray indexed = emfWithPaletteBitmap(1, kRed);
        const PixelProbes withoutBitmap{{{96, 48}, kRed}, {{150, 80}, kWhite}, {{7, 2}, kWhite}};
        // The bitmap record's header and table size is at its byte 52, its
        // colour usage at 64.
        QTest::newRow("emf bitmap whose index table runs past its header")
            << patched(indexed, bitmapRecordAt(indexed) + 52, 40 + 255 * 2) << "d.emf" << QSize(192, 96)
            << withoutBitmap;
        QTest::newRow("emf bitmap whose table is shorter than its pixels")
            << emfWithPaletteBitmap(0, kRed, 3, 8) << "s.emf" << QSize(192, 96) << withoutBitmap;
        // A line of 1000 points that holds none, after the bitmap.
        QByteArray polyline(28, '\0');
        polyline = patched(patched(patched(polyline, 0, 87), 4, 28), 24, 1000);
        QTest::newRow("emf line whose points run past its record")
            << emfWithRecordBeforeEnd(indexed, polyline) << "l.emf" << QSize(192, 96)
            << PixelProbes{{{96, 48}, kRed}, {{150, 80}, kWhite}, {{7, 2}, QColor(200, 200, 200)}};
        QTest::newRow("emf bitmap of an unknown colour usage")
            << patched(indexed, bitmapRecordAt(indexed) + 64, 7) << "e.emf" << QSize(192, 96)
            << withoutBitmap;
        QTest::newRow("emf bitmap whose colour table holds palette indices")
            << emfWithPaletteBitmap(1, kRed) << "i.emf" << QSize(192, 96) << rectangleProbes;
        QTest::newRow("emf bitmap without a colour table")
            << emfWithPaletteBitmap(2, kRed) << "n.emf" << QSize(192, 96) << rectangleProbes;
        QTest::newRow("emf bitmap with a colour table")
            << emfWithPaletteBitmap(0, kRed) << "c.emf" << QSize(192, 96) << rectangleProbes;
        QTest::newRow("emf bitmap whose table is no longer than its pixels")
            << emfWithPaletteBitmap(0, kRed, 3, 9) << "p.emf" << QSize(192, 96) << rectangleProbes;
        QTest::newRow("emf with thousands of empty texts at size zero")
            << emfWithZeroSizeText(2000, kGreen) << "z.emf" << QSize(192, 96)
            << PixelProbes{{{90, 45}, kGreen}, {{30, 15}, kWhite}, {{170, 85}, kWhite}};

        // An OS/2 bitmap's table has no length of its own: it runs to where the pixels
        // start, here four colours of the 256 its 8 bits allow.
        BitmapLayout shortTable = layout(12, 8);
        shortTable.palette = {kRed.rgb(), kGreen.rgb(), kBlue.rgb(), kWhite.rgb()};
        QTest::newRow("OS/2 bmp with a short colour table")
            << bitmapFile(shortTable, QSize(13, 7), [](int x, int y) { return quint32((x + y) % 4); })
            << "o.bmp" << QSize(13, 7)
            << PixelProbes{
                   {{0, 0}, kRed}, {{1, 0}, kGreen}, {{2, 0}, kBlue}, {{3, 0}, kWhite}, {{12, 6}, kBlue}};
        const PixelProbes iconProbes{{{16, 16}, kBlue}, {{31, 31}, kBlue}};
        // Of two entries of one size, the one with more colours, wherever it stands.
        QTest::newRow("ico with an 8-bit entry before a 32-bit one of its size")
            << iconWithSizes({16, 32, 32}, {kRed, kGreen, kBlue}, {32, 8, 32}) << "d.ico" << QSize(32, 32)
            << iconProbes;
        QTest::newRow("ico with a 32-bit entry before an 8-bit one of its size")
            << iconWithSizes({32, 32}, {kBlue, kGreen}, {32, 8}) << "e.ico" << QSize(32, 32) << iconProbes;
        QTest::newRow("ico whose entry is smaller than its image")
            << iconWithEntrySide(32, 16) << "s.ico" << QSize(32, 32) << iconProbes;
        QTest::newRow("ico whose entry is larger than its image")
            << iconWithEntrySide(32, 48) << "l.ico" << QSize(32, 32) << iconProbes;
        QTest::newRow("ico whose entry says 256 for a smaller image")
            << iconWithEntrySide(32, 0) << "z.ico" << QSize(32, 32) << iconProbes;
        QTest::newRow("ico whose byte count runs past the file")
            << patched(iconWithEntrySide(32, 32), iconEntryAt(0) + 8, 1 << 20) << "b.ico" << QSize(32, 32)
            << iconProbes;
        QByteArray understated = iconWithSizes({16, 48}, {kRed, kGreen});
        understated[iconEntryAt(1)] = char(8);
        understated[iconEntryAt(1) + 1] = char(8);
        QTest::newRow("ico whose largest image is listed as the smallest")
            << understated << "u.ico" << QSize(48, 48) << PixelProbes{{{24, 24}, kGreen}};

        QTest::newRow("gif as large as its data can be")
            << emptyGif(QSize(300, 300)) << "g.gif" << QSize(300, 300) << PixelProbes{};
    }
    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(PixelProbes, probes);
        const DecodedPicture result = m_decoder.decode(write(name, bytes));
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.image.size(), size);
        for (const PixelProbe& probe : probes) {
            const QColor actual = result.image.pixelColor(probe.at);
            const bool near = qAbs(actual.red() - probe.colour.red()) <= 40 &&
                              qAbs(actual.green() - probe.colour.green()) <= 40 &&
                              qAbs(actual.blue() - probe.colour.blue()) <= 40;
            QVERIFY2(near, qPrintable(QStringLiteral("%1 at (%2, %3) instead of %4")
                                          .arg(actual.name())
                                          .arg(probe.at.x())
                                          .arg(probe.at.y())
                                          .arg(probe.colour.name())));
        }
    }

    void bitmapsMatchTheirReference_data()
    {
        QTest::addColumn<BitmapLayout>("layout");
        QTest::addColumn<QSize>("size");

        // Odd widths, so that every row carries padding.
        const QSize size(13, 7);
        constexpr std::array<quint32, 4> k888 = {0xFF0000, 0xFF00, 0xFF, 0};
        constexpr std::array<quint32, 4> k8888 = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        constexpr std::array<quint32, 4> k565 = {0xF800, 0x07E0, 0x001F, 0};
        QTest::newRow("52-byte header, 32 bits 8/8/8") << layout(52, 32, 3, k888) << size;
        QTest::newRow("52-byte header, 24 bits") << layout(52, 24) << size;
        QTest::newRow("52-byte header, 16 bits 5/5/5") << layout(52, 16) << size;
        QTest::newRow("52-byte header, 8 bits, top down") << topDown(paletted(52, 8, 200)) << size;
        QTest::newRow("56-byte header, 32 bits with alpha") << layout(56, 32, 3, k8888) << size;
        QTest::newRow("56-byte header, 16 bits 5/6/5") << layout(56, 16, 3, k565) << size;
        QTest::newRow("56-byte header, 4 bits") << paletted(56, 4, 16) << size;
        QTest::newRow("52-byte header, 8 bits run-length coded") << runLength(paletted(52, 8, 256)) << size;
        QTest::newRow("56-byte header, 4 bits run-length coded") << runLength(paletted(56, 4, 16)) << size;
        QTest::newRow("52-byte header, 8 bits run-length coded, top down")
            << topDown(runLength(paletted(52, 8, 256))) << size;
        QTest::newRow("40-byte header, 4 bits run-length coded, top down")
            << topDown(runLength(paletted(40, 4, 16))) << size;
        QTest::newRow("16-byte OS/2 header, 1 bit") << paletted(16, 1, 2) << size;
        QTest::newRow("16-byte OS/2 header, 4 bits") << paletted(16, 4, 16) << size;
        QTest::newRow("16-byte OS/2 header, 8 bits") << paletted(16, 8, 256) << size;
        QTest::newRow("16-byte OS/2 header, 24 bits") << layout(16, 24) << size;
        QTest::newRow("32 bits 11/11/10")
            << layout(40, 32, 3, {0xFFE00000, 0x001FFC00, 0x000003FF, 0}) << size;
        QTest::newRow("32 bits 10/10/10/2, 124-byte header")
            << layout(124, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}) << size;
        QTest::newRow("32 bits 6/6/6 high in the word")
            << layout(108, 32, 3, {0xFC000000, 0x03F00000, 0x000FC000, 0}) << size;
        QTest::newRow("16 bits 5/6/5") << layout(40, 16, 3, k565) << size;
        QTest::newRow("16 bits 5/5/5") << layout(40, 16) << size;
        QTest::newRow("16 bits 4/4/4/4 with alpha") << layout(40, 16, 6, {0xF00, 0xF0, 0xF, 0xF000}) << size;
        // What Qt reads itself must come out the same.
        QTest::newRow("40-byte header, 32 bits 8/8/8") << layout(40, 32, 3, k888) << size;
        QTest::newRow("40-byte header, 24 bits") << layout(40, 24) << size;
        QTest::newRow("40-byte header, 8 bits") << paletted(40, 8, 256) << size;
        QTest::newRow("12-byte core header, 8 bits") << paletted(12, 8, 256) << size;
    }
    void bitmapsMatchTheirReference()
    {
        QFETCH(BitmapLayout, layout);
        QFETCH(QSize, size);
        const DecodedPicture result =
            m_decoder.decode(write(QStringLiteral("ref.bmp"), bitmap(layout, size)));
        QVERIFY2(result.isValid(), qPrintable(result.error));
        const QImage expected = reference(layout, size);
        QCOMPARE(result.image.size(), size);
        QCOMPARE(result.image.hasAlphaChannel(), expected.hasAlphaChannel());
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                if (result.image.pixel(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("(%1, %2) is %3, not %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(result.image.pixel(x, y), 8, 16)
                                         .arg(expected.pixel(x, y), 8, 16)));
            }
        }
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");

        const QByteArray wmf =
            placeableWmfWithRectangle(QSize(2880, 1440), 1440, QRect(720, 360, 1440, 720), kBlue);
        QTest::newRow("wmf whose size is off by more than its placeable header")
            << wmfCountingPlaceableHeader(wmf, kPlaceableBytes / 2 + 1) << "a.wmf";
        QTest::newRow("wmf counting its placeable header, cut short")
            << wmfCountingPlaceableHeader(wmf).chopped(6) << "b.wmf";
        const QByteArray standard =
            standardWmfWithRectangle(QSize(400, 300), QRect(100, 100, 200, 100), kRed);
        QTest::newRow("wmf without a placeable header whose size counts one")
            << patched(standard, 6, dwordAt(standard, 6) + kPlaceableBytes / 2) << "c.wmf";

        const QByteArray emf = richEmf();
        QTest::newRow("emf cut before its end-of-file record, count one short")
            << patched(emf, kEmfRecordsAt, dwordAt(emf, kEmfRecordsAt) - 1).chopped(20) << "a.emf";
        QTest::newRow("emf whose size is larger than the file")
            << patched(emf + padding(), kEmfBytesAt, quint32(emf.size() + padding().size() + 4)) << "b.emf";
        QTest::newRow("emf padded where its end-of-file record should be")
            << emf.chopped(20) + padding() << "c.emf";

        QTest::newRow("ico whose image lies past the file")
            << patched(iconWithEntrySide(32, 16), iconEntryAt(0) + 12, 1 << 20) << "a.ico";
        QTest::newRow("ico cut inside its image") << iconWithEntrySide(32, 16).chopped(2000) << "b.ico";

        // 34 bytes declaring 32767 by 7600 pixels, which would take a gigabyte.
        QTest::newRow("tiny gif declaring a huge picture") << emptyGif(QSize(32767, 7600)) << "a.gif";
        QTest::newRow("gif declaring more than its data can hold") << emptyGif(QSize(400, 300)) << "b.gif";
        QTest::newRow("jpeg declaring more than its data can hold")
            << jpegClaiming(QSize(30000, 8000)) << "a.jpg";

        const QByteArray b52 = bitmap(layout(52, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0}), QSize(13, 7));
        QTest::newRow("bmp with a 52-byte header, cut in its pixels") << b52.chopped(30) << "a.bmp";
        QTest::newRow("bmp with a 52-byte header, pixels past the file")
            << patched(b52, 10, quint32(b52.size())) << "b.bmp";
        QTest::newRow("bmp with a 56-byte header, cut inside it")
            << bitmap(layout(56, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0}), QSize(13, 7)).left(14 + 48) << "c.bmp";
        QTest::newRow("bmp with scattered channel masks")
            << bitmap(layout(56, 32, 3, {0xF0F000, 0x0F0F00, 0xFF, 0}), QSize(13, 7)) << "d.bmp";
        QTest::newRow("bmp with an OS/2 header of 7 bits a pixel")
            << patched(bitmap(paletted(16, 8, 256), QSize(13, 7)), 14 + 14, 7, 2) << "e.bmp";
        // 253 bytes of run-length data can set 32,000 pixels at the most, not 48 million.
        QTest::newRow("run-length bmp claiming far more than its data can set")
            << runLengthBitmap(QSize(2554, 18803), QByteArray(253, '\x00')) << "h.bmp";
        QTest::newRow("bmp with a 52-byte header, compressed in a way no bitmap is")
            << patched(bitmap(paletted(52, 8, 256), QSize(13, 7)), 14 + 16, 9) << "g.bmp";
    }
    void refuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        const DecodedPicture result = m_decoder.decode(write(name, bytes));
        QVERIFY2(!result.error.isEmpty(), "a damaged file decoded without an error");
        QVERIFY(result.image.isNull());
    }

    // Pixels that no data of a run-length bitmap sets (its data ends early, or skips them)
    // are transparent, the same at every opening, never what memory held.
    void runLengthPixelsLeftUnsetAreDefined()
    {
        const QSize size(64, 64);
        // Four pixels of colour 5 at the bottom left, a skip of 10 right and 3 up, two
        // pixels of colour 7 there, and the end of the bitmap.
        const QByteArray data("\x04\x05\x00\x02\x0A\x03\x02\x07\x00\x01", 10);
        const QString path = write(QStringLiteral("unset.bmp"), runLengthBitmap(size, data));
        const QList<QRgb> table = palette(256);
        for (int opening = 0; opening < 3; ++opening) {
            // Memory the picture may be given, full of something else first.
            QByteArray dirt(size.width() * size.height() * 4, char(0x5A));
            dirt.clear();
            const DecodedPicture result = m_decoder.decode(path);
            QVERIFY2(result.isValid(), qPrintable(result.error));
            const QImage image = result.image;
            QCOMPARE(image.size(), size);
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    QRgb expected = qRgba(0, 0, 0, 0);
                    if (y == 63 && x < 4)
                        expected = table.at(5);
                    else if (y == 60 && (x == 14 || x == 15))
                        expected = table.at(7);
                    if (image.pixel(x, y) != expected &&
                        !(qAlpha(expected) == 0 && qAlpha(image.pixel(x, y)) == 0))
                        QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) at opening %3: %4 for %5")
                                             .arg(x)
                                             .arg(y)
                                             .arg(opening)
                                             .arg(image.pixel(x, y), 0, 16)
                                             .arg(expected, 0, 16)));
                }
            }
        }
    }

    // Every way a picture is decoded gives the same pixels each time, whatever the memory it
    // is given held before.
    void decodingTwiceGivesTheSamePixels_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        const QSize size(37, 23);
        QImage photo(size, QImage::Format_RGB32);
        photo.fill(kBlue);
        QPainter(&photo).fillRect(5, 4, 20, 9, kRed);
        QTest::newRow("bitmap read by Qt") << bitmap(layout(40, 24), size) << "q.bmp";
        BitmapLayout shortTable = layout(12, 8);
        shortTable.palette = {kRed.rgb(), kGreen.rgb(), kBlue.rgb(), kWhite.rgb()};
        QTest::newRow("bitmap read by our own reader")
            << bitmapFile(shortTable, size, [](int x, int y) { return quint32((x + y) % 4); }) << "o.bmp";
        QTest::newRow("8-bit run-length bitmap") << bitmap(runLength(paletted(40, 8, 256)), size) << "r8.bmp";
        QTest::newRow("4-bit run-length bitmap") << bitmap(runLength(paletted(40, 4, 16)), size) << "r4.bmp";
        QTest::newRow("run-length bitmap ending early")
            << runLengthBitmap(size, QByteArray("\x04\x05\x00\x02\x0A\x03\x02\x07\x00\x01", 10)) << "e.bmp";
        QTest::newRow("JPEG read by our own reader") << writeJpeg(photo, {.exifOrientation = 6}) << "o.jpg";
        QTest::newRow("CMYK JPEG read by Qt") << writeJpeg(photo, {.cmyk = true}) << "c.jpg";
        QTest::newRow("GIF of one image") << gifOfBlocks(size, {{photo, {0, 0}}}) << "o.gif";
        QTest::newRow("GIF of several images")
            << gifOfBlocks(size,
                           {{photo.copy(0, 0, 20, 10), {3, 2}}, {photo, {10, 8}, 0, 2}, {photo, {1, 1}, 5}})
            << "s.gif";
        QTest::newRow("icon") << iconWithSizes({16, 32, 32}, {kRed, kGreen, kBlue}, {32, 8, 32}) << "i.ico";
        QTest::newRow("WMF") << richWmf() << "r.wmf";
        QTest::newRow("EMF") << richEmf() << "r.emf";
    }

    void decodingTwiceGivesTheSamePixels()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QVERIFY(!bytes.isEmpty());
        const QString path = write(name, bytes);
        const DecodedPicture first = FilePictureDecoder().decode(path);
        QVERIFY2(first.isValid(), qPrintable(first.error));
        // Memory that the next picture may well be given, full of something else.
        for (int i = 0; i < 8; ++i) {
            std::vector<char> dirt(first.image.sizeInBytes() + 64 * i, char(0x5A + i));
            QVERIFY(dirt.back() != 0);
        }
        const DecodedPicture second = FilePictureDecoder().decode(path);
        QVERIFY2(second.isValid(), qPrintable(second.error));
        QCOMPARE(second.image, first.image);
    }

    // A run longer than what is left of its row goes on into the rows above it; the end of
    // a line still counts from the line the run started on.
    void runLengthRunsGoOnPastTheirRow_data()
    {
        QTest::addColumn<QByteArray>("data");
        // The colour-table index of each pixel, top row first; -1 for one left clear.
        QTest::addColumn<QList<int>>("expected");
        // Twelve pixels of colour 5 in a 4 by 3 bitmap, and the end of the bitmap.
        QTest::newRow("one run for the whole picture")
            << QByteArray("\x0C\x05\x00\x01", 4) << QList<int>{5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
        // Six pixels of colour 5, the end of the line, two of colour 7: the second line
        // starts over the two that ran on into it.
        QTest::newRow("the end of a line after a run past its row")
            << QByteArray("\x06\x05\x00\x00\x02\x07\x00\x01", 8)
            << QList<int>{-1, -1, -1, -1, 7, 7, -1, -1, 5, 5, 5, 5};
        // Three pixels of colour 1, then four pixels as they are, three of them past the
        // first row, then the end.
        QTest::newRow("pixels as they are past their row")
            << QByteArray("\x03\x01\x00\x04\x02\x03\x04\x06\x00\x01", 10)
            << QList<int>{-1, -1, -1, -1, 3, 4, 6, -1, 1, 1, 1, 2};
    }

    void runLengthRunsGoOnPastTheirRow()
    {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, expected);
        const QSize size(4, 3);
        const QString path = write(QStringLiteral("overflow.bmp"), runLengthBitmap(size, data));
        const QList<QRgb> table = palette(256);
        const DecodedPicture result = m_decoder.decode(path);
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.image.size(), size);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const int index = expected.at(y * size.width() + x);
                const QRgb pixel = result.image.pixel(x, y);
                if (index < 0 ? qAlpha(pixel) != 0 : pixel != table.at(index))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3").arg(x).arg(y).arg(pixel, 0, 16)));
            }
        }
    }

    // A run-length bitmap of negative height runs from the top down: its data's first row is
    // the top one, and each escape moves on through the rows as it does from the bottom up.
    void runLengthRowsRunEitherWay_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("fromTheTop");
        // The colour-table index of each pixel of a 4 by 3 bitmap in the order of the data's
        // rows, the first row the data codes first; -1 for one left clear.
        QTest::addColumn<QList<int>>("expected");
        struct Coding
        {
            const char* name;
            QByteArray data;
            int bits;
            QList<int> expected;
        };
        const QList<Coding> codings{
            // Four of colour 1, the end of the line, two of 2 and two of 3, the end of the
            // line, one of 4, the end of the bitmap.
            {"8 bits, runs and ends of lines",
             QByteArray("\x04\x01\x00\x00\x02\x02\x02\x03\x00\x00\x01\x04\x00\x01", 14),
             8,
             {1, 1, 1, 1, 2, 2, 3, 3, 4, -1, -1, -1}},
            // One of colour 5, a skip of 2 along and 1 row on, one of 6.
            {"8 bits, a skip",
             QByteArray("\x01\x05\x00\x02\x02\x01\x01\x06\x00\x01", 10),
             8,
             {5, -1, -1, -1, -1, -1, -1, 6, -1, -1, -1, -1}},
            // Three pixels as they are (padded to a word), the end of the line, four of 2.
            {"8 bits, pixels as they are",
             QByteArray("\x00\x03\x07\x08\x09\x00\x00\x00\x04\x02\x00\x01", 12),
             8,
             {7, 8, 9, -1, 2, 2, 2, 2, -1, -1, -1, -1}},
            // Six of colour 5, on into the next row, whose end of line counts from the first.
            {"8 bits, a run past its row",
             QByteArray("\x06\x05\x00\x00\x02\x07\x00\x01", 8),
             8,
             {5, 5, 5, 5, 7, 7, -1, -1, -1, -1, -1, -1}},
            // Colours 1 and 2 by turns, the end of the line, 3 4 3, a skip of one row, two
            // pixels of which the second falls past the last row.
            {"4 bits, runs, an end of line and a skip",
             QByteArray("\x04\x12\x00\x00\x03\x34\x00\x02\x00\x01\x02\x56\x00\x01", 14),
             4,
             {1, 2, 1, 2, 3, 4, 3, -1, -1, -1, -1, 5}},
            // Five pixels as they are, two to a byte, running on into the next row.
            {"4 bits, pixels as they are",
             QByteArray("\x00\x05\xAB\xCD\xE0\x00\x00\x01", 8),
             4,
             {10, 11, 12, 13, 14, -1, -1, -1, -1, -1, -1, -1}},
        };
        for (const Coding& coding : codings) {
            QTest::addRow("%s, bottom up", coding.name)
                << coding.data << coding.bits << false << coding.expected;
            QTest::addRow("%s, top down", coding.name)
                << coding.data << coding.bits << true << coding.expected;
        }
    }

    void runLengthRowsRunEitherWay()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, bits);
        QFETCH(bool, fromTheTop);
        QFETCH(QList<int>, expected);
        const QSize size(4, 3);
        const QString path = write(QStringLiteral("rows.bmp"), runLengthBitmap(size, data, bits, fromTheTop));
        const QList<QRgb> table = palette(bits == 8 ? 256 : 16);
        const DecodedPicture result = m_decoder.decode(path);
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.image.size(), size);
        for (int dataRow = 0; dataRow < size.height(); ++dataRow) {
            const int y = fromTheTop ? dataRow : size.height() - 1 - dataRow;
            for (int x = 0; x < size.width(); ++x) {
                const int index = expected.at(dataRow * size.width() + x);
                const QRgb pixel = result.image.pixel(x, y);
                if (index < 0 ? qAlpha(pixel) != 0 : pixel != table.at(index))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3").arg(x).arg(y).arg(pixel, 0, 16)));
            }
        }
    }

    // A GIF whose first image covers only part of its logical screen is transparent where
    // it does not, as GIF renderers draw it, not the background colour.
    void gifScreenBeyondItsImageIsClear()
    {
        QImage small(3, 2, QImage::Format_RGB32);
        small.fill(kRed);
        const QString written = m_dir.filePath(QStringLiteral("small.gif"));
        QVERIFY(writeGif(small, written));
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray gif = file.readAll();
        // The logical screen 20 by 10, the image at (8, 4); its descriptor follows the
        // header and the global colour table.
        const int tableBytes = 3 * (2 << (quint8(gif[10]) & 7));
        const qsizetype descriptor = 13 + tableBytes;
        QCOMPARE(gif[descriptor], ',');
        gif = patched(patched(gif, 6, 20, 2), 8, 10, 2);
        gif = patched(patched(gif, descriptor + 1, 8, 2), descriptor + 3, 4, 2);
        const DecodedPicture result = m_decoder.decode(write(QStringLiteral("screen.gif"), gif));
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(20, 10));
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 20; ++x) {
                const QRgb pixel = result.image.pixel(x, y);
                const bool inside = x >= 8 && x < 11 && y >= 4 && y < 6;
                if (inside ? pixel != kRed.rgb() : qAlpha(pixel) != 0)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3").arg(x).arg(y).arg(pixel, 0, 16)));
            }
        }
    }

    // A GIF's first frame is every image block up to the first that asks for a delay, drawn
    // in order on a transparent screen, each disposed of as it asks.
    void gifFirstFrameOfSeveralBlocks_data()
    {
        QTest::addColumn<QByteArray>("gif");
        // A row of the frame a string, a character a pixel: r, b, g for red, blue and
        // green, . for transparent.
        QTest::addColumn<QStringList>("expected");
        QImage red(10, 10, QImage::Format_RGB32);
        red.fill(kRed);
        // Its left half transparent, its right half blue.
        QImage halfBlue(10, 10, QImage::Format_ARGB32);
        halfBlue.fill(kBlue);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 5; ++x)
                halfBlue.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
        QImage green(5, 4, QImage::Format_RGB32);
        green.fill(kGreen);
        QImage purple(20, 10, QImage::Format_RGB32);
        purple.fill(kPurple);
        const QString left = QStringLiteral("rrrrrrrrrrbbbbb.....");
        const QString leftAndGreen = QStringLiteral("rrrrrrrrrrbbbbbggggg");
        QTest::newRow("up to the first delay")
            << gifOfBlocks(QSize(20, 10),
                           {{red, {0, 0}}, {halfBlue, {5, 0}}, {green, {15, 6}, 10}, {purple, {0, 0}}})
            << QStringList{left, left,         left,         left,         left,
                           left, leftAndGreen, leftAndGreen, leftAndGreen, leftAndGreen};
        QTest::newRow("without any delay, every block")
            << gifOfBlocks(QSize(20, 10), {{red, {0, 0}}, {halfBlue, {5, 0}}, {green, {15, 6}}})
            << QStringList{left, left,         left,         left,         left,
                           left, leftAndGreen, leftAndGreen, leftAndGreen, leftAndGreen};
        const QString cleared = QStringLiteral("..........bbbbb.....");
        QTest::newRow("a block restoring the background before the next")
            << gifOfBlocks(QSize(20, 10), {{red, {0, 0}, 0, 2}, {halfBlue, {5, 0}}})
            << QStringList(10, cleared);
        QTest::newRow("a block restoring what was there before it")
            << gifOfBlocks(QSize(20, 10),
                           {{red, {0, 0}, 0, 1}, {halfBlue, {5, 0}, 0, 3}, {green, {15, 0}, 5}})
            << QStringList(4, QStringLiteral("rrrrrrrrrr.....ggggg")) +
                   QStringList(6, QStringLiteral("rrrrrrrrrr.........."));
    }

    // An animation shows its first block as its first frame, however little its blocks say;
    // a still picture drawn as tiles, each of its own colours, shows whole.
    void gifAnimationOrTiledStill_data()
    {
        QTest::addColumn<QByteArray>("gif");
        // A row of the frame a string, a character a pixel: r, b, g, p for red, blue, green
        // and purple, . for transparent.
        QTest::addColumn<QStringList>("expected");
        const QSize screen(20, 10);
        const auto filled = [](QSize size, const QColor& colour) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(colour);
            return image;
        };
        const QImage redScreen = filled(screen, kRed);
        const QImage blueScreen = filled(screen, kBlue);
        const QImage greenScreen = filled(screen, kGreen);
        const QStringList allRed(10, QStringLiteral("rrrrrrrrrrrrrrrrrrrr"));
        const auto frames = [&](int delay, int disposal, bool control) {
            return QList<GifBlock>{{redScreen, {0, 0}, delay, disposal, control},
                                   {blueScreen, {0, 0}, delay, disposal, control},
                                   {greenScreen, {0, 0}, delay, disposal, control}};
        };
        QTest::newRow("GIF87a animation")
            << gifOfBlocks(screen, frames(0, 0, false), GifStart::Gif87a) << allRed;
        QTest::newRow("animation without control extensions")
            << gifOfBlocks(screen, frames(0, 0, false)) << allRed;
        QTest::newRow("animation with delays of zero") << gifOfBlocks(screen, frames(0, 1, true)) << allRed;
        QTest::newRow("animation with delays of zero, each frame cleared after it")
            << gifOfBlocks(screen, frames(0, 2, true)) << allRed;
        QTest::newRow("animation with delays") << gifOfBlocks(screen, frames(10, 1, true)) << allRed;
        QTest::newRow("looping animation with delays of zero")
            << gifOfBlocks(screen, frames(0, 1, true), GifStart::Looping) << allRed;
        // Frames that would fit together as tiles are still frames with the loop extension.
        const QImage redHalf = filled(QSize(10, 10), kRed);
        const QImage blueHalf = filled(QSize(10, 10), kBlue);
        QTest::newRow("looping animation with delays of zero, frames side by side")
            << gifOfBlocks(screen, {{redHalf, {0, 0}}, {blueHalf, {10, 0}}}, GifStart::Looping)
            << QStringList(10, QStringLiteral("rrrrrrrrrr.........."));

        // Four tiles of 10 by 5, one colour each.
        const auto tiles = [&](int delay, bool control) {
            const QSize tile(10, 5);
            return QList<GifBlock>{{filled(tile, kRed), {0, 0}, delay, 0, control},
                                   {filled(tile, kBlue), {10, 0}, delay, 0, control},
                                   {filled(tile, kGreen), {0, 5}, delay, 0, control},
                                   {filled(tile, kPurple), {10, 5}, delay, 0, control}};
        };
        const QStringList tiled = QStringList(5, QStringLiteral("rrrrrrrrrrbbbbbbbbbb")) +
                                  QStringList(5, QStringLiteral("ggggggggggpppppppppp"));
        QTest::newRow("tiled still with delays of zero") << gifOfBlocks(screen, tiles(0, true)) << tiled;
        QTest::newRow("tiled still without control extensions")
            << gifOfBlocks(screen, tiles(0, false)) << tiled;
        QTest::newRow("tiled still in GIF87a")
            << gifOfBlocks(screen, tiles(0, false), GifStart::Gif87a) << tiled;
        QTest::newRow("tiled still with a delay after its last tile")
            << gifOfBlocks(screen, tiles(0, true) + QList<GifBlock>{{redScreen, {0, 0}, 100}}) << tiled;
        // Tiles the size of the screen, each clear but where its own colours are.
        QImage top(screen, QImage::Format_ARGB32);
        top.fill(Qt::transparent);
        QPainter(&top).fillRect(0, 0, 20, 4, kRed);
        QImage bottom(screen, QImage::Format_ARGB32);
        bottom.fill(Qt::transparent);
        QPainter(&bottom).fillRect(0, 4, 20, 6, kBlue);
        QTest::newRow("tiled still of whole-screen blocks, each clear outside its tile")
            << gifOfBlocks(screen, {{top, {0, 0}}, {bottom, {0, 0}}})
            << QStringList(4, QStringLiteral("rrrrrrrrrrrrrrrrrrrr")) +
                   QStringList(6, QStringLiteral("bbbbbbbbbbbbbbbbbbbb"));
    }

    void gifAnimationOrTiledStill() { compareGifFirstFrame(); }

    void gifFirstFrameOfSeveralBlocks() { compareGifFirstFrame(); }

    void noisyMetafileDrawsInSilence()
    {
        // Without the filter, each text of size zero makes Qt's font code
        // complain once or more.
        const QString path = write(QStringLiteral("noisy.emf"), emfWithZeroSizeText(2000, kGreen));
        {
            const QMutexLocker lock(&recordedMutex);
            recorded.clear();
            recording = true;
        }
        ErrorOutputCapture capture;
        const DecodedPicture result = m_decoder.decode(path);
        // The recorder does hear what is said outside the decoder.
        qWarning("heard");
        const QByteArray written = capture.written();
        QStringList heard;
        {
            const QMutexLocker lock(&recordedMutex);
            recording = false;
            heard = recorded;
        }
        QVERIFY2(result.isValid(), qPrintable(result.error));
        QCOMPARE(heard, QStringList{QStringLiteral("heard")});
        QCOMPARE(written, QByteArray());
    }
};

QTEST_MAIN(TestPictureVariants)
#include "tst_picture_variants.moc"
