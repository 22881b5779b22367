#pragma once

#include "platform/modal_window_service.h"

#include <QHash>
#include <QStringList>
#include <functional>

namespace ruvo::test {

// Records which windows were shown modally and runs the scripted interaction
// registered for a window, if any, in place of a modal loop.
class FakeModalWindows : public ModalWindowService
{
public:
    void showModal(const QString& windowName) override
    {
        shown.append(windowName);
        if (const auto it = interactions.constFind(windowName); it != interactions.cend() && *it)
            (*it)();
    }

    void showModeless(const QString& windowName) override { shownModeless.append(windowName); }

    QStringList shown;
    QStringList shownModeless;
    QHash<QString, std::function<void()>> interactions;
};

} // namespace ruvo::test
