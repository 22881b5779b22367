#pragma once

#include "books/books.h"
#include "platform/delays.h"
#include "platform/platform.h"
#include "session/settings_store.h"
#include "support/fake_busy_pointer.h"
#include "support/fake_message_boxes.h"
#include "support/fake_modal_windows.h"
#include "support/fake_page_cache.h"
#include "support/fake_picture_decoder.h"
#include "support/fake_process.h"
#include "support/fake_random.h"
#include "support/fake_settings.h"
#include "support/fake_shell.h"
#include "support/scripted_file_services.h"

namespace ruvo::test {

// Every platform service as a fake, with delays of zero.
struct TestPlatform
{
    FakeMessageBoxes messages;
    FakeModalWindows modal;
    ScriptedFileServices files;
    FakeSettings settings;
    FakeProcess process;
    FakeRandom random;
    FakeShell shell;
    Books books{files};
    FakePictureDecoder pictures;
    FakePageCache pages{pictures};
    Delays delays{0, 0, 0, 0, 0};
    FakeBusyPointer pointer;

    // Two-page reading pairs every page, whatever its shape, and a book opens at its start,
    // unless a test turns wide pages alone or resuming on.
    TestPlatform()
    {
        for (const SettingKey& key : {Setting::widePagesAlone, Setting::resumeBooks})
            settings.values.insert(FakeSettings::path(QLatin1String(key.application),
                                                      QLatin1String(key.section), QLatin1String(key.name)),
                                   QStringLiteral("0"));
    }

    Platform platform()
    {
        return Platform{messages, modal, files,    settings, process, random,
                        shell,    books, pictures, pages,    delays,  pointer};
    }
};

} // namespace ruvo::test
