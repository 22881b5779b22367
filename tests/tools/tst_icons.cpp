// Checks the toolbar icon set in assets/icons: every button key has a
// well-formed 24x24 SVG that QSvgRenderer draws, the drawings are neither
// blank nor solid squares, the files stay within the plain SVG subset the
// renderer handles, icons.qrc lists them all, and no two icons look the same.

#include "bookshelf/form6_controls.h"
#include "commands/toolbar_table.h"

#include <QFile>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

namespace {

// Every key of both toolbars, as the windows load their icons, and the file browser's icon of
// an archive book.
const QStringList& iconKeys()
{
    static const QStringList keys = [] {
        QStringList all;
        for (const QList<ruvo::ToolbarButton>* table :
             {&ruvo::toolbarTable(), &ruvo::Form6Controls::toolbarTable()}) {
            for (const ruvo::ToolbarButton& spec : *table) {
                if (spec.isButton())
                    all.append(spec.key);
            }
        }
        all.append(QStringLiteral("archive_book"));
        return all;
    }();
    return keys;
}

QString iconPath(const QString& key)
{
    return QFINDTESTDATA(QStringLiteral("../../assets/icons/") + key + QStringLiteral(".svg"));
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QImage render(const QString& path, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image;
}

double paintedShare(const QImage& image)
{
    qsizetype painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                ++painted;
        }
    }
    return double(painted) / double(image.width() * image.height());
}

// Pixels whose colour or opacity differ by more than a faint antialiasing wobble.
int clearlyDifferentPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int delta = qMax(qMax(qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q))),
                                   qMax(qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))));
            if (delta > 32)
                ++count;
        }
    }
    return count;
}

void addKeyRows()
{
    QTest::addColumn<QString>("key");
    for (const QString& key : iconKeys())
        QTest::newRow(qPrintable(key)) << key;
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileExists_data() { addKeyRows(); }
    void fileExists()
    {
        QFETCH(QString, key);
        const QString path = iconPath(key);
        QVERIFY2(!path.isEmpty() && QFile::exists(path), qPrintable(key + QStringLiteral(".svg is missing")));
    }

    void loadsWithTheSharedViewBox_data() { addKeyRows(); }
    void loadsWithTheSharedViewBox()
    {
        QFETCH(QString, key);
        const QString path = iconPath(key);
        QVERIFY(!path.isEmpty());
        QSvgRenderer renderer(path);
        QVERIFY2(renderer.isValid(), qPrintable(path));
        QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 24, 24));
        QVERIFY(readText(path).contains(QStringLiteral("viewBox=\"0 0 24 24\"")));
    }

    void drawsAReasonableShareOfPixels_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("size");
        for (const QString& key : iconKeys()) {
            for (int size : {16, 24})
                QTest::addRow("%s@%d", qPrintable(key), size) << key << size;
        }
    }
    void drawsAReasonableShareOfPixels()
    {
        QFETCH(QString, key);
        QFETCH(int, size);
        const QString path = iconPath(key);
        QVERIFY(!path.isEmpty());
        const QImage image = render(path, size);
        const double share = paintedShare(image);
        const QString message = QStringLiteral("%1 at %2 px paints %3% of its pixels")
                                    .arg(key)
                                    .arg(size)
                                    .arg(share * 100.0, 0, 'f', 1);
        QVERIFY2(share >= 0.08, qPrintable(message));
        QVERIFY2(share <= 0.75, qPrintable(message));
    }

    void usesOnlyPlainSvg_data() { addKeyRows(); }
    void usesOnlyPlainSvg()
    {
        QFETCH(QString, key);
        const QString path = iconPath(key);
        QVERIFY(!path.isEmpty());
        const QString text = readText(path);
        QVERIFY(!text.isEmpty());
        QVERIFY(text.contains(QStringLiteral("<svg")));
        for (const QString& forbidden :
             {QStringLiteral("clipPath"), QStringLiteral("mask"), QStringLiteral("filter"),
              QStringLiteral("<text"), QStringLiteral("<style"), QStringLiteral("xlink:href"),
              QStringLiteral("<image"), QStringLiteral("<use")}) {
            QVERIFY2(!text.contains(forbidden, Qt::CaseInsensitive),
                     qPrintable(key + QStringLiteral(" uses ") + forbidden));
        }
        // Any reference must stay inside the file.
        static const QRegularExpression outside(QStringLiteral("href\\s*=\\s*[\"'](?!#)"));
        QVERIFY2(!outside.match(text).hasMatch(),
                 qPrintable(key + QStringLiteral(" refers to another file")));
    }

    void resourceFileListsEveryIcon()
    {
        const QString path = QFINDTESTDATA("../../assets/icons/icons.qrc");
        QVERIFY(!path.isEmpty());
        const QString text = readText(path);
        QVERIFY(text.contains(QStringLiteral("prefix=\"/icons\"")));
        static const QRegularExpression entry(QStringLiteral("<file>([^<]+)</file>"));
        QStringList listed;
        for (auto it = entry.globalMatch(text); it.hasNext();)
            listed.append(it.next().captured(1));
        QStringList expected;
        for (const QString& key : iconKeys())
            expected.append(key + QStringLiteral(".svg"));
        listed.sort();
        expected.sort();
        QCOMPARE(listed, expected);
    }

    void noTwoIconsLookAlike()
    {
        QList<QImage> images;
        for (const QString& key : iconKeys()) {
            const QString path = iconPath(key);
            QVERIFY2(!path.isEmpty(), qPrintable(key));
            images.append(render(path, 24));
        }
        const QStringList& keys = iconKeys();
        for (qsizetype i = 0; i < images.size(); ++i) {
            for (qsizetype j = i + 1; j < images.size(); ++j) {
                const QString pair = keys.at(i) + QStringLiteral(" and ") + keys.at(j);
                QVERIFY2(images.at(i) != images.at(j),
                         qPrintable(pair + QStringLiteral(" render identically")));
                QVERIFY2(clearlyDifferentPixels(images.at(i), images.at(j)) >= 12,
                         qPrintable(pair + QStringLiteral(" are nearly identical")));
            }
        }
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
