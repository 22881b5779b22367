#include "viewer/ui/main_window.h"

#include "commands/key_map.h"
#include "commands/menu_table.h"
#include "commands/toolbar_table.h"
#include "commands/ui/control_actions.h"
#include "common/twips.h"
#include "platform/delays.h"
#include "platform/ui/dropped_files.h"
#include "platform/ui/named_font.h"
#include "platform/ui/window_show_state.h"
#include "viewer/form1.h"
#include "viewer/ui/background_panel.h"
#include "viewer/ui/viewing_area.h"

#include <QAction>
#include <QBackingStore>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace ruvo {

using namespace Qt::StringLiterals;

MainWindow::MainWindow(Form1& logic, const Delays& delays, QWidget* parent)
    : QMainWindow(parent), m_logic(logic), m_delays(delays)
{
    setAcceptDrops(true);
    m_viewingArea = new ViewingArea(logic, this);
    setCentralWidget(m_viewingArea);
    m_backgroundPanel = new BackgroundPanel(logic, m_viewingArea);
    buildToolbar();
    buildStatusBar();
    buildPopupMenu();
    m_scrollTimer = new QTimer(this);
    m_panTimer = new QTimer(this);
    connect(m_scrollTimer, &QTimer::timeout, this, [this] { m_logic.Timer1_Timer(); });
    connect(m_panTimer, &QTimer::timeout, this, [this] { m_logic.Timer2_Timer(); });
    connect(m_viewingArea, &ViewingArea::resized, this, &MainWindow::layOut);
    connect(&m_logic, &Form1::changed, this, &MainWindow::syncFromLogic);
    connect(&m_logic, &Form1::drawNow, m_viewingArea, &ViewingArea::drawChanges);
    connect(&m_logic, &Form1::statusChanged, this, &MainWindow::showStatus);
    connect(&m_logic, &Form1::popupMenuRequested, this, &MainWindow::showPopupMenu);
    // The logic lays out the viewing area while it loads, before the window shows.
    m_logic.controls().toolbarHeight = toTwips(m_toolbar->sizeHint().height());
    m_logic.controls().statusBarHeight = toTwips(statusBar()->sizeHint().height());
    m_viewingArea->setFocus();
    syncFromLogic();
}

void MainWindow::buildToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    // Small icons keep the whole row, slider gap included, within the window's
    // default width of 640 pixels; the icons are drawn from SVG at any scale.
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    for (const ToolbarButton& spec : toolbarTable()) {
        const AddedToolbarRow added = addToolbarRow(*m_toolbar, spec);
        if (added.action) {
            connect(added.action, &QAction::triggered, this,
                    [this, index = spec.index] { m_logic.Toolbar1_ButtonClick(index); });
        }
        if (spec.kind == ToolbarButtonKind::SliderPlaceholder)
            buildSlider(added.gap);
        m_buttons.append(added.action);
    }
}

void MainWindow::buildSlider(QWidget* gap)
{
    auto* layout = new QHBoxLayout(gap);
    layout->setContentsMargins(4, 0, 4, 0);
    m_slider = new QSlider(Qt::Horizontal, gap);
    m_slider->setFocusPolicy(Qt::NoFocus);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setToolTip(u"スクロール速度"_s);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (value != m_logic.controls().slider1.value)
            m_logic.Slider1_Scroll(value);
    });
    m_sliderLabel = new QLabel(gap);
    m_sliderLabel->setMinimumWidth(28);
    m_sliderLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_slider);
    layout->addWidget(m_sliderLabel);
}

void MainWindow::buildStatusBar()
{
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(statusBar());
        // Panels show file names, which are never markup.
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(80);
        statusBar()->addWidget(panel, i == 0 ? 0 : 1);
        m_panels.append(panel);
    }
    m_notice = new QLabel(statusBar());
    m_notice->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(m_notice);
}

void MainWindow::buildPopupMenu()
{
    QHash<QString, QMenu*> menus;
    m_popup = new QMenu(this);
    menus.insert(MenuItem::popup, m_popup);
    for (const MenuItemState& item : menuTable()) {
        QMenu* parentMenu = menus.value(item.parent);
        if (!parentMenu)
            continue;
        QAction* action = nullptr;
        if (item.isSeparator()) {
            action = parentMenu->addSeparator();
        } else if (opensSubmenu(item.name)) {
            QMenu* submenu = parentMenu->addMenu(item.caption);
            menus.insert(item.name, submenu);
            if (item.name == MenuItem::recentBooks)
                connect(submenu, &QMenu::aboutToShow, this, [this, submenu] { fillRecentBooks(*submenu); });
            action = submenu->menuAction();
        } else {
            action = parentMenu->addAction(item.caption);
            action->setCheckable(item.checkable);
            connect(action, &QAction::triggered, this, [this, name = item.name] { m_logic.menuClick(name); });
        }
        m_menuActions.insert(item.name, action);
    }
}

void MainWindow::fillRecentBooks(QMenu& menu)
{
    menu.clear();
    const QList<RecentBook> books = m_logic.recentBooks();
    if (books.isEmpty()) {
        menu.addAction(u"（なし）"_s)->setEnabled(false);
        return;
    }
    for (const RecentBook& book : books) {
        // A name is never a mnemonic: its ampersands are its own.
        QAction* const action = menu.addAction(QString(book.label).replace(u'&', u"&&"_s));
        connect(action, &QAction::triggered, this,
                [this, path = book.path] { m_logic.openRecentBook(path); });
    }
}

void MainWindow::showPopupMenu()
{
    syncFromLogic();
    m_popup->popup(QCursor::pos());
}

void MainWindow::syncFromLogic()
{
    const Form1Controls& controls = m_logic.controls();
    setWindowTitle(controls.window.caption);
    if (controls.fullScreen != isFullScreen())
        switchFullScreen(controls.fullScreen);

    m_toolbar->setVisible(controls.toolbarShown());
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (QAction* action = m_buttons.at(i))
            applyState(*action, controls.button(i + 1));
    }
    for (auto it = m_menuActions.cbegin(); it != m_menuActions.cend(); ++it)
        applyState(*it.value(), controls.menu(it.key()));
    const SliderState& slider = controls.slider1;
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(slider.minimum, slider.maximum);
        m_slider->setSingleStep(slider.smallChange);
        m_slider->setPageStep(slider.largeChange);
        m_slider->setTickInterval(slider.tickFrequency);
        m_slider->setValue(slider.value);
    }
    m_sliderLabel->setText(controls.label1);

    statusBar()->setVisible(controls.statusBarShown());
    const quint64 paintsBefore = m_viewingArea->paints();
    showStatus();
    m_backgroundPanel->syncFromLogic();
    syncTimers();
    // Drawing the status bar draws whatever else of the window waited to be drawn; a
    // viewing area drawn just now shows the logic as it is.
    if (m_viewingArea->paints() == paintsBefore)
        m_viewingArea->surfacesChanged();
}

void MainWindow::showStatus()
{
    const Form1Controls& controls = m_logic.controls();
    const QString statusFamily = controls.fontNames.value(ViewerControl::statusBar);
    bool statusChanged = false;
    // Two pages left to right, the pages' names stand as the pages do: the earlier one's on the left.
    const ViewMode& mode = m_logic.viewMode();
    const bool namesTurned = mode.direction == ReadingDirection::LeftToRight && !mode.onePage;
    for (int i = 0; i < m_panels.size(); ++i) {
        const int number = namesTurned && i > 0 ? m_panels.size() + 1 - i : i + 1;
        if (!statusFamily.isEmpty())
            m_panels.at(i)->setFont(namedFont(statusFamily, font()));
        statusChanged = statusChanged || m_panels.at(i)->text() != controls.statusBar.panel(number);
        m_panels.at(i)->setText(controls.statusBar.panel(number));
    }
    if (!statusFamily.isEmpty())
        m_notice->setFont(namedFont(statusFamily, font()));
    statusChanged = statusChanged || m_notice->text() != controls.statusBar.notice;
    m_notice->setText(controls.statusBar.notice);
    m_notice->setVisible(!controls.statusBar.notice.isEmpty());
    // The logic may still be busy (decoding a page, say) before the event loop
    // would paint: the status bar tells what it is doing now.
    if (statusChanged && statusBar()->isVisible())
        statusBar()->repaint();
}

void MainWindow::syncTimers()
{
    // The logic only says whether each timer runs; how fast is the platform's.
    const Form1Controls& controls = m_logic.controls();
    if (controls.timer1Interval > 0 && !m_scrollTimer->isActive())
        m_scrollTimer->start(m_delays.scrollTick);
    else if (controls.timer1Interval == 0)
        m_scrollTimer->stop();
    if (controls.timer2Interval > 0 && !m_panTimer->isActive())
        m_panTimer->start(m_delays.panRepeat);
    else if (controls.timer2Interval == 0)
        m_panTimer->stop();
}

void MainWindow::switchFullScreen(bool on)
{
    if (on) {
        m_maximizedBeforeFullScreen = isMaximized();
        showFullScreen();
    } else if (m_maximizedBeforeFullScreen) {
        showMaximized();
    } else {
        showNormal();
    }
}

void MainWindow::showRestored()
{
    const WindowState& window = m_logic.controls().window;
    resize(toPixels(window.width), toPixels(window.height));
    // A window shown minimized is not drawn until it is restored: the work ahead does not
    // wait for that.
    if (window.state != WindowShowState::Minimized && !isVisible())
        m_logic.windowOpening();
    if (window.state == WindowShowState::Maximized)
        showMaximized();
    else if (window.state == WindowShowState::Minimized)
        showMinimized();
    else
        show();
    pushGeometryToLogic();
}

void MainWindow::prepareSurface()
{
    const WindowState saved = m_logic.savedWindow();
    if (saved.state != WindowShowState::Normal || isVisible())
        return;
    const QSize size(toPixels(saved.width), toPixels(saved.height));
    // The native window comes with the surface it draws into.
    winId();
    QBackingStore* const surface = backingStore();
    if (!surface)
        return;
    surface->resize(size);
    const QRect whole(QPoint(), size);
    surface->beginPaint(whole);
    if (QPaintDevice* const device = surface->paintDevice()) {
        QPainter painter(device);
        painter.fillRect(whole, palette().window());
    }
    surface->endPaint();
}

void MainWindow::pushGeometryToLogic()
{
    m_logic.takeWindowGeometry(windowGeometryOf(*this));
}

void MainWindow::layOut()
{
    pushGeometryToLogic();
    Form1Controls& controls = m_logic.controls();
    controls.toolbarHeight =
        toTwips(m_toolbar->isVisible() ? m_toolbar->height() : m_toolbar->sizeHint().height());
    controls.statusBarHeight =
        toTwips(statusBar()->isVisible() ? statusBar()->height() : statusBar()->sizeHint().height());
    m_logic.setDevicePixelRatio(devicePixelRatio());
    m_logic.Form_Resize();
    m_logic.prepareAhead();
    // The layout may have moved a window that stood above the screen back onto it.
    const WindowState& window = controls.window;
    if (isVisible() && windowShowStateOf(windowState()) == WindowShowState::Normal &&
        toTwips(y()) != window.top)
        move(x(), toPixels(window.top));
    m_backgroundPanel->syncFromLogic();
    m_viewingArea->surfacesChanged();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    const int code = virtualKeyCode(event->key(), event->modifiers());
    if (code == 0 || keyActionFor(code) == KeyAction::None) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    const int shift = (event->modifiers() & Qt::ShiftModifier ? 1 : 0) |
                      (event->modifiers() & Qt::ControlModifier ? 2 : 0) |
                      (event->modifiers() & Qt::AltModifier ? 4 : 0);
    m_logic.Form_KeyDown(code, shift);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    // Everywhere on the window (pages, background, status bar) alike.
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    m_logic.dropFiles(paths);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    pushGeometryToLogic();
    m_logic.Form_Unload();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layOut();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    pushGeometryToLogic();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        pushGeometryToLogic();
}

bool MainWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // Moved to a screen of another scale, the window lays its pages out for it.
    if (event->type() == QEvent::ScreenChangeInternal && isVisible())
        layOut();
    return handled;
}

} // namespace ruvo
