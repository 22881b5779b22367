#include "viewer/ui/main_window.h"

#include "commands/toolbar_table.h"
#include "display/twips.h"
#include "display/ui/viewing_area.h"
#include "platform/ui/named_font.h"
#include "viewer/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>

namespace ruvo {

using namespace Qt::StringLiterals;

MainWindow::MainWindow(Form1& logic, QWidget* parent) : QMainWindow(parent), m_logic(logic)
{
    m_viewingArea = new ViewingArea(logic.controls(), this);
    setCentralWidget(m_viewingArea);
    buildToolbar();
    buildStatusBar();
    connect(m_viewingArea, &ViewingArea::resized, this, &MainWindow::layOut);
    connect(&m_logic, &Form1::changed, this, &MainWindow::syncFromLogic);
    // The logic lays out the viewing area while it loads, before the window shows.
    m_logic.controls().toolbarHeight = toTwips(m_toolbar->sizeHint().height());
    m_logic.controls().statusBarHeight = toTwips(statusBar()->sizeHint().height());
    syncFromLogic();
}

void MainWindow::buildToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    for (const ToolbarButtonSpec& spec : toolbarTable()) {
        QAction* action = nullptr;
        switch (spec.kind) {
        case ToolbarButtonKind::Separator:
            m_toolbar->addSeparator();
            break;
        case ToolbarButtonKind::Placeholder: {
            auto* gap = new QWidget(m_toolbar);
            gap->setFixedWidth(toPixels(spec.placeholderWidth));
            if (spec.index == 17) {
                // The gap that holds the scroll-speed slider and its value.
                auto* layout = new QHBoxLayout(gap);
                layout->setContentsMargins(4, 0, 4, 0);
                m_slider = new QSlider(Qt::Horizontal, gap);
                m_slider->setEnabled(false);
                m_sliderLabel = new QLabel(gap);
                m_sliderLabel->setMinimumWidth(24);
                layout->addWidget(m_slider);
                layout->addWidget(m_sliderLabel);
            }
            m_toolbar->addWidget(gap);
            break;
        }
        case ToolbarButtonKind::Push:
        case ToolbarButtonKind::Check:
            action = m_toolbar->addAction(spec.tooltip);
            action->setToolTip(spec.tooltip);
            action->setCheckable(spec.kind == ToolbarButtonKind::Check);
            connect(action, &QAction::triggered, this,
                    [this, index = spec.index] { m_logic.Toolbar1_ButtonClick(index); });
            break;
        }
        m_buttons.append(action);
    }
}

void MainWindow::buildStatusBar()
{
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(statusBar());
        panel->setMinimumWidth(80);
        statusBar()->addWidget(panel, i == 0 ? 0 : 1);
        m_panels.append(panel);
    }
}

void MainWindow::syncFromLogic()
{
    const Form1Controls& controls = m_logic.controls();
    setWindowTitle(controls.window.caption);
    setCursor(controls.window.mousePointer == MousePointer::Busy ? Qt::BusyCursor : Qt::ArrowCursor);

    m_toolbar->setVisible(controls.toolbarVisible);
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (QAction* action = m_buttons.at(i)) {
            const ToolbarButtonState& state = controls.button(i + 1);
            action->setEnabled(state.enabled);
            action->setVisible(state.visible);
            action->setChecked(state.pressed);
        }
    }
    const SliderState& slider = controls.slider1;
    m_slider->setRange(slider.minimum, slider.maximum);
    m_slider->setSingleStep(slider.smallChange);
    m_slider->setPageStep(slider.largeChange);
    m_slider->setTickInterval(slider.tickFrequency);
    m_slider->setValue(slider.value);
    m_sliderLabel->setText(controls.label1);

    statusBar()->setVisible(controls.statusBar.visible);
    const QString statusFamily = controls.fontNames.value(u"StatusBar1"_s);
    for (int i = 0; i < m_panels.size(); ++i) {
        if (!statusFamily.isEmpty())
            m_panels.at(i)->setFont(namedFont(statusFamily, font()));
        m_panels.at(i)->setText(controls.statusBar.panel(i + 1));
    }
    m_viewingArea->update();
}

void MainWindow::showRestored()
{
    const WindowState& window = m_logic.controls().window;
    resize(toPixels(window.width), toPixels(window.height));
    if (window.state == WindowShowState::Maximized)
        showMaximized();
    else if (window.state == WindowShowState::Minimized)
        showMinimized();
    else
        show();
    pushGeometryToLogic();
}

void MainWindow::pushGeometryToLogic()
{
    WindowState& window = m_logic.controls().window;
    const Qt::WindowStates states = windowState();
    if (states & Qt::WindowMinimized)
        window.state = WindowShowState::Minimized;
    else if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        window.state = WindowShowState::Maximized;
    else
        window.state = WindowShowState::Normal;
    // The size stored for a normal window is only taken while it is normal, so
    // a maximised window keeps the last normal size to come back to.
    if (window.state == WindowShowState::Normal && isVisible()) {
        window.left = toTwips(x());
        window.top = toTwips(y());
        window.width = toTwips(width());
        window.height = toTwips(height());
    }
    // The client area below any menu bar: the window has none, so it is the whole window.
    window.scaleWidth = toTwips(width());
    window.scaleHeight = toTwips(height());
}

void MainWindow::layOut()
{
    pushGeometryToLogic();
    Form1Controls& controls = m_logic.controls();
    controls.toolbarHeight = toTwips(m_toolbar->isVisible() ? m_toolbar->height() : m_toolbar->sizeHint().height());
    controls.statusBarHeight =
        toTwips(statusBar()->isVisible() ? statusBar()->height() : statusBar()->sizeHint().height());
    m_logic.Form_Resize();
    m_viewingArea->update();
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

} // namespace ruvo
