#pragma once

#include <QDialog>
#include <QHash>
#include <QList>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QStatusBar;
class QToolBar;

namespace ruvo {

class Form6;
class ShelfCanvas;

// The bookshelf window on screen: shows Form6's controls and forwards the
// user's events to it.
class BookshelfWindow : public QDialog
{
    Q_OBJECT

public:
    explicit BookshelfWindow(Form6& logic, QWidget* parent = nullptr);

    // Loads the shelf and shows the window at its stored size and state.
    void loadAndShow();
    // Loads, shows and waits until the window has closed.
    int run();

    ShelfCanvas* canvas() const { return m_canvas; }

public Q_SLOTS:
    void syncFromLogic();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildStatusBar();
    void buildPopupMenu();
    void showPopupMenu();
    void pushGeometryToLogic();
    void layOut();
    void syncRenameBox();
    // Runs the logic's unloading unless it already ran.
    void unload();

    Form6& m_logic;
    QToolBar* m_toolbar = nullptr;
    QHash<int, QAction*> m_buttons; // by 1-based button index
    QLabel* m_folderBar = nullptr;
    QWidget* m_viewport = nullptr;
    ShelfCanvas* m_canvas = nullptr;
    QLineEdit* m_renameBox = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QList<QLabel*> m_panels;
    QMenu* m_popup = nullptr;
    QHash<QString, QAction*> m_menuActions;
    bool m_loaded = false;
    bool m_laying = false;
};

} // namespace ruvo
