#pragma once

#include "platform/busy_pointer_service.h"

#include <QPointer>

class QWidget;

namespace ruvo {

// The busy pointer on one window (the main window, once it is made). Only
// that window shows it: a message box or another window that a command opens
// keeps its own pointer while the user works in it.
class WindowBusyPointer : public BusyPointerService
{
public:
    void setWindow(QWidget* window) { m_window = window; }
    void setBusy() override;
    void restore() override;

private:
    QPointer<QWidget> m_window;
    int m_depth = 0;
};

} // namespace ruvo
