#include "display/spread_layout.h"

#include <QRectF>
#include <QTest>

using namespace ruvo;

Q_DECLARE_METATYPE(ruvo::ReadingDirection)

namespace {

const QSizeF area(9000, 6000);

QRectF rectOf(const StretchedImage& image)
{
    return image.visible ? QRectF(image.left, image.top, image.width, image.height) : QRectF();
}

} // namespace

// Every mode's pages in a 9000 x 6000 twip viewing area (600 x 400 pixels).
class TestSpreadLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // At actual size the first page stands right of the second in the frame, and the frame
    // is centred where it fits, right- and top-aligned where it does not.
    void atActualSize_data()
    {
        QTest::addColumn<ReadingDirection>("direction");
        QTest::addColumn<QSizeF>("first");
        QTest::addColumn<QSizeF>("second");
        QTest::addColumn<QPointF>("firstAt");
        QTest::addColumn<QPointF>("secondAt");
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<int>("scrollRange");

        const auto rtl = ReadingDirection::RightToLeft;
        const auto ltr = ReadingDirection::LeftToRight;
        QTest::newRow("a spread that fits")
            << rtl << QSizeF(3000, 4500) << QSizeF(3000, 4500) << QPointF(3000, 0) << QPointF(0, 0)
            << QRectF(1500, 750, 6000, 4500) << -1500;
        QTest::newRow("pages of two sizes")
            << rtl << QSizeF(3000, 4000) << QSizeF(2000, 5000) << QPointF(2000, 0) << QPointF(0, 0)
            << QRectF(2000, 500, 5000, 5000) << -1000;
        QTest::newRow("an odd spare width rounds half to even")
            << rtl << QSizeF(3015, 4500) << QSizeF(3000, 4500) << QPointF(3000, 0) << QPointF(0, 0)
            << QRectF(1493, 750, 6015, 4500) << -1500;
        QTest::newRow("a spread larger than the area shows its first page")
            << rtl << QSizeF(6000, 9000) << QSizeF(6000, 9000) << QPointF(6000, 0) << QPointF(0, 0)
            << QRectF(-3000, 0, 12000, 9000) << 3000;
        QTest::newRow("a page alone") << rtl << QSizeF(3000, 4500) << QSizeF(0, 0) << QPointF(0, 0)
                                      << QPointF(0, 0) << QRectF(3000, 750, 3000, 4500) << -1500;
        QTest::newRow("a page alone taller than the area")
            << rtl << QSizeF(3000, 7500) << QSizeF() << QPointF(0, 0) << QPointF(0, 0)
            << QRectF(3000, 0, 3000, 7500) << 1500;
        QTest::newRow("left to right: a spread that fits")
            << ltr << QSizeF(3000, 4500) << QSizeF(3000, 4500) << QPointF(0, 0) << QPointF(3000, 0)
            << QRectF(1500, 750, 6000, 4500) << -1500;
        QTest::newRow("left to right: pages of two sizes")
            << ltr << QSizeF(3000, 4000) << QSizeF(2000, 5000) << QPointF(0, 0) << QPointF(3000, 0)
            << QRectF(2000, 500, 5000, 5000) << -1000;
        QTest::newRow("left to right: the odd twip goes to the other side")
            << ltr << QSizeF(3015, 4500) << QSizeF(3000, 4500) << QPointF(0, 0) << QPointF(3015, 0)
            << QRectF(1492, 750, 6015, 4500) << -1500;
        QTest::newRow("left to right: a spread larger than the area shows its first page")
            << ltr << QSizeF(6000, 9000) << QSizeF(6000, 9000) << QPointF(0, 0) << QPointF(6000, 0)
            << QRectF(0, 0, 12000, 9000) << 3000;
        QTest::newRow("left to right: a page alone")
            << ltr << QSizeF(3000, 4500) << QSizeF(0, 0) << QPointF(0, 0) << QPointF(3000, 0)
            << QRectF(3000, 750, 3000, 4500) << -1500;
    }
    void atActualSize()
    {
        QFETCH(ReadingDirection, direction);
        QFETCH(QSizeF, first);
        QFETCH(QSizeF, second);
        const FrameLayout layout = layOutFrame(SpreadPages{first, second}, area, direction);
        QTEST(layout.first, "firstAt");
        QTEST(layout.second, "secondAt");
        const FrameFit& fit = layout.frame;
        QTEST(QRectF(fit.left, fit.top, fit.width, fit.height), "frame");
        QTEST(fit.scrollRange, "scrollRange");
    }

    // Stretched, the first page starts at the middle line and the second ends at it, each in
    // whole per cents of the page; over the whole area a page alone is centred.
    void stretched_data()
    {
        QTest::addColumn<ReadingDirection>("direction");
        QTest::addColumn<QSizeF>("first");
        QTest::addColumn<QSizeF>("second");
        QTest::addColumn<bool>("wholeArea");
        QTest::addColumn<QRectF>("firstImage");
        QTest::addColumn<QRectF>("secondImage");

        const auto rtl = ReadingDirection::RightToLeft;
        const auto ltr = ReadingDirection::LeftToRight;
        QTest::newRow("a spread") << rtl << QSizeF(3000, 4500) << QSizeF(3000, 4500) << false
                                  << QRectF(4500, 30, 3960, 5940) << QRectF(540, 30, 3960, 5940);
        QTest::newRow("pages of two sizes") << rtl << QSizeF(3000, 4500) << QSizeF(1500, 4500) << false
                                            << QRectF(4500, 30, 3960, 5940) << QRectF(2520, 30, 1980, 5940);
        QTest::newRow("the last page alone keeps the right half")
            << rtl << QSizeF(3000, 4500) << QSizeF(0, 0) << false << QRectF(4500, 30, 3960, 5940) << QRectF();
        QTest::newRow("one page") << rtl << QSizeF(3000, 4500) << QSizeF(0, 0) << true
                                  << QRectF(2520, 30, 3960, 5940) << QRectF();
        QTest::newRow("a wide page alone") << rtl << QSizeF(6000, 3000) << QSizeF(3000, 4500) << true
                                           << QRectF(0, 750, 9000, 4500) << QRectF();
        QTest::newRow("a page of no size")
            << rtl << QSizeF(0, 0) << QSizeF(3000, 4500) << false << QRectF() << QRectF(540, 30, 3960, 5940);
        QTest::newRow("left to right: a spread")
            << ltr << QSizeF(3000, 4500) << QSizeF(1500, 4500) << false << QRectF(540, 30, 3960, 5940)
            << QRectF(4500, 30, 1980, 5940);
        QTest::newRow("left to right: the last page alone keeps the left half")
            << ltr << QSizeF(3000, 4500) << QSizeF(0, 0) << false << QRectF(540, 30, 3960, 5940) << QRectF();
        QTest::newRow("left to right: one page")
            << ltr << QSizeF(3000, 4500) << QSizeF(0, 0) << true << QRectF(2520, 30, 3960, 5940) << QRectF();
    }
    void stretched()
    {
        QFETCH(ReadingDirection, direction);
        QFETCH(QSizeF, first);
        QFETCH(QSizeF, second);
        QFETCH(bool, wholeArea);
        const StretchedLayout layout =
            layOutStretched(SpreadPages{first, second}, area, wholeArea, SpreadPages{}, direction);
        QTEST(rectOf(layout.first), "firstImage");
        QTEST(rectOf(layout.second), "secondImage");
    }
};

QTEST_GUILESS_MAIN(TestSpreadLayout)
#include "tst_spread_layout.moc"
