#include "bookshelf/form6.h"

#include "bookshelf/shelf_grid.h"

#include <algorithm>

namespace ruvo {

namespace {
constexpr int folderBarHeight = 17; // pixels
} // namespace

void Form6::takeWindowGeometry(const WindowGeometry& geometry)
{
    WindowState& window = m_controls.window;
    window.state = geometry.state;
    if (window.state != WindowShowState::Minimized) {
        window.width = geometry.width;
        window.height = geometry.height;
    }
    window.scaleWidth = geometry.clientWidth;
    window.scaleHeight = geometry.clientHeight;
}

void Form6::Form_Resize()
{
    const ChangeBatch::Scope changes(m_changes);
    WindowState& window = m_controls.window;
    if (window.state == WindowShowState::Minimized)
        return;
    // The size change that follows lays the window out again.
    if (window.width < minimumWidth) {
        window.width = minimumWidth;
        m_changes.note();
        return;
    }
    if (window.height < minimumHeight) {
        window.height = minimumHeight;
        m_changes.note();
        return;
    }

    const int innerWidth = window.scaleWidth;
    const int innerHeight = window.scaleHeight;
    const int viewportTop = m_controls.toolbarHeight + folderBarHeight;
    const QRect viewport(0, viewportTop, innerWidth - m_controls.scrollBarWidth,
                         innerHeight - m_controls.toolbarHeight - m_controls.statusBarHeight -
                             folderBarHeight);
    const std::optional<ShelfGrid> grid = layOutShelfGrid(viewport.width(), entryCount());
    if (!grid)
        return;

    m_controls.label2Geometry = QRect(0, m_controls.toolbarHeight, innerWidth, folderBarHeight);
    m_controls.picture1 = viewport;
    ShelfScrollBar& scrollBar = m_controls.vscroll1;
    scrollBar.geometry =
        QRect(viewport.width(), viewport.top(), m_controls.scrollBarWidth, viewport.height());
    scrollBar.largeChange = viewport.height();
    scrollBar.smallChange = ShelfGridMetrics::cellPitchY;

    for (int i = 0; i < entryCount(); ++i) {
        ShelfIcon& icon = m_controls.icons[i];
        icon.image = iconImageRect(grid->cells.at(i));
        icon.label = iconLabelRect(grid->cells.at(i));
        icon.visible = true;
    }
    m_columnsPerRow = grid->columnsPerRow;
    m_controls.picture2 = QRect(0, 0, viewport.width(), grid->canvasHeight);

    if (m_controls.shape1.visible && m_selectedIndex < m_controls.icons.size())
        m_controls.shape1.geometry = m_controls.icons.at(m_selectedIndex).image;
    // The rename box stays with the title it edits.
    if (m_controls.text1.visible && m_selectedIndex < m_controls.icons.size())
        m_controls.text1.geometry.moveTopLeft(m_controls.icons.at(m_selectedIndex).label.topLeft());

    scrollBar.maximum = shelfScrollMaximum(grid->canvasHeight, viewport.height());
    scrollBar.enabled = shelfScrollEnabled(grid->canvasHeight, viewport.height());
    // A layout shows the top of the shelf, and the scroll bar says so.
    scrollBar.value = 0;
    m_changes.note();
}

void Form6::setScrollValue(int value)
{
    ShelfScrollBar& scrollBar = m_controls.vscroll1;
    scrollBar.value = std::clamp(value, 0, std::max(0, scrollBar.maximum));
    m_controls.picture2.moveTop(-scrollBar.value);
}

void Form6::VScroll1_Change(int value)
{
    const ChangeBatch::Scope changes(m_changes);
    setScrollValue(value);
    m_changes.note();
}

bool Form6::canvasTallerThanViewport() const
{
    return m_controls.picture1.height() < m_controls.picture2.height();
}

void Form6::WEE()
{
    const ChangeBatch::Scope changes(m_changes);
    const int value = m_controls.vscroll1.value;
    const int step = ShelfGridMetrics::cellPitchY;
    setScrollValue(value - step < 0 ? 0 : value - step);
    m_changes.note();
}

void Form6::SHITAHE()
{
    const ChangeBatch::Scope changes(m_changes);
    const ShelfScrollBar& scrollBar = m_controls.vscroll1;
    const int step = ShelfGridMetrics::cellPitchY;
    setScrollValue(scrollBar.maximum < scrollBar.value + step ? scrollBar.maximum : scrollBar.value + step);
    m_changes.note();
}

void Form6::TWEE()
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.picture2.moveTop(0);
    setScrollValue(0);
    m_changes.note();
}

void Form6::TSHITAHE()
{
    const ChangeBatch::Scope changes(m_changes);
    setScrollValue(m_controls.picture2.height() - m_controls.picture1.height());
    m_changes.note();
}

} // namespace ruvo
