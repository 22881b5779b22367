#include "bookshelf/ui/bookshelf_window.h"

#include "bookshelf/form6.h"
#include "bookshelf/ui/shelf_canvas.h"
#include "commands/key_map.h"
#include "commands/ui/control_actions.h"
#include "common/twips.h"
#include "platform/ui/named_font.h"
#include "platform/ui/window_show_state.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
const QColor shelfColor(64, 64, 64);
const QColor folderBarColor(192, 192, 255);
// The logic's smallest size, in whole pixels.
constexpr int smallestWidth = (Form6::minimumWidth + twipsPerPixel - 1) / twipsPerPixel;
constexpr int smallestHeight = (Form6::minimumHeight + twipsPerPixel - 1) / twipsPerPixel;

bool isShelfKey(int code)
{
    return code == KeyCode::Left || code == KeyCode::Right || code == KeyCode::Up || code == KeyCode::Down ||
           code == KeyCode::Enter;
}

void paintBackground(QWidget* widget, const QColor& color)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}
} // namespace

BookshelfWindow::BookshelfWindow(Form6& logic, QWidget* parent) : QDialog(parent), m_logic(logic)
{
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumSize(smallestWidth, smallestHeight);
    setSizeGripEnabled(false);

    buildToolbar();
    m_folderBar = new QLabel(this);
    m_folderBar->setTextFormat(Qt::PlainText);
    paintBackground(m_folderBar, folderBarColor);
    m_folderBar->setContentsMargins(2, 0, 2, 0);

    m_viewport = new QWidget(this);
    paintBackground(m_viewport, shelfColor);
    m_viewport->installEventFilter(this);
    m_canvas = new ShelfCanvas(logic, m_viewport);
    m_canvas->installEventFilter(this);
    m_renameBox = new QLineEdit(m_canvas);
    m_renameBox->hide();
    m_renameBox->installEventFilter(this);
    connect(m_renameBox, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.Text1_Change(text); });

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_logic.controls().vscroll1.value)
            m_logic.VScroll1_Change(value);
    });

    buildStatusBar();
    buildPopupMenu();

    connect(&m_logic, &Form6::changed, this, &BookshelfWindow::syncFromLogic);
    connect(&m_logic, &Form6::popupMenuRequested, this, &BookshelfWindow::showPopupMenu);
    connect(&m_logic, &Form6::closeRequested, this, &QWidget::close);
    syncFromLogic();
}

void BookshelfWindow::buildToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setFocusPolicy(Qt::NoFocus);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const ToolbarButton& spec : Form6Controls::toolbarTable()) {
        if (QAction* action = addToolbarRow(*m_toolbar, spec).action) {
            connect(action, &QAction::triggered, this,
                    [this, key = spec.key] { m_logic.Toolbar1_ButtonClick(key); });
            m_buttons.insert(spec.index, action);
        }
    }
}

void BookshelfWindow::buildStatusBar()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(true);
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(m_statusBar);
        // Panels show titles and paths, which are never markup.
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(120);
        m_statusBar->addWidget(panel, i == 0 ? 0 : 1);
        m_panels.append(panel);
    }
}

void BookshelfWindow::buildPopupMenu()
{
    m_popup = new QMenu(this);
    for (const MenuItemState& item : Form6Controls::popupMenuTable()) {
        QAction* action = nullptr;
        if (item.isSeparator()) {
            action = m_popup->addSeparator();
        } else {
            action = m_popup->addAction(item.caption);
            connect(action, &QAction::triggered, this, [this, name = item.name] { m_logic.menuClick(name); });
        }
        action->setObjectName(item.name);
        m_menuActions.insert(item.name, action);
    }
}

void BookshelfWindow::showPopupMenu()
{
    syncFromLogic();
    m_popup->popup(QCursor::pos());
}

void BookshelfWindow::loadAndShow()
{
    m_logic.Form_Load();
    m_loaded = true;
    const WindowState& window = m_logic.controls().window;
    resize(std::max(smallestWidth, toPixels(window.width)),
           std::max(smallestHeight, toPixels(window.height)));
    if (window.state == WindowShowState::Maximized)
        setWindowState(Qt::WindowMaximized);
    show();
    layOut();
    m_canvas->setFocus();
}

int BookshelfWindow::run()
{
    loadAndShow();
    return exec();
}

void BookshelfWindow::pushGeometryToLogic()
{
    Form6Controls& controls = m_logic.controls();
    WindowGeometry geometry = windowGeometryOf(*this);
    // The bookshelf lays out in pixels.
    geometry.clientWidth = width();
    geometry.clientHeight = height();
    m_logic.takeWindowGeometry(geometry);
    controls.toolbarHeight = m_toolbar->sizeHint().height();
    controls.statusBarHeight = m_statusBar->sizeHint().height();
    controls.scrollBarWidth = m_scrollBar->sizeHint().width();
}

void BookshelfWindow::layOut()
{
    // Nothing to lay out before the shelf is loaded.
    if (m_laying || !m_loaded)
        return;
    m_laying = true;
    pushGeometryToLogic();
    m_logic.Form_Resize();
    m_laying = false;
    syncFromLogic();
}

void BookshelfWindow::syncFromLogic()
{
    const Form6Controls& controls = m_logic.controls();
    setWindowTitle(controls.window.caption);

    // A window the logic sprang back to its minimum size.
    const QSize wanted(toPixels(controls.window.width), toPixels(controls.window.height));
    if (isVisible() && controls.window.state == WindowShowState::Normal &&
        (wanted.width() > width() || wanted.height() > height())) {
        resize(wanted.expandedTo(size()));
        // The resize may come in the middle of a layout, which then skips it.
        QMetaObject::invokeMethod(this, &BookshelfWindow::layOut, Qt::QueuedConnection);
    }

    m_toolbar->setGeometry(0, 0, width(), controls.toolbarHeight);
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        applyState(*it.value(), controls.button(it.key()));
    for (auto it = m_menuActions.cbegin(); it != m_menuActions.cend(); ++it)
        applyState(*it.value(), controls.menu(it.key()));

    const QFont labelFont =
        namedFont(controls.fontNames.value(ShelfControl::folderBar, font().family()), font());
    m_folderBar->setFont(labelFont);
    m_folderBar->setText(controls.label2);
    m_folderBar->setGeometry(controls.label2Geometry);
    m_viewport->setGeometry(controls.picture1);
    m_canvas->setFont(namedFont(controls.fontNames.value(ShelfControl::iconTitle, font().family()), font()));
    m_canvas->setGeometry(controls.picture2);

    const ShelfScrollBar& bar = controls.vscroll1;
    {
        const QSignalBlocker blocker(m_scrollBar);
        m_scrollBar->setGeometry(bar.geometry);
        m_scrollBar->setRange(0, std::max(0, bar.maximum));
        m_scrollBar->setSingleStep(bar.smallChange);
        m_scrollBar->setPageStep(std::max(1, bar.largeChange));
        m_scrollBar->setValue(bar.value);
        m_scrollBar->setEnabled(bar.enabled);
    }

    const int statusHeight = controls.statusBarHeight;
    m_statusBar->setGeometry(0, height() - statusHeight, width(), statusHeight);
    const QFont statusFont =
        namedFont(controls.fontNames.value(ShelfControl::statusBar, font().family()), font());
    for (int i = 0; i < m_panels.size(); ++i) {
        m_panels.at(i)->setFont(statusFont);
        m_panels.at(i)->setText(controls.panel(i + 1));
    }
    syncRenameBox();
    m_canvas->update();
}

void BookshelfWindow::syncRenameBox()
{
    const Form6Controls& controls = m_logic.controls();
    if (!controls.text1.visible) {
        if (m_renameBox->isVisible()) {
            m_renameBox->hide();
            m_canvas->setFocus();
        }
        return;
    }
    m_renameBox->setFont(
        namedFont(controls.fontNames.value(ShelfControl::renameBox, font().family()), font()));
    m_renameBox->setGeometry(controls.text1.geometry);
    if (!m_renameBox->isVisible()) {
        m_renameBox->setText(controls.text1Text);
        m_renameBox->show();
        m_renameBox->selectAll();
        m_renameBox->setFocus();
    }
}

void BookshelfWindow::keyPressEvent(QKeyEvent* event)
{
    const int code = virtualKeyCode(event->key(), event->modifiers());
    if (isShelfKey(code)) {
        m_logic.Form_KeyDown(code);
        return;
    }
    // Escape does not close the shelf; every other key is ignored as well.
    event->accept();
}

bool BookshelfWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_renameBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter ends the rename here, and must not go on to open the book.
        if (virtualKeyCode(key->key(), key->modifiers()) == KeyCode::Enter) {
            m_logic.Text1_Change(m_renameBox->text());
            m_logic.Text1_KeyDown(KeyCode::Enter);
            return true;
        }
    }
    // The wheel anywhere over the shelf scrolls it, as over its scroll bar.
    if ((watched == m_viewport || watched == m_canvas) && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(m_scrollBar, event);
        return true;
    }
    if (watched == m_viewport && event->type() == QEvent::MouseButtonPress) {
        m_logic.backgroundMouseDown(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void BookshelfWindow::unload()
{
    if (m_logic.isUnloaded())
        return;
    pushGeometryToLogic();
    m_logic.Form_Unload();
}

void BookshelfWindow::reject()
{
    unload();
    QDialog::reject();
}

void BookshelfWindow::closeEvent(QCloseEvent* event)
{
    unload();
    QDialog::closeEvent(event);
}

void BookshelfWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void BookshelfWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOut();
}

} // namespace ruvo
