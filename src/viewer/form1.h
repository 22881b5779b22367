#pragma once

#include "platform/platform.h"
#include "viewer/form1_controls.h"
#include "viewer/form1_fields.h"
#include "viewer/viewer_state.h"

#include <QHash>
#include <QObject>

namespace ruvo {

// The main viewer window's logic: its fields, its controls as data, and its
// named operations and event handlers. The window on screen only shows this
// state and forwards the user's events here.
class Form1 : public QObject
{
    Q_OBJECT

public:
    Form1(Platform platform, ViewerState& state, QObject* parent = nullptr);

    ViewerState& state() { return m_state; }
    const ViewerState& state() const { return m_state; }
    Form1Fields& fields() { return m_fields; }
    const Form1Fields& fields() const { return m_fields; }
    Form1Controls& controls() { return m_controls; }
    const Form1Controls& controls() const { return m_controls; }
    bool isLoaded() const { return m_loaded; }
    bool isUnloaded() const { return m_unloaded; }

    // Runs once, before the window is first shown.
    void Form_Load();
    // Runs however the window is closed; stores the window settings and ends the process.
    void Form_Unload();
    // The exit command of the popup menu.
    void end_Click();
    // The splash window's hand-over once the main window is up: queue the
    // command-line path and put the page frame at the right edge.
    void afterSplash();
    // Resets the page-step flags.
    void NAKAHESUJYOKYO();
    // A toolbar button was clicked (1-based index); dispatched by its key.
    void Toolbar1_ButtonClick(int index);

Q_SIGNALS:
    // The controls changed; the window redraws from them.
    void changed();

private:
    void restoreWindow();
    void setBusy(bool busy);

    Platform m_platform;
    ViewerState& m_state;
    Form1Fields m_fields;
    Form1Controls m_controls;
    QHash<QString, void (Form1::*)()> m_toolbarActions;
    bool m_loaded = false;
    bool m_unloaded = false;
};

} // namespace ruvo
