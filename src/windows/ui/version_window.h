#pragma once

#include <QDialog>

namespace ruvo {

class ShellService;

// The version window: the program's name and version, a notice, and the
// author's page, which a click opens in the browser.
class VersionWindow : public QDialog
{
    Q_OBJECT

public:
    VersionWindow(ShellService& shell, QWidget* parent = nullptr);
};

} // namespace ruvo
