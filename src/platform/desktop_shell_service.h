#pragma once

#include "platform/shell_service.h"

namespace ruvo {

// Hands folders and web addresses to the desktop (its file manager and browser).
class DesktopShellService : public ShellService
{
public:
    bool showFolder(const QString& folder) override;
    bool open(const QString& target) override;
};

} // namespace ruvo
