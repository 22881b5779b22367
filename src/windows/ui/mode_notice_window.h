#pragma once

#include <QDialog>

namespace ruvo {

// The half-second notice shown while the display switches between one page
// and two; it closes itself.
class ModeNoticeWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        OnePage,
        TwoPages
    };

    ModeNoticeWindow(Mode mode, int closeAfterMs, QWidget* parent = nullptr);

    static QString caption();
    static QString text(Mode mode);
};

} // namespace ruvo
