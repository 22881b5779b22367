// The toolbar, the popup menu and the keyboard: each only dispatches to the
// window's operations.
#include "commands/toolbar_table.h"
#include "display/arrow_scroll.h"
#include "platform/busy_pointer.h"
#include "platform/modal_window_service.h"
#include "viewer/form1.h"

#include <cstdlib>
#include <optional>

namespace ruvo {

using namespace Qt::StringLiterals;

void Form1::buildDispatchTables()
{
    m_toolbarActions = {
        {ToolbarKey::openFile, &Form1::RUVIMAS},
        {ToolbarKey::openShelf, &Form1::tanaopen_Click},
        {ToolbarKey::registerBook, &Form1::hondana_Click},
        {ToolbarKey::previousPage, &Form1::previousPage},
        {ToolbarKey::nextPage, &Form1::nextPage},
        {ToolbarKey::lowerLeft, &Form1::HIDARISHITASOROE},
        {ToolbarKey::upperLeft, &Form1::HIDARIUESOROE},
        {ToolbarKey::centre, &Form1::NAKASOROE},
        {ToolbarKey::lowerRight, &Form1::MIGISHITASOROE},
        {ToolbarKey::upperRight, &Form1::MIGIUESOROE},
        {ToolbarKey::scrollRunning, &Form1::SCROOKIRIKAE},
        {ToolbarKey::scrollStopped, &Form1::SCROOKIRIKAE},
        {ToolbarKey::toolbar, &Form1::BOT_Click},
        {ToolbarKey::statusBar, &Form1::sta_Click},
        {ToolbarKey::onePage, &Form1::ITtyo},
        {ToolbarKey::stretch, &Form1::SUTOREKIRIKAE},
        {ToolbarKey::canvas, &Form1::KANBAS},
        {ToolbarKey::background, &Form1::openSettingsPanel},
        {ToolbarKey::version, &Form1::showVersion},
        {ToolbarKey::quit, &Form1::end_Click},
    };
    m_menuActions = {
        {MenuItem::nextPage, &Form1::NEXTP_Click},
        {MenuItem::previousPage, &Form1::PRVP_Click},
        {MenuItem::autoScroll, &Form1::SCROOKIRIKAE},
        {MenuItem::upperRight, &Form1::MIGIUESOROE},
        {MenuItem::lowerRight, &Form1::MIGISHITASOROE},
        {MenuItem::centre, &Form1::NAKASOROE},
        {MenuItem::upperLeft, &Form1::HIDARIUESOROE},
        {MenuItem::lowerLeft, &Form1::HIDARISHITASOROE},
        {MenuItem::openShelf, &Form1::tanaopen_Click},
        {MenuItem::registerBook, &Form1::hondana_Click},
        {MenuItem::openFile, &Form1::open_Click},
        {MenuItem::toolbar, &Form1::BOT_Click},
        {MenuItem::statusBar, &Form1::sta_Click},
        {MenuItem::stretch, &Form1::hyhtt_Click},
        {MenuItem::onePage, &Form1::sing_Click},
        {MenuItem::fullScreen, &Form1::fullScreenClick},
        {MenuItem::widePagesAlone, &Form1::widePagesAloneClick},
        {MenuItem::numberOrder, &Form1::numberOrderClick},
        {MenuItem::allFormats, &Form1::allFormatsClick},
        {MenuItem::thumbnailShape, &Form1::thumbnailShapeClick},
        {MenuItem::devicePixels, &Form1::devicePixelsClick},
        {MenuItem::brighter, &Form1::brighterClick},
        {MenuItem::darker, &Form1::darkerClick},
        {MenuItem::moreContrast, &Form1::moreContrastClick},
        {MenuItem::lessContrast, &Form1::lessContrastClick},
        {MenuItem::gammaUp, &Form1::gammaUpClick},
        {MenuItem::gammaDown, &Form1::gammaDownClick},
        {MenuItem::greyscale, &Form1::greyscaleClick},
        {MenuItem::resetAdjustments, &Form1::resetAdjustmentsClick},
        {MenuItem::shiftPairs, &Form1::shiftPairsClick},
        {MenuItem::leftToRight, &Form1::leftToRightClick},
        {MenuItem::nextBook, &Form1::nextBookClick},
        {MenuItem::previousBook, &Form1::previousBookClick},
        {MenuItem::resume, &Form1::resumeClick},
        {MenuItem::quit, &Form1::end_Click},
    };
}

void Form1::Toolbar1_ButtonClick(int index)
{
    const ChangeBatch::Scope changes(m_changes);
    if (index < 1 || index > toolbarButtonCount)
        return;
    const ToolbarButton& spec = toolbarTable().at(index - 1);
    if (spec.kind == ToolbarButtonKind::Check)
        m_controls.button(index).pressed = !m_controls.button(index).pressed;
    const BusyPointer busy(m_platform.pointer);
    const auto action = m_toolbarActions.constFind(spec.key);
    if (action != m_toolbarActions.cend())
        (this->**action)();
    m_changes.note();
}

void Form1::menuClick(const QString& itemName)
{
    const ChangeBatch::Scope changes(m_changes);
    const MenuItemState& item = m_controls.menu(itemName);
    if (!item.enabled || !item.visible)
        return;
    const auto action = m_menuActions.constFind(itemName);
    if (action != m_menuActions.cend())
        (this->**action)();
    m_changes.note();
}

void Form1::RUVIMAS()
{
    m_platform.modal.showModal(WindowName::browser);
}

void Form1::open_Click()
{
    const BusyPointer busy(m_platform.pointer);
    RUVIMAS();
}

void Form1::tanaopen_Click()
{
    const BusyPointer busy(m_platform.pointer);
    m_platform.modal.showModal(WindowName::bookshelf);
}

void Form1::hondana_Click()
{
    m_platform.modal.showModal(WindowName::registerBook);
}

void Form1::showVersion()
{
    m_platform.modal.showModal(WindowName::version);
}

void Form1::BOT_Click()
{
    MenuItemState& item = m_controls.menu(MenuItem::toolbar);
    item.checked = !item.checked;
    m_controls.toolbarVisible = item.checked;
    Form_Resize();
}

void Form1::sta_Click()
{
    MenuItemState& item = m_controls.menu(MenuItem::statusBar);
    item.checked = !item.checked;
    m_controls.statusBar.visible = item.checked;
    m_controls.button(MainToolbar::statusBar).pressed = !item.checked;
    Form_Resize();
}

void Form1::fullScreenClick()
{
    MenuItemState& item = m_controls.menu(MenuItem::fullScreen);
    item.checked = !item.checked;
    m_controls.fullScreen = item.checked;
    Form_Resize();
}

void Form1::Form_KeyDown(int keyCode, int shift)
{
    const ChangeBatch::Scope changes(m_changes);
    Q_UNUSED(shift);
    const KeyAction action = keyActionFor(keyCode);
    switch (action) {
    case KeyAction::None:
        return;
    case KeyAction::NextPage: {
        if (!m_controls.menu(MenuItem::nextPage).enabled)
            return;
        const BusyPointer busy(m_platform.pointer);
        nextPage();
        break;
    }
    case KeyAction::PreviousPage: {
        if (!m_controls.menu(MenuItem::previousPage).enabled)
            return;
        const BusyPointer busy(m_platform.pointer);
        previousPage();
        break;
    }
    case KeyAction::Quit:
        Form_Unload();
        return;
    case KeyAction::Help:
        m_platform.modal.showModeless(WindowName::help);
        break;
    case KeyAction::FullScreen:
        fullScreenClick();
        break;
    case KeyAction::LeaveFullScreen:
        if (!m_controls.fullScreen)
            return;
        fullScreenClick();
        break;
    case KeyAction::ShiftPairs: {
        const BusyPointer busy(m_platform.pointer);
        shiftPairsClick();
        break;
    }
    case KeyAction::FirstPages: {
        const BusyPointer busy(m_platform.pointer);
        firstPagesClick();
        break;
    }
    case KeyAction::LastPages: {
        const BusyPointer busy(m_platform.pointer);
        lastPagesClick();
        break;
    }
    case KeyAction::NextBook:
        nextBookClick();
        break;
    case KeyAction::PreviousBook:
        previousBookClick();
        break;
    case KeyAction::LeftToRight: {
        const BusyPointer busy(m_platform.pointer);
        leftToRightClick();
        break;
    }
    case KeyAction::ScrollUp:
    case KeyAction::ScrollDown:
    case KeyAction::ScrollLeft:
    case KeyAction::ScrollRight:
        scrollByKey(action);
        break;
    }
    m_changes.note();
}

void Form1::wheelTurned(int angleDelta, WheelPhase phase)
{
    const ChangeBatch::Scope changes(m_changes);
    Surface& frame = m_controls.picture1;
    const Surface& area = m_controls.nori;
    // A page taller than the area scrolls; at its edge, the wheel turning on past it turns
    // the page, as it does with a page that does not scroll.
    const bool tall = frame.visible && frame.height > area.height;
    const bool atEdge = angleDelta < 0 ? scrollDown(frame.top, frame.height, area.height) == frame.top
                                       : scrollUp(frame.top) == frame.top;
    const bool scrolls = tall && !atEdge;
    const int steps = m_wheel.take(angleDelta, phase, !scrolls);
    // Only turning pages decodes; scrolling is too quick for the busy pointer.
    std::optional<BusyPointer> busy;
    if (!scrolls && steps != 0)
        busy.emplace(m_platform.pointer);
    for (int i = 0; i < std::abs(steps); ++i) {
        if (scrolls) {
            frame.top = steps > 0 ? scrollUp(frame.top) : scrollDown(frame.top, frame.height, area.height);
        } else if (steps < 0) {
            if (!m_controls.menu(MenuItem::nextPage).enabled)
                break;
            nextPage();
        } else {
            if (!m_controls.menu(MenuItem::previousPage).enabled)
                break;
            previousPage();
        }
    }
    if (steps != 0)
        m_changes.note();
}

void Form1::scrollByKey(KeyAction action)
{
    Surface& frame = m_controls.picture1;
    const Surface& area = m_controls.nori;
    switch (action) {
    case KeyAction::ScrollUp:
        frame.top = scrollUp(frame.top);
        break;
    case KeyAction::ScrollDown:
        frame.top = scrollDown(frame.top, frame.height, area.height);
        break;
    case KeyAction::ScrollLeft:
        frame.left = scrollLeft(frame.left, frame.width, area.width);
        break;
    case KeyAction::ScrollRight:
        frame.left = scrollRight(frame.left, frame.width, area.width);
        break;
    default:
        break;
    }
}

} // namespace ruvo
