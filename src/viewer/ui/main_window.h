#pragma once

#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QSlider;
class QToolBar;

namespace ruvo {

class Form1;
class ViewingArea;

// The main viewer window on screen: shows Form1's controls and forwards the
// user's events to it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(Form1& logic, QWidget* parent = nullptr);

    // Sizes and shows the window as the logic restored it.
    void showRestored();

public Q_SLOTS:
    void syncFromLogic();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildToolbar();
    void buildStatusBar();
    void pushGeometryToLogic();
    // Hands the window's size and its bars' heights to the logic and lays it out.
    void layOut();

    Form1& m_logic;
    ViewingArea* m_viewingArea = nullptr;
    QToolBar* m_toolbar = nullptr;
    QList<QAction*> m_buttons; // by 0-based button index; null for separators and gaps
    QSlider* m_slider = nullptr;
    QLabel* m_sliderLabel = nullptr;
    QList<QLabel*> m_panels;
};

} // namespace ruvo
