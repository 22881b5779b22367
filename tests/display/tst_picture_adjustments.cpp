#include "display/picture_adjustments.h"

#include <QTest>

using namespace ruvo;

namespace {

QImage filled(QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(4, 3, format);
    image.fill(colour);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(ruvo::PictureAdjustments)

class TestPictureAdjustments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What each adjustment makes of a colour, at its ends and in the middle tones.
    void tones_data()
    {
        QTest::addColumn<PictureAdjustments>("adjustments");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<QRgb>("adjusted");
        const auto brightness = [](int b) { return PictureAdjustments{b, 0, 100, false}; };
        const auto contrast = [](int c) { return PictureAdjustments{0, c, 100, false}; };
        const auto gamma = [](int g) { return PictureAdjustments{0, 0, g, false}; };
        QTest::newRow("brighter by a fifth") << brightness(20) << qRgb(100, 0, 204) << qRgb(151, 51, 255);
        QTest::newRow("darker by a fifth") << brightness(-20) << qRgb(100, 255, 40) << qRgb(49, 204, 0);
        QTest::newRow("all the way dark") << brightness(-100) << qRgb(250, 128, 3) << qRgb(0, 0, 0);
        QTest::newRow("all the way bright") << brightness(100) << qRgb(2, 128, 3) << qRgb(255, 255, 255);
        QTest::newRow("flattest contrast") << contrast(-100) << qRgb(0, 255, 0) << qRgb(96, 159, 96);
        QTest::newRow("steepest contrast") << contrast(100) << qRgb(0, 255, 32) << qRgb(0, 255, 0);
        QTest::newRow("gamma lightens the middle") << gamma(200) << qRgb(64, 0, 255) << qRgb(128, 0, 255);
        QTest::newRow("gamma darkens the middle") << gamma(50) << qRgb(128, 0, 255) << qRgb(64, 0, 255);
        QTest::newRow("greyscale by luminance")
            << PictureAdjustments{0, 0, 100, true} << qRgb(255, 0, 0) << qRgb(87, 87, 87);
        QTest::newRow("out of range is held") << brightness(250) << qRgb(0, 0, 0) << qRgb(255, 255, 255);
    }
    void tones()
    {
        QFETCH(PictureAdjustments, adjustments);
        QFETCH(QRgb, colour);
        QFETCH(QRgb, adjusted);
        const QImage result = adjustedPicture(filled(colour), adjustments);
        QCOMPARE(result.size(), QSize(4, 3));
        QCOMPARE(result.pixel(3, 2), adjusted);
    }

    // None at all is the picture itself, not a copy drawn alike.
    void noneLeavesThePictureAsItIs()
    {
        const QImage page = filled(qRgb(10, 20, 30));
        QCOMPARE(adjustedPicture(page, PictureAdjustments{}).cacheKey(), page.cacheKey());
    }

    void transparencyAndRatioAreKept()
    {
        QImage page = filled(qRgba(100, 100, 100, 128), QImage::Format_ARGB32);
        page.setDevicePixelRatio(2);
        const QImage result = adjustedPicture(page, PictureAdjustments{20, 0, 100, false});
        QCOMPARE(qAlpha(result.pixel(0, 0)), 128);
        QCOMPARE(qRed(result.pixel(0, 0)), 151);
        QCOMPARE(result.devicePixelRatio(), 2.0);
        // Pictures of other formats (a greyscale scan, an indexed GIF) are adjusted too.
        const QImage grey = filled(qRgb(64, 64, 64)).convertToFormat(QImage::Format_Grayscale8);
        QCOMPARE(adjustedPicture(grey, PictureAdjustments{0, 0, 200, false}).pixel(0, 0),
                 qRgb(128, 128, 128));
    }
};

QTEST_GUILESS_MAIN(TestPictureAdjustments)
#include "tst_picture_adjustments.moc"
