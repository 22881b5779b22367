#pragma once

#include "commands/command_group.h"
#include "commands/control_names.h"
#include "commands/menu_items.h"
#include "commands/toolbar_buttons.h"
#include "display/picture_adjustments.h"
#include "display/surface.h"
#include "platform/window_state.h"
#include "viewer/slider_state.h"
#include "viewer/status_bar_state.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace ruvo {

// The state the main window keeps in its controls, as plain data: the window,
// the menu items, the toolbar, the status bar and the display surfaces.
class Form1Controls
{
public:
    Form1Controls();

    MenuItemState& menu(const QString& name) { return m_menus[name]; }
    const MenuItemState& menu(const QString& name) const { return m_menus[name]; }

    // Toolbar buttons by their 1-based index.
    ToolbarButtonState& button(int index) { return m_buttons[index]; }
    const ToolbarButtonState& button(int index) const { return m_buttons[index]; }

    WindowState window;
    bool toolbarVisible = true;
    // The window covers the screen; what it stores stays that of the normal window.
    bool fullScreen = false;
    // Heights of the toolbar and the status bar in twips, as the window shows them.
    double toolbarHeight = 0;
    StatusBarState statusBar;
    double statusBarHeight = 0;
    // What is on screen: the bars their switches show, but none in full screen, which leaves
    // their switches and what is stored of them as they are.
    bool toolbarShown() const { return toolbarVisible && !fullScreen; }
    bool statusBarShown() const { return statusBar.visible && !fullScreen; }

    Surface nori;     // the viewing area
    Surface picture1; // the page frame inside it
    Surface picture2; // single page, or the first (right-hand) page of a spread
    Surface picture3; // the second (left-hand) page of a spread
    Surface picture4; // the background settings panel
    Surface picture5; // the placeholder for a page that cannot be shown
    Surface picture6; // the canvas
    Surface image1;   // stretched first page
    Surface image2;   // stretched second page
    // The canvas's page tiles; the first two always exist.
    QList<Surface> foto;
    // What the viewing area says while it shows no page of a book: none open, or one of no
    // pages. Empty while a book's pages are shown.
    QString emptyAreaText;
    // How pages are adjusted as they are drawn.
    PictureAdjustments adjustments;

    // Automatic scrolling and panning repeat; 0 means stopped.
    int timer1Interval = 0;
    int timer2Interval = 0;

    SliderState slider1;
    QString label1;
    // Paths waiting to be opened (from the command line or a drop).
    QStringList list1;
    // Font names given to text controls, by control name.
    QHash<QString, QString> fontNames;

private:
    MenuItems m_menus;
    ToolbarButtons m_buttons;
};

// Enables or disables a group of commands on the toolbar and in the menu at once.
void setGroupEnabled(Form1Controls& controls, CommandGroup group, bool enabled);
// A group is switched as a whole, so its menu items speak for it.
bool isGroupEnabled(const Form1Controls& controls, CommandGroup group);

} // namespace ruvo
