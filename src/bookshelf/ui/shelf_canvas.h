#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>

namespace ruvo {

class Form6;

// The bookshelf's scrolling canvas: paints the icons, the titles and the
// selection frame from the logic's controls, and forwards the mouse to it.
class ShelfCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit ShelfCanvas(Form6& logic, QWidget* parent = nullptr);

    // The index of the icon whose image (or, with titlesToo, title) holds the point; -1 for none.
    int iconAt(QPoint point, bool titlesToo) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    const QPixmap& thumbnail(const QImage& picture);

    Form6& m_logic;
    // Thumbnails scaled to the icon size once, by their picture.
    QHash<qint64, QPixmap> m_thumbnails;
    int m_pressedImage = -1;
};

} // namespace ruvo
