#include "commands/control_names.h"
#include "common/twips.h"
#include "support/file_bytes.h"
#include "support/real_book_fixture.h"
#include "support/view_modes.h"
#include "viewer/ui/main_window.h"
#include "viewer/ui/viewing_area.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace ruvo;
using namespace ruvo::test;

namespace {

// A page whose every pixel differs from its neighbours: a one-pixel checkerboard laid over
// colours that tell the pixel's place, so that any pixel resampled or shifted shows.
QImage checkerboardPage()
{
    QImage page(121, 91, QImage::Format_RGB32);
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            page.setPixel(x, y,
                          (x + y) % 2 ? qRgb(255, (x * 2) & 255, (y * 2) & 255) : qRgb(0, 0, (x + y) & 127));
    }
    return page;
}

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

// Run with QT_SCALE_FACTOR at 2 and at 1.5: at actual size each page pixel is one device
// pixel, exactly, unless the reader asks for pages as large as at ratio 1.
class TestDevicePixelPages : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(putFileBytes(m_dir.filePath(u"p1.png"_qs), pngOf(checkerboardPage())));
        QVERIFY(putFileBytes(m_dir.filePath(u"p2.png"_qs), pngOf(checkerboardPage())));
    }

    void eachPagePixelIsADevicePixel_data()
    {
        QTest::addColumn<bool>("onePage");
        QTest::newRow("one page") << true;
        QTest::newRow("two pages") << false;
    }
    void eachPagePixelIsADevicePixel()
    {
        QFETCH(bool, onePage);
        RealBookFixture f;
        MainWindow window(f.form, f.fakes.delays);
        window.showRestored();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const qreal ratio = window.devicePixelRatio();
        QVERIFY2(ratio > 1, "run with QT_SCALE_FACTOR above 1");
        setOnePage(f.form, onePage);
        f.form.openPath(m_dir.path());
        const Form1Controls& c = f.form.controls();
        const QImage page = checkerboardPage();
        auto* area = window.findChild<ViewingArea*>();
        QTRY_VERIFY(area->paints() > 0);
        const QImage drawn = area->grab().toImage();
        QCOMPARE(drawn.devicePixelRatio(), ratio);
        for (const Surface* shown :
             onePage ? QList<const Surface*>{&c.picture2} : QList<const Surface*>{&c.picture2, &c.picture3}) {
            QCOMPARE(shown->picture.size(), page.size());
            QCOMPARE(shown->width, page.width() * double(twipsPerPixel) / ratio);
            const QPoint corner(int(std::lround((c.picture1.left + shown->left) / twipsPerPixel * ratio)),
                                int(std::lround((c.picture1.top + shown->top) / twipsPerPixel * ratio)));
            QVERIFY(QRect(QPoint(), drawn.size()).contains(QRect(corner, page.size())));
            for (int y = 0; y < page.height(); ++y) {
                for (int x = 0; x < page.width(); ++x) {
                    if (drawn.pixel(corner + QPoint(x, y)) != page.pixel(x, y))
                        QFAIL(qPrintable(QStringLiteral("page pixel %1, %2 is drawn as %3, not %4")
                                             .arg(x)
                                             .arg(y)
                                             .arg(drawn.pixel(corner + QPoint(x, y)), 0, 16)
                                             .arg(page.pixel(x, y), 0, 16)));
                }
            }
        }
    }

    // Switched to pages as large as at ratio 1, every twip is as it is there.
    void theLogicalSizeIsTheSpecsLayout()
    {
        RealBookFixture f;
        MainWindow window(f.form, f.fakes.delays);
        window.showRestored();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        setOnePage(f.form, true);
        f.form.openPath(m_dir.path());
        f.form.menuClick(MenuItem::devicePixels);
        QVERIFY(!f.form.controls().menu(MenuItem::devicePixels).checked);
        const Form1Controls& c = f.form.controls();
        QCOMPARE(c.picture2.width, double(toTwips(121)));
        QCOMPARE(c.picture2.height, double(toTwips(91)));
        QCOMPARE(c.picture2.pixelRatio, 1.0);
        f.form.menuClick(MenuItem::devicePixels);
        QCOMPARE(c.picture2.pixelRatio, window.devicePixelRatio());
    }
};

QTEST_MAIN(TestDevicePixelPages)
#include "tst_device_pixel_pages.moc"
