#pragma once

#include <QDialog>

namespace ruvo {

// Lists what may be dropped on the main window; closes itself after a while.
class DropHelpWindow : public QDialog
{
    Q_OBJECT

public:
    DropHelpWindow(int closeAfterMs, QWidget* parent = nullptr);
};

} // namespace ruvo
