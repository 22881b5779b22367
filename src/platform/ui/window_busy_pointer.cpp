#include "platform/ui/window_busy_pointer.h"

#include <QGuiApplication>
#include <QWidget>

namespace ruvo {

void WindowBusyPointer::setBusy()
{
    if (++m_depth > 1 || !m_window)
        return;
    m_window->setCursor(Qt::BusyCursor);
    // The command runs without returning to the event loop: make sure the
    // window system has the new pointer before it starts.
    QGuiApplication::sync();
}

void WindowBusyPointer::restore()
{
    if (m_depth == 0 || --m_depth > 0 || !m_window)
        return;
    m_window->unsetCursor();
}

} // namespace ruvo
