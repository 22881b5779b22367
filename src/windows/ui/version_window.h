#pragma once

#include <QDialog>

namespace ruvo {

class MessageBoxService;
class ShellService;

// The version window: the program's name and version, a notice, and the README installed
// with the program, which a click opens on the desktop (a link only where there is one).
class VersionWindow : public QDialog
{
    Q_OBJECT

public:
    VersionWindow(ShellService& shell, MessageBoxService& messages, const QString& address,
                  QWidget* parent = nullptr);
};

} // namespace ruvo
