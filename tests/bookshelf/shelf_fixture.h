#pragma once

#include "bookshelf/form6.h"
#include "bookshelf/shelf_file.h"
#include "support/viewer_fixture.h"

#include <QSignalSpy>
#include <memory>

namespace ruvo::test {

// A bookshelf window's logic over fake services and a shelf folder of real
// files: books of one page each, their thumbnails as empty files (the fake
// decoder makes their pictures up), and a main window to open books in.
struct ShelfFixture
{
    // The viewport the tests lay the shelf out in: four cells a row.
    static constexpr int viewportWidth = 580;
    static constexpr int viewportHeight = 333;
    static constexpr int toolbarHeight = 30;
    static constexpr int statusBarHeight = 20;
    static constexpr int scrollBarWidth = 17;
    static constexpr int folderBarHeight = 17;

    ViewerFixture viewer;
    QString shelf;
    QString program;
    std::unique_ptr<Form6> form;
    std::unique_ptr<QSignalSpy> closeRequests;
    std::unique_ptr<QSignalSpy> popupRequests;
    // File services the window uses in place of the fixture's own, when set.
    FileServices* files = nullptr;

    ShelfFixture()
    {
        shelf = viewer.dir.path() + QStringLiteral("/shelf");
        program = viewer.dir.path() + QStringLiteral("/program");
        QDir().mkpath(shelf);
        QDir().mkpath(program);
        viewer.state.programFolder = program;
    }

    TestPlatform& platform() { return viewer.platform; }
    FakeMessageBoxes& messages() { return viewer.platform.messages; }

    // Books "Book 1" ... "Book n" (or the given titles), each a real page file
    // with its thumbnail "<i-1>ruv.bmp".
    QList<ShelfEntry> makeShelf(const QStringList& titles)
    {
        QList<ShelfEntry> entries;
        for (int i = 0; i < titles.size(); ++i) {
            const QString book = viewer.makeBook(1, QStringLiteral("book%1").arg(i + 1));
            const QString thumbnail = QStringLiteral("%1ruv.bmp").arg(i);
            ViewerFixture::touch(shelf + QLatin1Char('/') + thumbnail);
            entries.append({QStringLiteral("VOL%1").arg(i + 1), book + QStringLiteral("/p1.jpg"),
                            titles.at(i), thumbnail});
        }
        writeShelfFile(viewer.platform.files, shelf, entries);
        return entries;
    }

    QList<ShelfEntry> makeShelf(int count)
    {
        QStringList titles;
        for (int i = 1; i <= count; ++i)
            titles.append(QStringLiteral("Book %1").arg(i));
        return makeShelf(titles);
    }

    // Opens the window on the shelf folder and lays it out.
    Form6& open(int width = viewportWidth, int height = viewportHeight)
    {
        create();
        form->Form_Load();
        resize(width, height);
        return *form;
    }

    // Makes the window's logic for the shelf folder, not yet loaded.
    Form6& create()
    {
        viewer.state.shelfFolder = shelf;
        TestPlatform& p = viewer.platform;
        const Platform platform =
            files ? Platform{p.messages, p.modal, *files,     p.settings, p.process, p.random,
                             p.shell,    p.books, p.pictures, p.pages,    p.delays,  p.pointer}
                  : p.platform();
        form = std::make_unique<Form6>(platform, viewer.state, viewer.form);
        closeRequests = std::make_unique<QSignalSpy>(form.get(), &Form6::closeRequested);
        popupRequests = std::make_unique<QSignalSpy>(form.get(), &Form6::popupMenuRequested);
        return *form;
    }

    // Gives the window an inner size whose viewport is width x height pixels.
    void resize(int width, int height)
    {
        Form6Controls& controls = form->controls();
        controls.toolbarHeight = toolbarHeight;
        controls.statusBarHeight = statusBarHeight;
        controls.scrollBarWidth = scrollBarWidth;
        controls.window.scaleWidth = width + scrollBarWidth;
        controls.window.scaleHeight = height + toolbarHeight + statusBarHeight + folderBarHeight;
        form->Form_Resize();
    }

    QByteArray shelfBytes() const
    {
        QFile file(shelf + QStringLiteral("/Hondana.ruv"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool thumbnailExists(const QString& name) const { return QFile::exists(shelf + QLatin1Char('/') + name); }
    QStringList titles() const
    {
        QStringList result;
        for (const ShelfEntry& entry : form->entries())
            result.append(entry.title);
        return result;
    }
    // The colour the fake decoder gives a thumbnail.
    static QColor colorOf(const QString& name) { return FakePictureDecoder::colorOf(name); }
    QColor iconColor(int index) const { return form->controls().icons.at(index).picture.pixelColor(0, 0); }
    int messageCount(const QString& title) const
    {
        int count = 0;
        for (const FakeMessageBoxes::Shown& shown : viewer.platform.messages.shown)
            count += shown.title == title ? 1 : 0;
        return count;
    }
};

} // namespace ruvo::test
