#pragma once

#include "windows/help_text.h"

#include <QDialog>

namespace ruvo {

// The help: what opens as a book, the keys and the mouse, and where the files are kept.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(const HelpPlaces& places, QWidget* parent = nullptr);
};

} // namespace ruvo
