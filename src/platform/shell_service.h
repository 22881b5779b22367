#pragma once

#include <QString>

namespace ruvo {

class ShellService
{
public:
    virtual ~ShellService() = default;
    // Opens a folder in the desktop's file manager without waiting for it.
    virtual bool showFolder(const QString& folder) = 0;
    // Asks the desktop to open a document or web address.
    virtual bool open(const QString& target) = 0;
};

} // namespace ruvo
