// The toolbar, the popup menu and the keyboard: each only dispatches to the
// window's operations.
#include "commands/toolbar_table.h"
#include "display/arrow_scroll.h"
#include "platform/modal_window_service.h"
#include "viewer/form1.h"

namespace ruvo {

using namespace Qt::StringLiterals;

void Form1::buildDispatchTables()
{
    m_toolbarActions = {
        {u"Rforda"_s, &Form1::RUVIMAS},
        {u"Rhondana"_s, &Form1::tanaopen_Click},
        {u"Rtourok"_s, &Form1::hondana_Click},
        {u"Rmae"_s, &Form1::previousPage},
        {u"Rtugi"_s, &Form1::nextPage},
        {u"Rld"_s, &Form1::HIDARISHITASOROE},
        {u"Rlu"_s, &Form1::HIDARIUESOROE},
        {u"Rnaka"_s, &Form1::NAKASOROE},
        {u"Rrd"_s, &Form1::MIGISHITASOROE},
        {u"Rru"_s, &Form1::MIGIUESOROE},
        {u"Rscrool2"_s, &Form1::SCROOKIRIKAE},
        {u"Rscrool"_s, &Form1::SCROOKIRIKAE},
        {u"Rtool"_s, &Form1::BOT_Click},
        {u"Rsta"_s, &Form1::sta_Click},
        {u"Ritimai"_s, &Form1::ITtyo},
        {u"Rsto"_s, &Form1::SUTOREKIRIKAE},
        {u"CYAN"_s, &Form1::KANBAS},
        {u"set"_s, &Form1::openSettingsPanel},
        {u"Rva"_s, &Form1::showVersion},
        {u"Ren"_s, &Form1::end_Click},
    };
    m_menuActions = {
        {u"NEXTP"_s, &Form1::NEXTP_Click},
        {u"PRVP"_s, &Form1::PRVP_Click},
        {u"SCROO"_s, &Form1::SCROOKIRIKAE},
        {u"rup"_s, &Form1::MIGIUESOROE},
        {u"rdwn"_s, &Form1::MIGISHITASOROE},
        {u"lnaka"_s, &Form1::NAKASOROE},
        {u"lup"_s, &Form1::HIDARIUESOROE},
        {u"ldwn"_s, &Form1::HIDARISHITASOROE},
        {u"tanaopen"_s, &Form1::tanaopen_Click},
        {u"hondana"_s, &Form1::hondana_Click},
        {u"open"_s, &Form1::open_Click},
        {u"BOT"_s, &Form1::BOT_Click},
        {u"sta"_s, &Form1::sta_Click},
        {u"hyhtt"_s, &Form1::hyhtt_Click},
        {u"sing"_s, &Form1::sing_Click},
        {u"end"_s, &Form1::end_Click},
    };
}

void Form1::Toolbar1_ButtonClick(int index)
{
    if (index < 1 || index > toolbarButtonCount)
        return;
    const ToolbarButton& spec = toolbarTable().at(index - 1);
    if (spec.kind == ToolbarButtonKind::Check)
        m_controls.button(index).pressed = !m_controls.button(index).pressed;
    setBusy(true);
    const auto action = m_toolbarActions.constFind(spec.key);
    if (action != m_toolbarActions.cend())
        (this->**action)();
    if (!m_unloaded)
        setBusy(false);
    Q_EMIT changed();
}

void Form1::menuClick(const QString& itemName)
{
    const MenuItemState& item = m_controls.menu(itemName);
    if (!item.enabled || !item.visible)
        return;
    const auto action = m_menuActions.constFind(itemName);
    if (action != m_menuActions.cend())
        (this->**action)();
    Q_EMIT changed();
}

void Form1::setBusy(bool busy)
{
    m_controls.window.mousePointer = busy ? MousePointer::Busy : MousePointer::Default;
}

void Form1::RUVIMAS()
{
    m_platform.modal.showModal(u"Form2"_s);
}

void Form1::open_Click()
{
    setBusy(true);
    RUVIMAS();
    setBusy(false);
}

void Form1::tanaopen_Click()
{
    setBusy(true);
    m_platform.modal.showModal(u"Form6"_s);
    setBusy(false);
}

void Form1::hondana_Click()
{
    m_platform.modal.showModal(u"Form5"_s);
}

void Form1::showVersion()
{
    m_platform.modal.showModal(u"Form3"_s);
}

void Form1::BOT_Click()
{
    MenuItemState& item = m_controls.menu(u"BOT"_s);
    item.checked = !item.checked;
    m_controls.toolbarVisible = item.checked;
    Form_Resize();
}

void Form1::sta_Click()
{
    constexpr int statusButton = 19;
    MenuItemState& item = m_controls.menu(u"sta"_s);
    item.checked = !item.checked;
    m_controls.statusBar.visible = item.checked;
    m_controls.button(statusButton).pressed = !item.checked;
    Form_Resize();
}

void Form1::Form_KeyDown(int keyCode, int shift)
{
    Q_UNUSED(shift);
    const KeyAction action = keyActionFor(keyCode);
    switch (action) {
    case KeyAction::None:
        return;
    case KeyAction::NextPage:
        if (!m_controls.menu(u"NEXTP"_s).enabled)
            return;
        nextPage();
        break;
    case KeyAction::PreviousPage:
        if (!m_controls.menu(u"PRVP"_s).enabled)
            return;
        previousPage();
        break;
    case KeyAction::Quit:
        Form_Unload();
        return;
    case KeyAction::ScrollUp:
    case KeyAction::ScrollDown:
    case KeyAction::ScrollLeft:
    case KeyAction::ScrollRight:
        scrollByKey(action);
        break;
    }
    Q_EMIT changed();
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
