#include "bookshelf/ui/bookshelf_windows.h"

#include "bookshelf/form6.h"
#include "bookshelf/ui/bookshelf_window.h"
#include "commands/control_names.h"
#include "platform/callback_modal_window_service.h"

#include <QPointer>

namespace ruvo {

using namespace Qt::StringLiterals;

void registerBookshelfWindow(CallbackModalWindowService& windows, Platform platform, ViewerState& state,
                             BookOpener& opener, QWidget* mainWindow)
{
    QPointer<QWidget> main(mainWindow);
    windows.registerWindow(WindowName::bookshelf, [platform, &state, &opener, main] {
        // Reopening in a loop rather than from inside the closing window keeps
        // one window, and one logic, alive at a time.
        for (;;) {
            Form6 logic(platform, state, opener);
            BookshelfWindow window(logic, main);
            window.run();
            if (!logic.reopenRequested())
                return;
        }
    });
}

} // namespace ruvo
