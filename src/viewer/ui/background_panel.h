#pragma once

#include <QWidget>

namespace ruvo {

class Form1;

// The background colour panel over the viewing area: a palette of swatches, a
// random colour, OK and cancel. Its own background shows the colour under
// consideration.
class BackgroundPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BackgroundPanel(Form1& logic, QWidget* parent = nullptr);

    // Follows the panel's place, visibility and colour in the logic.
    void syncFromLogic();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Form1& m_logic;
};

} // namespace ruvo
