#include "bookshelf/form6.h"

#include "bookshelf/bookshelf_texts.h"
#include "commands/key_map.h"

namespace ruvo {

void Form6::SENTAKWAK()
{
    const ChangeBatch::Scope changes(m_changes);
    if (m_selectedIndex < 0 || m_selectedIndex >= m_controls.icons.size())
        return;
    m_controls.text1.visible = false;
    m_controls.shape1.visible = true;
    m_controls.shape1.geometry = m_controls.icons.at(m_selectedIndex).image;
    m_controls.panel(2) = m_controls.icons.at(m_selectedIndex).toolTip;
    setEditingEnabled(true);
    m_changes.note();
}

void Form6::MOUSESAID()
{
    const ChangeBatch::Scope changes(m_changes);
    setEditingEnabled(false);
    m_controls.shape1.visible = false;
    m_controls.text1.visible = false;
    m_controls.panel(2) = BookshelfTexts::ready();
    m_changes.note();
}

void Form6::MIGIHE()
{
    if (m_selectedIndex + 1 < entryCount()) {
        ++m_selectedIndex;
        SENTAKWAK();
    }
}

void Form6::HIDARIHE()
{
    if (m_selectedIndex >= 1) {
        --m_selectedIndex;
        SENTAKWAK();
    }
}

void Form6::UPHE()
{
    if (m_selectedIndex - m_columnsPerRow >= 0) {
        m_selectedIndex -= m_columnsPerRow;
        SENTAKWAK();
    }
    // Even without a move, a selected title above the view is scrolled towards.
    if (m_selectedIndex < m_controls.icons.size() &&
        m_controls.picture2.top() + m_controls.icons.at(m_selectedIndex).label.top() < 0)
        WEE();
}

void Form6::SHITAHEIK()
{
    if (m_selectedIndex + m_columnsPerRow < entryCount()) {
        m_selectedIndex += m_columnsPerRow;
        SENTAKWAK();
    }
    if (m_selectedIndex < m_controls.icons.size() &&
        m_controls.picture2.top() + m_controls.icons.at(m_selectedIndex).label.top() >
            m_controls.picture1.height())
        SHITAHE();
}

void Form6::ENTA()
{
    if (isSelected())
        DBCLI();
}

void Form6::Form_KeyDown(int keyCode)
{
    const ChangeBatch::Scope changes(m_changes);
    switch (keyCode) {
    case KeyCode::Right:
        MIGIHE();
        break;
    case KeyCode::Left:
        HIDARIHE();
        break;
    case KeyCode::Up:
        UPHE();
        break;
    case KeyCode::Down:
        SHITAHEIK();
        break;
    case KeyCode::Enter:
        // With the rename box open, Enter belongs to the rename.
        if (!m_controls.text1.visible)
            ENTA();
        break;
    default:
        break;
    }
}

void Form6::iconMouseDown(int index, Qt::MouseButton button)
{
    const ChangeBatch::Scope changes(m_changes);
    if (index < 0 || index >= entryCount())
        return;
    m_selectedIndex = index;
    SENTAKWAK();
    if (button == Qt::RightButton)
        Q_EMIT popupMenuRequested();
}

void Form6::Image1_Click(int index)
{
    const ChangeBatch::Scope changes(m_changes);
    if (index < 0 || index >= entryCount())
        return;
    m_selectedIndex = index;
    SENTAKWAK();
}

void Form6::Image1_DblClick(int index)
{
    const ChangeBatch::Scope changes(m_changes);
    if (index < 0 || index >= entryCount())
        return;
    if (index != m_selectedIndex || !isSelected()) {
        m_selectedIndex = index;
        SENTAKWAK();
    }
    DBCLI();
}

void Form6::backgroundMouseDown(Qt::MouseButton button)
{
    const ChangeBatch::Scope changes(m_changes);
    MOUSESAID();
    if (button == Qt::RightButton)
        Q_EMIT popupMenuRequested();
}

} // namespace ruvo
