#include "platform/ui/window_busy_pointer.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace ruvo {

void WindowBusyPointer::setBusy()
{
    if (++m_depth > 1 || !m_window)
        return;
    m_window->setCursor(Qt::BusyCursor);
    // The command runs without returning to the event loop: make sure the
    // window system has the new pointer before it starts. A window not yet on
    // screen takes it when it gets there; waiting on the window system for it
    // would only draw the window before the command has filled it.
    const QWindow* handle = m_window->windowHandle();
    if (handle && handle->isExposed())
        QGuiApplication::sync();
}

void WindowBusyPointer::restore()
{
    if (m_depth == 0 || --m_depth > 0 || !m_window)
        return;
    m_window->unsetCursor();
}

} // namespace ruvo
