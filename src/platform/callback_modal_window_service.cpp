#include "platform/callback_modal_window_service.h"

#include "common/unknown_name.h"

namespace ruvo {

void CallbackModalWindowService::registerWindow(const QString& windowName, std::function<void()> show)
{
    m_windows.insert(windowName, std::move(show));
}

void CallbackModalWindowService::showModal(const QString& windowName)
{
    const auto it = m_windows.constFind(windowName);
    if (it == m_windows.cend()) {
        reportUnknownName("window", windowName);
        return;
    }
    if (*it)
        (*it)();
}

void CallbackModalWindowService::showModeless(const QString& windowName)
{
    showModal(windowName);
}

} // namespace ruvo
