#include "support/fake_message_boxes.h"
#include "support/fake_shell.h"
#include "windows/ui/application_identity.h"
#include "windows/ui/splash_window.h"
#include "windows/ui/version_window.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using namespace ruvo;

namespace {

QString desktopFile(const QString& name)
{
    return QFINDTESTDATA(QStringLiteral("../../../assets/desktop/") + name);
}

QImage rendered(const QString& svgPath, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svgPath);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

QImage iconImage(const QIcon& icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

double paintedShare(const QImage& image)
{
    qsizetype painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return double(painted) / double(image.width() * image.height());
}

} // namespace

class TestApplicationIdentity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        applyApplicationIdentity();
        applyApplicationIcon();
    }

    void namesThePerUserFolders()
    {
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Ruvo"));
        QCOMPARE(QApplication::organizationName(), QStringLiteral("Dudado"));
    }

    // The desktop matches the windows to the menu entry, and the entry names
    // the icon, by one name.
    void theDesktopEntryAndIconCarryTheDesktopFileName()
    {
        const QString id = QApplication::desktopFileName();
        QVERIFY(id.count(QLatin1Char('.')) >= 2);
        QVERIFY(!desktopFile(id + QStringLiteral(".desktop")).isEmpty());
        QVERIFY(!desktopFile(id + QStringLiteral(".svg")).isEmpty());
        QVERIFY(!desktopFile(id + QStringLiteral(".metainfo.xml.in")).isEmpty());
    }

    // The icon built into the program is the one installed for the desktop.
    void theWindowIconIsTheInstalledDrawing_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 64, 256})
            QTest::addRow("%d px", size) << size;
    }
    void theWindowIconIsTheInstalledDrawing()
    {
        QFETCH(int, size);
        const QString svg = desktopFile(QApplication::desktopFileName() + QStringLiteral(".svg"));
        QVERIFY(!svg.isEmpty());
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        const QImage shown = iconImage(icon, size);
        QCOMPARE(shown.size(), QSize(size, size));
        const double share = paintedShare(shown);
        QVERIFY2(share > 0.5 && share < 0.95, qPrintable(QString::number(share)));
        QCOMPARE(shown, rendered(svg, size));
    }

    void theDrawingIsASquareScalableIcon()
    {
        const QString svg = desktopFile(QApplication::desktopFileName() + QStringLiteral(".svg"));
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBoxF().width(), renderer.viewBoxF().height());
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        for (const char* outside : {"xlink:href", "<image", "<text", "<style"})
            QVERIFY2(!text.contains(outside), outside);
    }

    void everyWindowShowsIt()
    {
        const QImage expected = iconImage(QApplication::windowIcon(), 32);
        SplashWindow splash(0);
        test::FakeShell shell;
        test::FakeMessageBoxes messages;
        VersionWindow version(shell, messages, QString());
        for (QWidget* window : {static_cast<QWidget*>(&splash), static_cast<QWidget*>(&version)})
            QCOMPARE(iconImage(window->windowIcon(), 32), expected);
    }
};

QTEST_MAIN(TestApplicationIdentity)
#include "tst_application_identity.moc"
