// Weighs the two PDF libraries a PDF book could be read with, poppler (its Qt 6 interface) and
// MuPDF (its C interface), over a 300-page comic PDF that img2pdf makes from 2 MP JPEG pages
// of 300 dpi, and over 20 pages of text and shapes that QPdfWriter draws. For each library,
// in processes of its own:
//   - opening the comic to its first page: opening it and reading the first page's size, then
//     drawing that page at the size a two-page spread gives it in a 1280x900 window; each in
//     a fresh process, and opened over and over in one process;
//   - 30 comic pages (the first, the middle, the last and 27 between) drawn at that size and
//     at their pictures' own pixels, median and p95;
//   - the picture a page is made of handed over without drawing it, where the library can,
//     alone and with Qt's JPEG reader decoding it at either size;
//   - the vector pages drawn at the spread's size and at 96 dpi;
//   - how far each drawing is from the pixels the comic was made of, and the peak memory.
// The libraries: poppler; mupdf with the store MuPDF has by default (256 MB); mupdf16 with a
// store of 16 MB.
//   bench_pdf_libraries                               makes the PDFs and runs every library
//   bench_pdf_libraries --first LIBRARY PDF WAY       opens PDF to its first page, once, the
//                                                     page drawn or its picture decoded
//   bench_pdf_libraries --pages LIBRARY COMIC VECTOR  the rest, printed
// Built only with -DRUVO_BENCH_PDF_LIBRARIES=ON, as it needs both libraries and img2pdf.
#include "bench_figures.h"
#include "pdf_libraries/mupdf_pdf_pages.h"
#include "pdf_libraries/poppler_pdf_pages.h"
#include "scanned_page.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace ruvo::bench;

namespace {

constexpr int kComicPages = 300;
constexpr int kVectorPages = 20;
constexpr int kFreshOpens = 7;
constexpr int kRepeatedOpens = 15;
constexpr QSize kPicture(1200, 1600);
constexpr int kPictureDpi = 300;
// One page of a two-page spread in a 1280x900 window, margins taken off.
constexpr QSize kSpreadPage(620, 880);
// MuPDF's store as small as a program that keeps its own pages would make it.
constexpr size_t kSmallStore = 16 * 1024 * 1024;

std::unique_ptr<PdfPages> library(const QByteArray& name)
{
    if (name == "poppler")
        return std::make_unique<PopplerPdfPages>();
    if (name == "mupdf")
        return std::make_unique<MupdfPdfPages>(FZ_STORE_DEFAULT);
    if (name == "mupdf16")
        return std::make_unique<MupdfPdfPages>(kSmallStore);
    return nullptr;
}

QSize fitted(QSizeF points, QSize box)
{
    const double scale = std::min(box.width() / points.width(), box.height() / points.height());
    return QSize(qRound(points.width() * scale), qRound(points.height() * scale));
}

QSize at96Dpi(QSizeF points)
{
    return QSize(qRound(points.width() * 96 / 72), qRound(points.height() * 96 / 72));
}

QString figures(const QList<double>& times)
{
    return QStringLiteral("median %1 ms, p95 %2 ms")
        .arg(median(times), 0, 'f', 1)
        .arg(percentile(times, 0.95), 0, 'f', 1);
}

// The mean difference of each colour channel, 0 to 255: a page drawn wrong or not at all is
// far from the picture it was made of; JPEG's own loss keeps a right one a few levels off.
double meanDifference(const QImage& drawn, const QImage& made)
{
    if (drawn.size() != made.size())
        return 255;
    const QImage a = drawn.convertToFormat(QImage::Format_RGB32);
    const QImage b = made.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* left = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* right = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            sum += std::abs(qRed(left[x]) - qRed(right[x])) + std::abs(qGreen(left[x]) - qGreen(right[x])) +
                   std::abs(qBlue(left[x]) - qBlue(right[x]));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

bool makeComic(const QString& folder, const QString& pdf)
{
    QDir().mkpath(folder);
    QStringList names;
    for (int page = 1; page <= kComicPages; ++page) {
        QImage image = scannedPage(kPicture, page);
        image.setDotsPerMeterX(qRound(kPictureDpi / 0.0254));
        image.setDotsPerMeterY(qRound(kPictureDpi / 0.0254));
        const QString name = folder + QStringLiteral("/%1.jpg").arg(page, 3, 10, QLatin1Char('0'));
        if (!image.save(name, "JPEG", 85))
            return false;
        names.append(name);
    }
    return QProcess::execute(QStringLiteral("img2pdf"), QStringList{QStringLiteral("-o"), pdf} + names) == 0;
}

// Text in several sizes, lines, curves, filled shapes and a gradient on every page.
bool makeVectorPages(const QString& pdf)
{
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    const QRect page = painter.viewport();
    for (int number = 1; number <= kVectorPages; ++number) {
        if (number > 1)
            writer.newPage();
        QLinearGradient gradient(page.topLeft(), page.bottomRight());
        gradient.setColorAt(0, QColor::fromHsv(number * 40 % 360, 60, 255));
        gradient.setColorAt(1, QColor::fromHsv(number * 70 % 360, 90, 200));
        painter.fillRect(page.adjusted(0, 0, 0, -page.height() / 2), gradient);
        painter.setPen(QPen(Qt::black, 4));
        for (int i = 0; i < 40; ++i) {
            QPainterPath curve(QPointF(page.width() * i / 40.0, page.height() * 0.55));
            curve.cubicTo(page.width() * 0.3, page.height() * (0.5 + i / 100.0), page.width() * 0.7,
                          page.height() * 0.9, page.width() * (1 - i / 40.0), page.height() * 0.98);
            painter.drawPath(curve);
        }
        painter.setBrush(QColor::fromHsv(number * 25 % 360, 200, 220));
        for (int i = 0; i < 12; ++i)
            painter.drawEllipse(QPoint(page.width() * (i + 1) / 13, page.height() / 3), 80 + i * 5, 60);
        painter.setBrush(Qt::NoBrush);
        for (int line = 0; line < 30; ++line) {
            QFont font(QStringLiteral("Sans"));
            font.setPixelSize(24 + (line % 5) * 12);
            painter.setFont(font);
            painter.drawText(QPoint(120, 200 + line * 60),
                             QStringLiteral("第%1話 その%2 The quick brown fox jumps over the lazy dog %3")
                                 .arg(number)
                                 .arg(line + 1)
                                 .arg(line * number));
        }
    }
    return painter.end();
}

QList<int> comicPagesDrawn()
{
    QList<int> pages{0, kComicPages / 2 - 1, kComicPages - 1};
    for (int page = 5; pages.size() < 30; page += 11) {
        if (!pages.contains(page))
            pages.append(page);
    }
    return pages;
}

// The time to open the comic and read its first page's size, and to have the first page at
// the spread's size: drawn by the library, or its picture handed over and decoded by Qt.
int runFirst(const QByteArray& name, const QString& pdf, const QByteArray& way)
{
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<PdfPages> pages = library(name);
    if (!pages || !pages->open(pdf) || pages->count() != kComicPages)
        return 1;
    const QSizeF first = pages->pointSize(0);
    const double openMs = double(timer.nsecsElapsed()) / 1e6;
    QImage shown;
    if (way == "picture") {
        PagePicture picture = pages->picture(0);
        QBuffer bytes(&picture.jpeg);
        QImageReader reader(&bytes, "jpeg");
        reader.setAutoTransform(false);
        reader.setScaledSize(fitted(first, kSpreadPage));
        shown = reader.read();
    } else {
        shown = pages->render(0, fitted(first, kSpreadPage));
    }
    const double firstPageMs = double(timer.nsecsElapsed()) / 1e6;
    if (shown.isNull())
        return 1;
    std::printf("%.2f %.2f\n", openMs, firstPageMs);
    return 0;
}

int runPages(const QByteArray& name, const QString& comic, const QString& vector)
{
    const auto say = [&](const QString& line) {
        std::printf("%-8s %s\n", name.constData(), qPrintable(line));
    };
    QList<double> opens;
    for (int round = 0; round < kRepeatedOpens; ++round) {
        opens.append(millisecondsOf([&] {
            std::unique_ptr<PdfPages> pages = library(name);
            if (pages->open(comic) && pages->count() == kComicPages)
                pages->pointSize(0);
        }));
    }
    say(QStringLiteral("open and first page's size, %1 times in one process: %2")
            .arg(kRepeatedOpens)
            .arg(figures(opens)));

    // Each pass over the pages in a document opened afresh: MuPDF's store would otherwise
    // hand the second pass the pictures the first decoded.
    const auto opened = [&](const QString& pdf) {
        std::unique_ptr<PdfPages> pages = library(name);
        return pages->open(pdf) ? std::move(pages) : nullptr;
    };
    std::unique_ptr<PdfPages> pages = opened(comic);
    if (!pages)
        return 1;
    const QList<int> drawnPages = comicPagesDrawn();
    const QSize spreadSize = fitted(pages->pointSize(0), kSpreadPage);
    QList<double> spreadTimes;
    QList<double> ownTimes;
    QImage firstAtOwnPixels;
    QImage firstAtSpreadSize;
    for (int index : drawnPages) {
        QImage drawn;
        spreadTimes.append(millisecondsOf([&] { drawn = pages->render(index, spreadSize); }));
        if (drawn.isNull())
            return 1;
        if (index == 0)
            firstAtSpreadSize = drawn;
    }
    const double peakAfterSpread = peakResidentMb();
    pages = opened(comic);
    for (int index : drawnPages) {
        QImage drawn;
        ownTimes.append(millisecondsOf([&] { drawn = pages->render(index, kPicture); }));
        if (index == 0)
            firstAtOwnPixels = drawn;
    }
    say(QStringLiteral("comic page at the spread's size %1x%2, %3 pages: %4")
            .arg(spreadSize.width())
            .arg(spreadSize.height())
            .arg(drawnPages.size())
            .arg(figures(spreadTimes)));
    say(QStringLiteral("comic page at its picture's pixels %1x%2, %3 pages: %4")
            .arg(kPicture.width())
            .arg(kPicture.height())
            .arg(drawnPages.size())
            .arg(figures(ownTimes)));
    const QImage made = scannedPage(kPicture, 1);
    say(QStringLiteral("first page is %1 levels from the picture made at its pixels, %2 at the spread's size "
                       "(the picture scaled smoothly)")
            .arg(meanDifference(firstAtOwnPixels, made), 0, 'f', 2)
            .arg(meanDifference(firstAtSpreadSize,
                                made.scaled(spreadSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
                 0, 'f', 2));
    say(QStringLiteral("peak memory: %1 MB after the spread-size pages, %2 MB after all %3 drawings")
            .arg(peakAfterSpread, 0, 'f', 1)
            .arg(peakResidentMb(), 0, 'f', 1)
            .arg(drawnPages.size() * 2));

    pages = opened(comic);
    QList<double> handovers;
    QList<double> decodedWhole;
    QList<double> decodedSpread;
    QSize ownPixels;
    QImage firstDecoded;
    for (int index : drawnPages) {
        PagePicture picture;
        handovers.append(millisecondsOf([&] { picture = pages->picture(index); }));
        if (picture.jpeg.isEmpty())
            break;
        ownPixels = picture.pixels;
        for (QList<double>* times : {&decodedWhole, &decodedSpread}) {
            times->append(handovers.last() + millisecondsOf([&] {
                              QBuffer bytes(&picture.jpeg);
                              QImageReader reader(&bytes, "jpeg");
                              reader.setAutoTransform(false);
                              if (times == &decodedSpread)
                                  reader.setScaledSize(spreadSize);
                              const QImage decoded = reader.read();
                              if (index == 0 && times == &decodedWhole)
                                  firstDecoded = decoded;
                          }));
        }
    }
    if (ownPixels.isEmpty()) {
        say(QStringLiteral("no comic page handed over as the picture it holds"));
    } else {
        say(QStringLiteral("picture handed over without drawing (own pixels %1x%2), %3 pages: %4")
                .arg(ownPixels.width())
                .arg(ownPixels.height())
                .arg(handovers.size())
                .arg(figures(handovers)));
        say(QStringLiteral("  and decoded by Qt's JPEG reader at its own pixels: %1")
                .arg(figures(decodedWhole)));
        say(QStringLiteral("  and decoded by Qt's JPEG reader at the spread's size: %1")
                .arg(figures(decodedSpread)));
        say(QStringLiteral("  the first, decoded, is %1 levels from the picture made")
                .arg(meanDifference(firstDecoded, made), 0, 'f', 2));
    }

    const std::unique_ptr<PdfPages> drawing = opened(vector);
    if (!drawing || drawing->count() != kVectorPages)
        return 1;
    QList<double> vectorSpread;
    QList<double> vector96;
    int pictures = 0;
    const QSizeF vectorPoints = drawing->pointSize(0);
    for (int index = 0; index < kVectorPages; ++index) {
        vectorSpread.append(
            millisecondsOf([&] { drawing->render(index, fitted(drawing->pointSize(index), kSpreadPage)); }));
        vector96.append(millisecondsOf([&] { drawing->render(index, at96Dpi(drawing->pointSize(index))); }));
        if (!drawing->picture(index).jpeg.isEmpty())
            ++pictures;
    }
    say(QStringLiteral("vector page at the spread's size %1x%2, %3 pages: %4")
            .arg(fitted(vectorPoints, kSpreadPage).width())
            .arg(fitted(vectorPoints, kSpreadPage).height())
            .arg(kVectorPages)
            .arg(figures(vectorSpread)));
    say(QStringLiteral("vector page at 96 dpi %1x%2: %3")
            .arg(at96Dpi(vectorPoints).width())
            .arg(at96Dpi(vectorPoints).height())
            .arg(figures(vector96)));
    say(QStringLiteral("vector pages taken for pictures: %1 of %2").arg(pictures).arg(kVectorPages));
    say(QStringLiteral("peak memory at the end: %1 MB").arg(peakResidentMb(), 0, 'f', 1));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--first")
        return runFirst(argv[2], QString::fromLocal8Bit(argv[3]), argv[4]);
    if (argc == 5 && QByteArray(argv[1]) == "--pages")
        return runPages(argv[2], QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]));

    QTemporaryDir dir;
    const QString comic = dir.filePath(QStringLiteral("comic.pdf"));
    const QString vector = dir.filePath(QStringLiteral("vector.pdf"));
    std::printf(
        "making a PDF of %d pages of %dx%d JPEG at %d dpi with img2pdf, and one of %d vector pages...\n",
        kComicPages, kPicture.width(), kPicture.height(), kPictureDpi, kVectorPages);
    std::fflush(stdout);
    if (!makeComic(dir.filePath(QStringLiteral("pages")), comic) || !makeVectorPages(vector)) {
        std::printf("could not make the PDFs (is img2pdf installed?)\n");
        return 1;
    }
    std::printf("comic PDF: %.1f MB\n", double(QFileInfo(comic).size()) / 1e6);
    for (const QByteArray& name : {QByteArray("poppler"), QByteArray("mupdf"), QByteArray("mupdf16")}) {
        for (const QByteArray& way : {QByteArray("draw"), QByteArray("picture")}) {
            if (way == "picture" && name == "poppler")
                continue;
            QList<double> opens;
            QList<double> firstPages;
            QList<double> processes;
            for (int round = 0; round < kFreshOpens; ++round) {
                QProcess child;
                QElapsedTimer timer;
                timer.start();
                child.start(
                    QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--first"), QString::fromLatin1(name), comic, QString::fromLatin1(way)});
                child.waitForFinished(60000);
                processes.append(double(timer.nsecsElapsed()) / 1e6);
                const QList<QByteArray> times = child.readAllStandardOutput().trimmed().split(' ');
                if (child.exitCode() != 0 || times.size() != 2) {
                    std::printf("%-8s could not open the comic\n", name.constData());
                    return 1;
                }
                opens.append(times.at(0).toDouble());
                firstPages.append(times.at(1).toDouble());
            }
            const char* shown = way == "draw" ? "drawn" : "its picture handed over and decoded";
            if (way == "draw") {
                std::printf("%-8s open and first page's size, fresh process: %s\n", name.constData(),
                            qPrintable(figures(opens)));
            }
            std::printf("%-8s open to the first page at the spread's size, %s, fresh process: %s\n",
                        name.constData(), shown, qPrintable(figures(firstPages)));
            std::printf("%-8s   the whole process, start to exit: %s\n", name.constData(),
                        qPrintable(figures(processes)));
            std::fflush(stdout);
        }
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--pages"), QString::fromLatin1(name), comic, vector});
        child.waitForFinished(600000);
        if (child.exitCode() != 0) {
            std::printf("%-8s failed\n", name.constData());
            return 1;
        }
    }
    return 0;
}
