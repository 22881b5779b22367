#pragma once

#include <QString>

namespace ruvo {

// Shows the program's secondary windows by name ("Form2", "Form6", ...):
// modally, returning when the window has closed, or without waiting.
class ModalWindowService
{
public:
    virtual ~ModalWindowService() = default;
    virtual void showModal(const QString& windowName) = 0;
    virtual void showModeless(const QString& windowName) = 0;
};

} // namespace ruvo
