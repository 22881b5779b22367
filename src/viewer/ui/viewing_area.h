#pragma once

#include "viewer/ui/adjusted_pictures.h"

#include <QImage>
#include <QWidget>

namespace ruvo {

class Form1;
struct Surface;

// The main window's viewing area: draws the display surfaces from their twip
// geometry, clipped to the area itself, and hands mouse presses on them to the
// window's logic in twips relative to the surface pressed.
class ViewingArea : public QWidget
{
    Q_OBJECT

public:
    explicit ViewingArea(Form1& logic, QWidget* parent = nullptr);

    // The logic's surfaces changed: drawn when the event loop comes to it, or before.
    void surfacesChanged();
    // Draws now what surfacesChanged() left to draw, if anything.
    void drawChanges();
    // How often the area has been drawn.
    quint64 paints() const { return m_paints; }

Q_SIGNALS:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // A stretched page scaled once for its size, not on every repaint.
    struct ScaledPicture
    {
        qint64 key = 0;
        QSize size;
        QImage image;
    };
    enum class PagePressed
    {
        None,
        First,
        Second
    };

    // Whether a stretched page's scaled image is out of date; one that is not shown is
    // forgotten.
    bool needsScaling(const Surface& surface, ScaledPicture& cache) const;
    void drawStretchedPages(QPainter& painter);
    void drawCanvas(QPainter& painter);
    // What the area says while it shows no page, over the colour given (as the logic keeps it).
    void drawEmptyAreaText(QPainter& painter, int backColor);
    // Draws a page at actual size where it lies.
    void drawPage(QPainter& painter, const Surface& page);
    // Where a page image lies in the area, in pixels.
    QRect pageRect(const Surface& page) const;
    QPointF twipsInside(const QRect& rect, QPointF position) const;

    Form1& m_logic;
    ScaledPicture m_scaled1;
    ScaledPicture m_scaled2;
    AdjustedPictures m_adjusted;
    PagePressed m_pressed = PagePressed::None;
    bool m_changesToDraw = false;
    quint64 m_paints = 0;
};

} // namespace ruvo
