#pragma once

#include <QWidget>

namespace ruvo {

class Form1Controls;

// The main window's viewing area: draws the display surfaces from their twip
// geometry, clipped to the area itself.
class ViewingArea : public QWidget
{
    Q_OBJECT

public:
    explicit ViewingArea(const Form1Controls& controls, QWidget* parent = nullptr);

Q_SIGNALS:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const Form1Controls& m_controls;
};

} // namespace ruvo
