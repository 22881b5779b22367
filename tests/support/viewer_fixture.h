#pragma once

#include "browse/form2.h"
#include "commands/control_names.h"
#include "support/archive_fixtures.h"
#include "support/file_bytes.h"
#include "support/test_platform.h"
#include "support/view_modes.h"
#include "viewer/form1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace ruvo::test {

// A main window's logic over fake services, with books made of empty files in
// a temporary folder (the fake decoder makes their pictures up).
struct ViewerFixture
{
    TestPlatform platform;
    ViewerState state;
    Form2 browser{platform.platform()};
    Form1 form{platform.platform(), state, browser};
    QTemporaryDir dir;

    // Loads the window as start-up does (in a folder without pages) unless told
    // not to, and makes the viewing area 12000 x 8000 twips.
    explicit ViewerFixture(bool load = true)
    {
        browser.setBookOpener(&form);
        if (load)
            form.Form_Load();
        setArea(12000, 8000);
    }

    // Sizes the window so that the viewing area is width x height twips.
    void setArea(int width, int height)
    {
        WindowState& window = form.controls().window;
        window.width = window.scaleWidth = width;
        window.height = window.scaleHeight = height;
        form.Form_Resize();
    }

    // A folder of pages "p1.jpg" ... "pN.jpg" (names sort as numbers up to 9;
    // larger books use two digits).
    QString makeBook(int pages, const QString& name = QStringLiteral("book"))
    {
        const QString folder = dir.path() + QLatin1Char('/') + name;
        QDir().mkpath(folder);
        for (int i = 1; i <= pages; ++i)
            touch(folder + QLatin1Char('/') + pageName(i, pages));
        return folder;
    }

    // A book of pages from a pattern, P a page, W a page wider than it is tall; every page is a
    // real picture, so that its shape is read from its header.
    QString makeShapedBook(const QString& pattern, const QString& name = QStringLiteral("book"))
    {
        const QString book = makeBook(int(pattern.size()), name);
        for (int i = 0; i < pattern.size(); ++i) {
            const QSize size = pattern.at(i) == QLatin1Char('W') ? QSize(120, 85) : QSize(60, 85);
            putFileBytes(book + QLatin1Char('/') + pageName(i + 1, int(pattern.size())),
                         pagePicture(Qt::gray, "JPEG", size));
        }
        return book;
    }

    static QString pageName(int number, int pages)
    {
        return pages < 10 ? QStringLiteral("p%1.jpg").arg(number)
                          : QStringLiteral("p%1.jpg").arg(number, 2, 10, QLatin1Char('0'));
    }

    static void touch(const QString& path)
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
    }

    void open(const QString& path)
    {
        form.controls().list1 = QStringList{path};
        form.dP();
    }

    QString panel(int number) const { return form.controls().statusBar.panel(number); }
    int index() const { return state.pageIndex; }
    // What is on screen, as a reader names the pages from 1: "1-2" for a spread, "3" alone.
    QString shownPages() const
    {
        return form.fields().spreadShown ? QStringLiteral("%1-%2").arg(index()).arg(index() + 1)
                                         : QString::number(index() + 1);
    }
    bool nextEnabled() const { return form.controls().menu(MenuItem::nextPage).enabled; }
    bool previousEnabled() const { return form.controls().menu(MenuItem::previousPage).enabled; }
    void setOnePageMode(bool on) { setOnePage(form, on); }
    // The colour the fake decoder gives a page's picture.
    static QColor colorOf(const QString& name) { return FakePictureDecoder::colorOf(name); }
    QColor shownColor(const Surface& surface) const
    {
        return surface.picture.isNull() ? QColor() : surface.picture.pixelColor(0, 0);
    }
};

} // namespace ruvo::test
