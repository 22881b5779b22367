#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QSlider;
class QTimer;
class QToolBar;

namespace ruvo {

class BackgroundPanel;
class Form1;
class ViewingArea;
struct Delays;

// The main viewer window on screen: shows Form1's controls and forwards the
// user's events to it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Form1& logic, const Delays& delays, QWidget* parent = nullptr);

    // Sizes and shows the window as the logic restored it.
    void showRestored();
    // Makes the window's drawing surface, at the size the settings will give the window,
    // and fills it once: the first drawing of a new surface otherwise waits for the system
    // to hand its memory over a page at a time. For the time before the window opens.
    void prepareSurface();

public Q_SLOTS:
    void syncFromLogic();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildToolbar();
    void buildSlider(QWidget* gap);
    void switchFullScreen(bool on);
    void buildStatusBar();
    void buildPopupMenu();
    void showPopupMenu();
    void syncTimers();
    // The status bar's texts, drawn at once.
    void showStatus();
    void pushGeometryToLogic();
    // Hands the window's size and its bars' heights to the logic and lays it out.
    void layOut();
    // The recent-books submenu, filled afresh each time it opens.
    void fillRecentBooks(QMenu& menu);

    Form1& m_logic;
    const Delays& m_delays;
    ViewingArea* m_viewingArea = nullptr;
    BackgroundPanel* m_backgroundPanel = nullptr;
    QToolBar* m_toolbar = nullptr;
    QList<QAction*> m_buttons; // by 0-based button index; null for separators and gaps
    QSlider* m_slider = nullptr;
    QLabel* m_sliderLabel = nullptr;
    QList<QLabel*> m_panels;
    // The program's own notice, after the three panels.
    QLabel* m_notice = nullptr;
    QMenu* m_popup = nullptr;
    QHash<QString, QAction*> m_menuActions;
    QTimer* m_scrollTimer = nullptr;
    QTimer* m_panTimer = nullptr;
    // Whether the window was maximised when it went full screen, to come back to.
    bool m_maximizedBeforeFullScreen = false;
};

} // namespace ruvo
