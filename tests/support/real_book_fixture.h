#pragma once

#include "books/books.h"
#include "browse/form2.h"
#include "imaging/file_picture_decoder.h"
#include "session/viewer_state.h"
#include "support/test_platform.h"
#include "viewer/form1.h"

namespace ruvo::test {

// The main window's logic over the real files and the real decoder, which reads pages
// inside archives too.
struct RealBookFixture
{
    TestPlatform fakes;
    FilePictureDecoder decoder;
    FakePageCache pages{decoder};
    Platform platform{fakes.messages, fakes.modal, fakes.files, fakes.settings, fakes.process, fakes.random,
                      fakes.shell,    fakes.books, decoder,     pages,          fakes.delays,  fakes.pointer};
    ViewerState state;
    Form2 browser{platform};
    Form1 form{platform, state, browser};

    // The program started with that command line in that folder.
    explicit RealBookFixture(const QString& commandLine = {}, const QString& currentFolder = {})
    {
        fakes.process.commandLineText = commandLine;
        fakes.process.current = currentFolder;
        browser.setBookOpener(&form);
        form.Form_Load();
        WindowState& window = form.controls().window;
        window.width = window.scaleWidth = 12000;
        window.height = window.scaleHeight = 8000;
        form.Form_Resize();
    }

    // The book or page at path opened as the command line or a drop opens one.
    void open(const QString& path)
    {
        form.controls().list1 = QStringList{path};
        form.dP();
    }
};

} // namespace ruvo::test
