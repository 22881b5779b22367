#pragma once

#include "platform/modal_window_service.h"

#include <QHash>
#include <functional>

namespace ruvo {

// Shows windows through the functions the application registers for them by
// name (each function knows whether its window waits); a name nobody
// registered is reported as a fault and shows nothing.
class CallbackModalWindowService : public ModalWindowService
{
public:
    void registerWindow(const QString& windowName, std::function<void()> show);
    bool isRegistered(const QString& windowName) const { return m_windows.contains(windowName); }
    void showModal(const QString& windowName) override;
    void showModeless(const QString& windowName) override;

private:
    QHash<QString, std::function<void()>> m_windows;
};

} // namespace ruvo
