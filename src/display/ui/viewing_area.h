#pragma once

#include <QImage>
#include <QWidget>

namespace ruvo {

class Form1Controls;
struct Surface;

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
    // A stretched page scaled once for its size, not on every repaint.
    struct ScaledPicture
    {
        qint64 key = 0;
        QSize size;
        QImage image;
    };
    void drawStretched(QPainter& painter, const Surface& surface, ScaledPicture& cache);

    const Form1Controls& m_controls;
    ScaledPicture m_scaled1;
    ScaledPicture m_scaled2;
};

} // namespace ruvo
