#pragma once

#include "commands/toolbar_button.h"
#include "commands/toolbar_button_state.h"

#include <QList>
#include <QString>

namespace ruvo {

// The state of a toolbar's buttons, each starting as its table row says, found
// by 1-based index or by key. An index outside the table or an unknown key is
// reported as a fault and answered with an inert button of this toolbar's own,
// made afresh for every such answer.
class ToolbarButtons
{
public:
    explicit ToolbarButtons(const QList<ToolbarButton>& table);

    ToolbarButtonState& operator[](int index);
    const ToolbarButtonState& operator[](int index) const;
    const ToolbarButtonState& operator[](const QString& key) const;
    int count() const { return int(m_states.size()); }

private:
    bool holds(int index) const;

    const QList<ToolbarButton>& m_table;
    QList<ToolbarButtonState> m_states;
    ToolbarButtonState m_unknown;
};

} // namespace ruvo
