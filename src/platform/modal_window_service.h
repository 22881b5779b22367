#pragma once

#include <QString>

namespace ruvo {

// Shows one of the program's windows modally, by its name ("Form2", "Form6", ...),
// and returns when it has been closed.
class ModalWindowService
{
public:
    virtual ~ModalWindowService() = default;
    virtual void showModal(const QString& windowName) = 0;
};

} // namespace ruvo
