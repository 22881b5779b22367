#include "commands/toolbar_buttons.h"

#include "common/unknown_name.h"

namespace ruvo {

ToolbarButtons::ToolbarButtons(const QList<ToolbarButton>& table) : m_table(table)
{
    for (const ToolbarButton& spec : table) {
        ToolbarButtonState state;
        state.enabled = spec.startsEnabled;
        state.visible = spec.startsVisible;
        m_states.append(state);
    }
}

bool ToolbarButtons::holds(int index) const
{
    if (index >= 1 && index <= m_states.size())
        return true;
    reportUnknownName("toolbar button", QString::number(index));
    return false;
}

ToolbarButtonState& ToolbarButtons::operator[](int index)
{
    if (!holds(index)) {
        m_unknown = ToolbarButtonState{};
        return m_unknown;
    }
    return m_states[index - 1];
}

const ToolbarButtonState& ToolbarButtons::operator[](int index) const
{
    static const ToolbarButtonState unknown;
    return holds(index) ? m_states.at(index - 1) : unknown;
}

const ToolbarButtonState& ToolbarButtons::operator[](const QString& key) const
{
    for (const ToolbarButton& spec : m_table) {
        if (!key.isEmpty() && spec.key == key)
            return m_states.at(spec.index - 1);
    }
    reportUnknownName("toolbar key", key);
    static const ToolbarButtonState unknown;
    return unknown;
}

} // namespace ruvo
