#pragma once

#include "commands/control_names.h"
#include "commands/menu_items.h"
#include "commands/toolbar_button.h"
#include "commands/toolbar_buttons.h"
#include "platform/window_state.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>

namespace ruvo {

// One book's icon: the thumbnail (Image1) and the title under it (Label1),
// placed on the canvas in pixels.
struct ShelfIcon
{
    QRect image;
    QRect label;
    // Shown stretched to the image's size.
    QImage picture;
    QString caption;
    QString toolTip;
    bool visible = false;
};

struct ShelfScrollBar
{
    QRect geometry;
    int value = 0;
    int maximum = 0;
    int smallChange = 0;
    int largeChange = 0;
    bool enabled = false;
};

// A box on the canvas that is shown or hidden: the selection frame, the rename box.
struct CanvasBox
{
    QRect geometry;
    bool visible = false;
};

// The bookshelf window's controls as plain data. Unlike the main window this
// window measures in pixels; only its outer size is kept in twips, as the
// settings store holds it.
class Form6Controls
{
public:
    Form6Controls();

    // Outer width and height in twips; scaleWidth and scaleHeight are the
    // inner size in pixels.
    WindowState window;
    // Heights of the toolbar and the status bar, and the scroll bar's width,
    // as the window shows them (pixels).
    int toolbarHeight = 0;
    int statusBarHeight = 0;
    int scrollBarWidth = 0;

    QString label2; // the folder bar
    QRect label2Geometry;
    QRect picture1; // the viewport
    // The canvas, relative to the viewport: its top is minus the scroll value.
    QRect picture2;
    ShelfScrollBar vscroll1;
    // Icon pairs by index; entry i has icon i - 1. The first two always exist.
    QList<ShelfIcon> icons;
    QImage image2;    // the placeholder for missing thumbnails
    CanvasBox shape1; // the selection frame
    CanvasBox text1;  // the rename box
    QString text1Text;
    std::array<QString, 2> statusPanels;
    QHash<QString, QString> fontNames;

    QString& panel(int number) { return statusPanels.at(std::size_t(number - 1)); }
    const QString& panel(int number) const { return statusPanels.at(std::size_t(number - 1)); }

    // Toolbar buttons by their 1-based index or key.
    ToolbarButtonState& button(int index) { return m_buttons[index]; }
    const ToolbarButtonState& button(int index) const { return m_buttons[index]; }
    const ToolbarButtonState& button(const QString& key) const { return m_buttons[key]; }

    // The popup menu's items by name.
    MenuItemState& menu(const QString& name) { return m_menu[name]; }
    const MenuItemState& menu(const QString& name) const { return m_menu[name]; }

    // The toolbar in button order (index 1 first), and the popup menu in item order.
    static const QList<ToolbarButton>& toolbarTable();
    static const QList<MenuItemState>& popupMenuTable();

private:
    ToolbarButtons m_buttons;
    MenuItems m_menu;
};

} // namespace ruvo
