#include "imaging/scaling/area_scaler.h"
#include "imaging/scaling/scaling_band.h"
#include "imaging/scaling/smooth_scaling.h"
#include "support/scripted_spare.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstring>

using namespace ruvo;
using ruvo::test::ScriptedSpare;
using ruvo::test::Spare;

namespace {

// A picture of noise, so that every weight shows in the result.
QImage noise(QSize size, QImage::Format format, quint32 seed = 7)
{
    QImage picture(size, format);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        uchar* row = picture.scanLine(y);
        for (qsizetype i = 0; i < picture.bytesPerLine(); ++i)
            row[i] = uchar(random.bounded(256));
        if (format == QImage::Format_ARGB32_Premultiplied) {
            auto* pixels = reinterpret_cast<QRgb*>(row);
            for (int x = 0; x < size.width(); ++x) {
                const int alpha = qAlpha(pixels[x]);
                pixels[x] = qRgba(qRed(pixels[x]) * alpha / 255, qGreen(pixels[x]) * alpha / 255,
                                  qBlue(pixels[x]) * alpha / 255, alpha);
            }
        } else if (format == QImage::Format_RGB32) {
            auto* pixels = reinterpret_cast<QRgb*>(row);
            for (int x = 0; x < size.width(); ++x)
                pixels[x] |= 0xff000000u;
        }
    }
    return picture;
}

// How much of the new pixel n (of `to` along a side of `from`) source pixel i covers.
double coverage(int i, int n, int from, int to)
{
    const double start = std::max(double(i) * to, double(n) * from);
    const double end = std::min(double(i + 1) * to, double(n + 1) * from);
    return std::max(0.0, end - start) / from;
}

// The exact average of the area each new pixel covers, channel by channel.
QList<double> exactAverage(const QImage& picture, QSize to, int x, int y)
{
    QList<double> channels(4, 0.0);
    const QImage rgb = picture.format() == QImage::Format_Grayscale8
                           ? picture.convertToFormat(QImage::Format_RGB32)
                           : picture;
    for (int sy = 0; sy < picture.height(); ++sy) {
        const double down = coverage(sy, y, picture.height(), to.height());
        if (down == 0)
            continue;
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(sy));
        for (int sx = 0; sx < picture.width(); ++sx) {
            const double share = down * coverage(sx, x, picture.width(), to.width());
            channels[0] += share * qRed(row[sx]);
            channels[1] += share * qGreen(row[sx]);
            channels[2] += share * qBlue(row[sx]);
            channels[3] += share * qAlpha(row[sx]);
        }
    }
    return channels;
}

// The picture scaled from its rows handed over in two runs that meet at split.
QImage scaledInTwoRuns(const QImage& picture, QSize to, int split)
{
    const AreaScaler scaler(picture.size(), to, picture.format());
    QImage target = scalingTarget(picture, to);
    target.fill(Qt::magenta);
    ScalingBand band(scaler, target.bits(), target.bytesPerLine());
    band.addRows(picture.constBits(), picture.bytesPerLine(), split);
    band.addRows(picture.constScanLine(split), picture.bytesPerLine(), picture.height() - split);
    return target;
}

} // namespace

class TestAreaScaler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void averagesTheAreaCovered_data()
    {
        QTest::addColumn<QSize>("from");
        QTest::addColumn<QSize>("to");
        QTest::addColumn<QImage::Format>("format");
        const struct
        {
            const char* name;
            QSize from;
            QSize to;
        } sizes[] = {
            {"7x5 to 3x2", {7, 5}, {3, 2}},
            {"31x17 to 30x16, barely smaller", {31, 17}, {30, 16}},
            {"40x40 to 40x40, the same size", {40, 40}, {40, 40}},
            {"120x160 to 70x93, a page in a window", {120, 160}, {70, 93}},
            {"97x13 to 1x1, all of it", {97, 13}, {1, 1}},
            {"300x20 to 7x3, many to one", {300, 20}, {7, 3}},
            {"1x50 to 1x9, one column", {1, 50}, {1, 9}},
        };
        const struct
        {
            const char* name;
            QImage::Format format;
        } formats[] = {{"RGB32", QImage::Format_RGB32},
                       {"premultiplied ARGB32", QImage::Format_ARGB32_Premultiplied},
                       {"grey", QImage::Format_Grayscale8}};
        for (const auto& size : sizes) {
            for (const auto& format : formats)
                QTest::addRow("%s, %s", size.name, format.name) << size.from << size.to << format.format;
        }
    }

    void averagesTheAreaCovered()
    {
        QFETCH(QSize, from);
        QFETCH(QSize, to);
        QFETCH(QImage::Format, format);
        const QImage picture = noise(from, format);
        QVERIFY(AreaScaler::handles(picture, to));
        const QImage scaled = smoothScaled(picture, to);
        QCOMPARE(scaled.size(), to);
        QCOMPARE(scaled.format(), AreaScaler::targetFormat(format));
        double worst = 0;
        for (int y = 0; y < to.height(); ++y) {
            for (int x = 0; x < to.width(); ++x) {
                const QList<double> exact = exactAverage(picture, to, x, y);
                const QRgb pixel = reinterpret_cast<const QRgb*>(scaled.constScanLine(y))[x];
                const int got[4] = {qRed(pixel), qGreen(pixel), qBlue(pixel), qAlpha(pixel)};
                for (int c = 0; c < 4; ++c)
                    worst = std::max(worst, std::abs(got[c] - exact[c]));
            }
        }
        // Whole-number weights and one rounding at the end: within one step of the exact
        // average, and opaque pictures stay opaque.
        QVERIFY2(worst < 1.0, qPrintable(QString::number(worst)));
    }

    void runsAddUpToTheWhole_data()
    {
        QTest::addColumn<QSize>("from");
        QTest::addColumn<QSize>("to");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("37x53 to 23x31") << QSize(37, 53) << QSize(23, 31) << QImage::Format_RGB32;
        QTest::newRow("40x41 to 13x7, grey") << QSize(40, 41) << QSize(13, 7) << QImage::Format_Grayscale8;
        QTest::newRow("20x60 to 20x2, long new rows")
            << QSize(20, 60) << QSize(20, 2) << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("16x30 to 16x30, row for row")
            << QSize(16, 30) << QSize(16, 30) << QImage::Format_RGB32;
        QTest::newRow("16x30 to 9x29, shared rows everywhere")
            << QSize(16, 30) << QSize(9, 29) << QImage::Format_RGB32;
    }

    void runsAddUpToTheWhole()
    {
        QFETCH(QSize, from);
        QFETCH(QSize, to);
        QFETCH(QImage::Format, format);
        const QImage picture = noise(from, format, 11);
        const QImage whole = smoothScaled(picture, to);
        for (int split = 1; split < from.height(); ++split)
            QVERIFY2(scaledInTwoRuns(picture, to, split) == whole, qPrintable(QString::number(split)));
    }

    void rowsHandedOverInAnyRuns()
    {
        const QImage picture = noise(QSize(50, 97), QImage::Format_RGB32, 3);
        const QSize to(31, 44);
        const QImage whole = smoothScaled(picture, to);
        const AreaScaler scaler(picture.size(), to, picture.format());
        for (int run : {1, 2, 5, 16, 96}) {
            QImage target = scalingTarget(picture, to);
            ScalingBand band(scaler, target.bits(), target.bytesPerLine());
            while (band.nextRow() < picture.height()) {
                const int count = std::min(run, picture.height() - band.nextRow());
                band.addRows(picture.constScanLine(band.nextRow()), picture.bytesPerLine(), count);
            }
            QVERIFY2(target == whole, qPrintable(QString::number(run)));
        }
    }

    void handles_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QSize>("to");
        QTest::addColumn<bool>("handled");
        QTest::newRow("smaller") << QImage::Format_RGB32 << QSize(10, 10) << true;
        QTest::newRow("the same size") << QImage::Format_Grayscale8 << QSize(20, 30) << true;
        QTest::newRow("wider") << QImage::Format_RGB32 << QSize(21, 10) << false;
        QTest::newRow("taller") << QImage::Format_RGB32 << QSize(10, 31) << false;
        QTest::newRow("empty") << QImage::Format_RGB32 << QSize(0, 10) << false;
        QTest::newRow("invalid") << QImage::Format_RGB32 << QSize() << false;
        QTest::newRow("ARGB32, not premultiplied") << QImage::Format_ARGB32 << QSize(10, 10) << false;
        QTest::newRow("indexed") << QImage::Format_Indexed8 << QSize(10, 10) << false;
    }

    void handles()
    {
        QFETCH(QImage::Format, format);
        QFETCH(QSize, to);
        QFETCH(bool, handled);
        QImage picture(20, 30, format);
        picture.fill(0);
        QCOMPARE(AreaScaler::handles(picture, to), handled);
    }

    void enlargingIsLeftToQt()
    {
        const QImage picture = noise(QSize(30, 20), QImage::Format_RGB32);
        const QSize to(45, 30);
        QCOMPARE(smoothScaled(picture, to),
                 picture.scaled(to, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }

    void opaqueStaysOpaque()
    {
        // An RGB32 pixel's fourth byte may hold anything; the scaled pixel's alpha is full.
        QImage picture(8, 8, QImage::Format_RGB32);
        std::memset(picture.bits(), 0x40, size_t(picture.sizeInBytes()));
        const QImage scaled = smoothScaled(picture, QSize(3, 3));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 3; ++x)
                QCOMPARE(reinterpret_cast<const QRgb*>(scaled.constScanLine(y))[x], 0xff404040u);
        }
    }
};

QTEST_GUILESS_MAIN(TestAreaScaler)
#include "tst_area_scaler.moc"
