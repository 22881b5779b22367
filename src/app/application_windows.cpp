#include "app/application_windows.h"

#include "bookshelf/ui/bookshelf_windows.h"
#include "bookshelf/ui/register_windows.h"
#include "browse/form2.h"
#include "browse/ui/folder_chooser_windows.h"
#include "platform/callback_modal_window_service.h"
#include "platform/delays.h"
#include "platform/platform.h"
#include "platform/shell_service.h"
#include "platform/ui/widget_message_box_service.h"
#include "platform/ui/window_busy_pointer.h"
#include "viewer/form1.h"
#include "viewer/ui/viewer_windows.h"

namespace ruvo {

ApplicationWindows::ApplicationWindows(const Platform& platform, const Services& services, ViewerState& state,
                                       Form1& form1, Form2& form2)
    : m_mainWindow(form1, services.delays), m_browser(form2, &m_mainWindow)
{
    services.messages.setParentWindow(&m_mainWindow);
    services.pointer.setWindow(&m_mainWindow);
    registerViewerWindows(services.windows, m_browser, services.shell, services.messages, services.delays,
                          state, &m_mainWindow);
    registerBookshelfWindow(services.windows, platform, state, form1, &m_mainWindow);
    registerRegisterWindows(services.windows, platform, state, &m_mainWindow);
    registerFolderChooser(services.windows, platform, state, &m_mainWindow);
}

} // namespace ruvo
