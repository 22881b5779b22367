// Prints how long the viewer takes from process start to its first spread on screen, in a
// real X server, beside feh opening the same first page in the same run: for a book of
// 2-megapixel and one of 12-megapixel JPEG pages; then for a PDF of 300 2-megapixel JPEG
// pages made by img2pdf, beside mupdf and zathura opening it at its first page. "On screen" is read back from
// the X server, not from a widget: the pages carry small magenta squares that nothing else on the screen has,
// and the time is taken when they show.
//
//   bench_startup [ROUNDS] [PROGRAM]   ROUNDS rounds (3), the viewer at PROGRAM (the build's
//                                      ruvo beside this benchmark's folder)
//
// It starts an Xvfb and a session bus of its own, as a desktop session has, and installs feh,
// mupdf, zathura and img2pdf (and the bus's daemon) when missing (apt-get, as root).
#include "bench_figures.h"
#include "scanned_page.h"
#include "x_session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/ipc.h>
#include <sys/shm.h>

using namespace ruvo::bench;

namespace {

constexpr QSize screenSize(1400, 1000);
constexpr QSize windowSize(1200, 900);
constexpr int twipsPerPixel = 15;
constexpr int pagesPerBook = 12;
constexpr int pagesPerPdf = 300;
// The screen is read every two milliseconds, whole, through memory shared with the X server:
// one request a look, so that looking takes little of the time the programs timed need.
// Every this many pixels down the screen, one row is searched.
constexpr int rowStep = 16;
constexpr int pollMs = 2;
// Magenta pixels that mean the page is there.
constexpr int enoughMagenta = 40;
constexpr qint64 giveUpMs = 20000;

// A scanned page with a magenta square in every 64-pixel tile.
QImage pagePicture(QSize size, int page)
{
    QImage image = ruvo::bench::scannedPage(size, page);
    QPainter painter(&image);
    for (int y = 0; y < size.height(); y += 64) {
        for (int x = 0; x < size.width(); x += 64)
            painter.fillRect(x + 20, y + 20, 24, 24, QColor(255, 0, 255));
    }
    return image;
}

QString makeBook(const QString& folder, QSize size, int pages)
{
    QDir().mkpath(folder);
    for (int page = 1; page <= pages; ++page)
        pagePicture(size, page)
            .save(folder + QStringLiteral("/p%1.jpg").arg(page, 3, 10, QLatin1Char('0')), "JPEG", 90);
    return folder;
}

// The folder's pages as a PDF, a JPEG a page as it stands; the PDF's path, or nothing.
QString makePdf(const QString& folder, const QString& pdf)
{
    QStringList arguments{QStringLiteral("-o"), pdf};
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
        arguments.append(folder + u'/' + name);
    return QProcess::execute(QStringLiteral("img2pdf"), arguments) == 0 ? pdf : QString();
}

bool isMagenta(unsigned long pixel)
{
    const unsigned red = (pixel >> 16) & 0xFF;
    const unsigned green = (pixel >> 8) & 0xFF;
    const unsigned blue = pixel & 0xFF;
    return red > 200 && green < 70 && blue > 200;
}

// The whole screen, read back in one request into memory shared with the X server.
class ScreenReader
{
public:
    explicit ScreenReader(Display* display) : m_display(display)
    {
        const int screen = DefaultScreen(display);
        m_image = XShmCreateImage(display, DefaultVisual(display, screen),
                                  unsigned(DefaultDepth(display, screen)), ZPixmap, nullptr, &m_segment,
                                  unsigned(screenSize.width()), unsigned(screenSize.height()));
        if (!m_image)
            return;
        m_segment.shmid =
            shmget(IPC_PRIVATE, size_t(m_image->bytes_per_line) * size_t(m_image->height), IPC_CREAT | 0600);
        if (m_segment.shmid < 0)
            return;
        m_segment.shmaddr = m_image->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
        m_segment.readOnly = False;
        m_attached = m_segment.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(display, &m_segment);
        // Removed once both ends are attached: nothing is left behind, whatever happens.
        XSync(display, False);
        shmctl(m_segment.shmid, IPC_RMID, nullptr);
    }

    ~ScreenReader()
    {
        if (m_attached) {
            XShmDetach(m_display, &m_segment);
            shmdt(m_segment.shmaddr);
        }
        if (m_image)
            XDestroyImage(m_image);
    }

    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    bool isReady() const { return m_attached; }

    // Magenta pixels on the screen, in rows a step apart.
    int magenta()
    {
        if (!XShmGetImage(m_display, DefaultRootWindow(m_display), m_image, 0, 0, AllPlanes))
            return 0;
        int found = 0;
        for (int y = 0; y < screenSize.height(); y += rowStep) {
            // The screen is this benchmark's own, 24 bits deep: 32 bits a pixel.
            const auto* pixels =
                reinterpret_cast<const quint32*>(m_image->data + qsizetype(y) * m_image->bytes_per_line);
            for (int x = 0; x < screenSize.width(); ++x)
                found += isMagenta(pixels[x]) ? 1 : 0;
        }
        return found;
    }

private:
    Display* m_display;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_segment{};
    bool m_attached = false;
};

// Milliseconds from starting the program to its page on screen; nothing when it never shows.
std::optional<double> timeToPage(ScreenReader& screen, const QString& program, const QStringList& arguments,
                                 const QProcessEnvironment& environment, const QString& workingFolder)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(workingFolder);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    std::optional<double> shown;
    while (timer.elapsed() < giveUpMs && child.state() != QProcess::NotRunning) {
        if (screen.magenta() >= enoughMagenta) {
            shown = double(timer.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::msleep(pollMs);
    }
    child.terminate();
    if (!child.waitForFinished(5000)) {
        child.kill();
        child.waitForFinished(5000);
    }
    // The next round starts on an empty screen.
    while (screen.magenta() >= enoughMagenta && timer.elapsed() < giveUpMs * 2)
        QThread::msleep(10);
    return shown;
}

// The median time to the page on screen of each program run, rounds alternating between them.
struct Medians
{
    struct Run
    {
        QString label;
        QString program;
        QStringList arguments;
    };
    QList<Run> runs;
    QList<int> shown;
    QList<double> ms;

    // Each program's median on one line after the book's label; false, saying so, when one of
    // them never showed its page.
    bool print(const QString& book) const
    {
        for (qsizetype i = 0; i < runs.size(); ++i) {
            if (shown.at(i) == 0) {
                std::printf("%s: %s never showed a page\n", qPrintable(book), qPrintable(runs.at(i).label));
                return false;
            }
        }
        std::printf("%-6s", qPrintable(book));
        for (qsizetype i = 0; i < runs.size(); ++i)
            std::printf("   %s %7.1f", qPrintable(runs.at(i).label), ms.at(i));
        return true;
    }
};

Medians timeRounds(ScreenReader& screen, const QList<Medians::Run>& runs, int rounds,
                   const QProcessEnvironment& environment, const QString& workingFolder)
{
    QList<QList<double>> times(runs.size());
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype i = 0; i < runs.size(); ++i) {
            if (const auto ms =
                    timeToPage(screen, runs.at(i).program, runs.at(i).arguments, environment, workingFolder))
                times[i].append(*ms);
        }
    }
    Medians medians{runs, {}, {}};
    for (const QList<double>& each : times) {
        medians.shown.append(int(each.size()));
        medians.ms.append(each.isEmpty() ? 0.0 : median(each));
    }
    return medians;
}

} // namespace

int main(int argc, char* argv[])
{
    // The pages are drawn here without a screen; the programs timed get the X server.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;
    // Absolute: the programs timed start in a folder of their own.
    const QString program =
        QFileInfo(argc > 2 ? QString::fromLocal8Bit(argv[2])
                           : QCoreApplication::applicationDirPath() + QStringLiteral("/../ruvo"))
            .absoluteFilePath();
    if (!QFile::exists(program)) {
        std::printf("no viewer at %s\n", qPrintable(program));
        return 1;
    }
    if (!ruvo::bench::ensureInstalled({QStringLiteral("feh")}, {QStringLiteral("feh")})) {
        std::printf("feh is not there and could not be installed\n");
        return 1;
    }
    ruvo::bench::Xvfb x;
    // Closed after the screen reader is done with it, and before the server goes.
    const std::unique_ptr<Display, int (*)(Display*)> connection(
        x.start(screenSize) ? XOpenDisplay(x.name.constData()) : nullptr, XCloseDisplay);
    Display* const display = connection.get();
    if (!display) {
        std::printf("no X server could be started\n");
        return 1;
    }

    ScreenReader screen(display);
    if (!screen.isReady()) {
        std::printf("the X server's screen cannot be shared\n");
        return 1;
    }

    QTemporaryDir dir;
    std::printf("making the books...\n");
    std::fflush(stdout);
    // Both start in a folder without pictures, which the viewer would otherwise show first.
    const QString empty = dir.path() + QStringLiteral("/empty");
    QDir().mkpath(empty);
    // The viewer's window at 1200 x 900, and its settings nowhere else.
    const QString config = dir.path() + QStringLiteral("/config");
    QDir().mkpath(config + QStringLiteral("/Dudado"));
    QFile settings(config + QStringLiteral("/Dudado/Dudado.ini"));
    if (!settings.open(QIODevice::WriteOnly))
        return 1;
    settings.write(QStringLiteral("[startup]\nsizew=%1\nsizeh=%2\nbotan=0\n")
                       .arg(windowSize.width() * twipsPerPixel)
                       .arg(windowSize.height() * twipsPerPixel)
                       .toLatin1());
    settings.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(x.name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    SessionBus bus;
    if (!bus.start()) {
        std::printf("no session bus could be started\n");
        return 1;
    }
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address);
    const QString runtime = dir.path() + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);

    const QList<std::pair<QString, QSize>> books{{QStringLiteral("2 MP"), QSize(1200, 1600)},
                                                 {QStringLiteral("12 MP"), QSize(3000, 4000)}};
    std::printf("process start to the first page on screen, %d rounds, medians in ms (Xvfb %dx%d, "
                "window %dx%d):\n",
                rounds, screenSize.width(), screenSize.height(), windowSize.width(), windowSize.height());
    const QString feh = QStringLiteral("feh");
    const QStringList fehSize{QStringLiteral("-g"),
                              QStringLiteral("%1x%2").arg(windowSize.width()).arg(windowSize.height())};
    for (const auto& [label, size] : books) {
        const QString book = makeBook(dir.path() + u'/' + QString(label).remove(u' '), size, pagesPerBook);
        const QList<Medians::Run> runs{{QStringLiteral("this viewer (first spread)"), program, {book}},
                                       {QStringLiteral("feh (first page)"), feh,
                                        fehSize + QStringList{book + QStringLiteral("/p001.jpg")}}};
        const Medians medians = timeRounds(screen, runs, rounds, environment, empty);
        if (!medians.print(label))
            continue;
        std::printf("   ratio %.2f\n", medians.ms.at(0) / medians.ms.at(1));
        std::fflush(stdout);
    }
    // A comic sold as a PDF: the 2 MP pages, 300 of them, a JPEG each, made by img2pdf; beside
    // the PDF viewers opening it at its first page.
    if (!ensureInstalled({QStringLiteral("mupdf"), QStringLiteral("zathura"),
                          QStringLiteral("zathura-pdf-poppler"), QStringLiteral("img2pdf")},
                         {QStringLiteral("mupdf"), QStringLiteral("zathura"), QStringLiteral("img2pdf")})) {
        std::printf("mupdf, zathura or img2pdf is not there and could not be installed\n");
        return 1;
    }
    const QString pdf = makePdf(makeBook(dir.path() + QStringLiteral("/pdf"), QSize(1200, 1600), pagesPerPdf),
                                dir.path() + QStringLiteral("/book.pdf"));
    if (pdf.isEmpty()) {
        std::printf("img2pdf could not make the PDF\n");
        return 1;
    }
    const QList<Medians::Run> runs{
        {QStringLiteral("this viewer (first spread)"), program, {pdf}},
        {QStringLiteral("mupdf (first page)"), QStringLiteral("mupdf"), {pdf}},
        {QStringLiteral("zathura (first page)"), QStringLiteral("zathura"), {pdf}}};
    const Medians medians = timeRounds(screen, runs, rounds, environment, empty);
    if (medians.print(QStringLiteral("PDF of %1 2 MP pages").arg(pagesPerPdf)))
        std::printf("\n   mupdf's + 100 ms: %.1f\n", medians.ms.at(1) + 100);
    return 0;
}
