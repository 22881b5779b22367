#pragma once

#include "imaging/picture_formats.h"

#include <QDialog>

namespace ruvo {

// Lists what may be dropped on the main window; closes itself after a while.
class DropHelpWindow : public QDialog
{
    Q_OBJECT

public:
    DropHelpWindow(PageFormats formats, int closeAfterMs, QWidget* parent = nullptr);
};

} // namespace ruvo
