// Writes a small book of numbered pages to try the viewer with: every picture
// format it must read that Qt can also write, mixed-case extensions, portrait,
// landscape and tiny pages. The output is the same on every run.

#include "gif_writer.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>
#include <random>

namespace ruvo {
namespace {

enum class PageFormat
{
    Jpeg,
    Bmp,
    Gif
};

struct PagePlan
{
    const char* fileName;
    PageFormat format;
    int width;
    int height;
};

// The names sort in page order however letter case is compared.
constexpr PagePlan Pages[] = {
    {"page01.jpg", PageFormat::Jpeg, 800, 1200}, {"page02.bmp", PageFormat::Bmp, 700, 1000},
    {"page03.gif", PageFormat::Gif, 640, 900},   {"page04.jpg", PageFormat::Jpeg, 760, 1100},
    {"page05.bmp", PageFormat::Bmp, 1400, 900},  {"page06.gif", PageFormat::Gif, 600, 850},
    {"page07.JPG", PageFormat::Jpeg, 820, 1180}, {"page08.bmp", PageFormat::Bmp, 400, 300},
    {"page09.gif", PageFormat::Gif, 700, 980},   {"page10.jpg", PageFormat::Jpeg, 900, 1300},
    {"page11.Gif", PageFormat::Gif, 680, 960},   {"page12.bmp", PageFormat::Bmp, 780, 1120},
};
constexpr int PageCount = int(std::size(Pages));

struct Palette
{
    QColor background;
    QColor panel;
    QColor tone;
    QColor ink;
    QColor paper;
    QColor number;
};

Palette paletteFor(int pageNumber)
{
    // Stepping the hue by 5/12 of the wheel keeps neighbouring pages far apart.
    const int hue = ((pageNumber - 1) * 150) % 360;
    return {QColor::fromHsv(hue, 70, 240), QColor::fromHsv(hue, 22, 252),
            QColor::fromHsv(hue, 45, 225), QColor(30, 30, 40),
            QColor(255, 255, 255),         QColor::fromHsv(hue, 210, 120)};
}

QFont pageFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(std::max(pixelSize, 1));
    font.setBold(bold);
    return font;
}

// Rows of panels with uneven heights and widths, drawn from a generator seeded
// by the page number so every run lays the page out the same way.
QList<QRectF> panelLayout(int pageNumber, const QRectF& area, qreal gutter)
{
    std::minstd_rand random(quint32(pageNumber) * 7919u + 17u);
    const auto pick = [&random](int from, int to) { return from + int(random() % quint32(to - from + 1)); };

    const bool landscape = area.width() > area.height();
    const int rowCount = landscape ? 2 : pick(3, 4);
    QList<int> rowWeights;
    for (int row = 0; row < rowCount; ++row)
        rowWeights.append(pick(2, 4));
    const int rowTotal = std::accumulate(rowWeights.cbegin(), rowWeights.cend(), 0);

    QList<QRectF> panels;
    const qreal rowSpace = area.height() - gutter * (rowCount - 1);
    qreal top = area.top();
    for (int row = 0; row < rowCount; ++row) {
        const qreal rowHeight = rowSpace * rowWeights.at(row) / rowTotal;
        const int columnCount = landscape ? pick(2, 4) : pick(1, 3);
        QList<int> columnWeights;
        for (int column = 0; column < columnCount; ++column)
            columnWeights.append(pick(2, 5));
        const int columnTotal = std::accumulate(columnWeights.cbegin(), columnWeights.cend(), 0);
        const qreal columnSpace = area.width() - gutter * (columnCount - 1);
        qreal left = area.left();
        for (int column = 0; column < columnCount; ++column) {
            const qreal columnWidth = columnSpace * columnWeights.at(column) / columnTotal;
            panels.append(QRectF(left, top, columnWidth, rowHeight));
            left += columnWidth + gutter;
        }
        top += rowHeight + gutter;
    }
    return panels;
}

void drawBalloon(QPainter& painter, const QRectF& panel, bool onLeft, const Palette& palette, qreal line)
{
    const QSizeF size(panel.width() * 0.42, panel.height() * 0.3);
    const qreal inset = line * 4;
    const QPointF corner = onLeft ? panel.topLeft() + QPointF(inset, inset)
                                  : panel.topRight() + QPointF(-inset - size.width(), inset);
    const QRectF balloon(corner, size);

    painter.setPen(QPen(palette.ink, line));
    painter.setBrush(palette.paper);
    painter.drawEllipse(balloon);

    // Grey strokes standing in for the words.
    painter.setPen(QPen(QColor(150, 150, 150), std::max(line, 1.0), Qt::SolidLine, Qt::RoundCap));
    const QRectF words = balloon.adjusted(size.width() * 0.25, size.height() * 0.3, -size.width() * 0.25,
                                          -size.height() * 0.3);
    for (int i = 0; i < 3; ++i) {
        const qreal y = words.top() + words.height() * i / 2;
        const qreal shorten = i == 2 ? words.width() * 0.35 : 0;
        painter.drawLine(QPointF(words.left(), y), QPointF(words.right() - shorten, y));
    }
}

QImage drawPage(int pageNumber, int width, int height)
{
    const Palette palette = paletteFor(pageNumber);
    const qreal shortSide = std::min(width, height);
    const qreal margin = std::round(shortSide * 0.05);
    const qreal border = std::max(2.0, std::round(shortSide * 0.008));
    const qreal panelLine = std::max(2.0, std::round(shortSide * 0.005));
    const int captionSize = int(std::round(std::max(12.0, shortSide * 0.032)));

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(palette.background);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF frame(margin, margin, width - 2 * margin, height - 2 * margin);
    painter.setPen(QPen(palette.ink, border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);

    const qreal gutter = std::round(shortSide * 0.022);
    const qreal captionHeight = captionSize * 1.8;
    const QRectF panelArea = frame.adjusted(gutter, gutter, -gutter, -gutter - captionHeight);
    const QList<QRectF> panels = panelLayout(pageNumber, panelArea, gutter);
    for (int i = 0; i < panels.size(); ++i) {
        painter.setPen(QPen(palette.ink, panelLine, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush((i + pageNumber) % 3 == 0 ? palette.tone : palette.panel);
        painter.drawRect(panels.at(i));
        if ((i + pageNumber) % 2 == 0 && panels.at(i).width() > shortSide * 0.2)
            drawBalloon(painter, panels.at(i), i % 2 == 1, palette, panelLine);
    }

    // The number, outlined in white so the panels behind never hide it.
    const QString number = QString::number(pageNumber);
    QPainterPath numberPath;
    numberPath.addText(QPointF(0, 0), pageFont(int(shortSide * 0.6), true), number);
    const QRectF bounds = numberPath.boundingRect();
    numberPath.translate(QPointF(width, height) / 2 - bounds.center());
    painter.setPen(
        QPen(palette.paper, std::max(4.0, shortSide * 0.025), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(numberPath);
    // IPAGothic has no bold face; a heavier outline gives the digits weight.
    painter.setPen(
        QPen(palette.ink, std::max(2.0, shortSide * 0.012), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(palette.number);
    painter.drawPath(numberPath);

    painter.setFont(pageFont(captionSize, false));
    painter.setPen(palette.ink);
    const QRectF captionArea(frame.left(), frame.bottom() - captionHeight - gutter / 2, frame.width(),
                             captionHeight);
    painter.drawText(captionArea, Qt::AlignCenter,
                     QStringLiteral("Ruvo sample \u2013 page %1 of %2").arg(pageNumber).arg(PageCount));
    painter.end();
    return image;
}

// Qt's own reduction to 256 colours dithers the flat areas. The page only uses
// a few colours, so a table of blends between each pair of them keeps the
// antialiased edges smooth and the flat areas clean.
QImage toPageColours(const QImage& page, int pageNumber)
{
    const Palette palette = paletteFor(pageNumber);
    const QList<QColor> keys = {palette.background, palette.panel,  palette.tone,         palette.ink,
                                palette.paper,      palette.number, QColor(150, 150, 150)};
    constexpr int Steps = 7;
    QList<QRgb> table;
    QSet<QRgb> seen;
    const auto add = [&table, &seen](QRgb colour) {
        if (!seen.contains(colour)) {
            seen.insert(colour);
            table.append(colour);
        }
    };
    for (const QColor& key : keys)
        add(key.rgb());
    for (int a = 0; a < keys.size(); ++a) {
        for (int b = a + 1; b < keys.size(); ++b) {
            for (int step = 1; step < Steps; ++step) {
                const auto mix = [step](int from, int to) { return from + (to - from) * step / Steps; };
                add(qRgb(mix(keys.at(a).red(), keys.at(b).red()), mix(keys.at(a).green(), keys.at(b).green()),
                         mix(keys.at(a).blue(), keys.at(b).blue())));
            }
        }
    }
    return page.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

bool savePage(const QImage& page, int pageNumber, const PagePlan& plan, const QString& path)
{
    switch (plan.format) {
    case PageFormat::Jpeg: {
        QImageWriter writer(path, "jpeg");
        writer.setQuality(90);
        return writer.write(page);
    }
    case PageFormat::Bmp:
        return page.save(path, "bmp");
    case PageFormat::Gif:
        return writeGif(toPageColours(page, pageNumber), path);
    }
    return false;
}

// Only a folder this program made is cleared; anything else in it is left
// alone and the run refused, so a mistyped argument cannot cost files.
bool prepareFolder(const QString& path, QTextStream& err)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir()) {
        err << "make_sample_book: " << path << " is not a folder\n";
        return false;
    }
    QDir folder(path);
    if (info.exists()) {
        static const QRegularExpression ours(QStringLiteral("^page\\d+\\.(jpe?g|bmp|gif)$"),
                                             QRegularExpression::CaseInsensitiveOption);
        const QFileInfoList entries =
            folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo& entry : entries) {
            if (!entry.isFile() || !ours.match(entry.fileName()).hasMatch()) {
                err << "make_sample_book: " << path << " holds " << entry.fileName()
                    << ", which this program did not write; not clearing it\n";
                return false;
            }
        }
        for (const QFileInfo& entry : entries) {
            if (!folder.remove(entry.fileName())) {
                err << "make_sample_book: cannot remove " << entry.filePath() << "\n";
                return false;
            }
        }
    } else if (!folder.mkpath(QStringLiteral("."))) {
        err << "make_sample_book: cannot create " << path << "\n";
        return false;
    }
    return true;
}

} // namespace
} // namespace ruvo

int main(int argc, char* argv[])
{
    // Fonts need a platform, and the generator runs in builds without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTextStream err(stderr);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: make_sample_book <output folder>\n";
        return 2;
    }
    const QString folder = QDir::cleanPath(arguments.at(1));
    if (!ruvo::prepareFolder(folder, err))
        return 1;

    for (int i = 0; i < ruvo::PageCount; ++i) {
        const ruvo::PagePlan& plan = ruvo::Pages[i];
        const int pageNumber = i + 1;
        const QImage page = ruvo::drawPage(pageNumber, plan.width, plan.height);
        const QString path = folder + QLatin1Char('/') + QLatin1String(plan.fileName);
        if (!ruvo::savePage(page, pageNumber, plan, path)) {
            err << "make_sample_book: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
