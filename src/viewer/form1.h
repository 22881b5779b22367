#pragma once

#include "display/page_fitting.h"
#include "platform/platform.h"
#include "viewer/form1_controls.h"
#include "viewer/form1_fields.h"
#include "viewer/viewer_state.h"

#include <QHash>
#include <QObject>

namespace ruvo {

class Form2;
class PageList;

// The main viewer window's logic: its fields, its controls as data, and its
// named operations and event handlers. The window on screen only shows this
// state and forwards the user's events here.
class Form1 : public QObject
{
    Q_OBJECT

public:
    Form1(Platform platform, ViewerState& state, Form2& browser, QObject* parent = nullptr);

    ViewerState& state() { return m_state; }
    const ViewerState& state() const { return m_state; }
    Form1Fields& fields() { return m_fields; }
    const Form1Fields& fields() const { return m_fields; }
    Form1Controls& controls() { return m_controls; }
    const Form1Controls& controls() const { return m_controls; }
    Form2& browser() { return m_browser; }
    bool isLoaded() const { return m_loaded; }
    bool isUnloaded() const { return m_unloaded; }

    // Life of the window.
    void Form_Load();
    void Form_Unload();
    void end_Click();
    void afterSplash();
    void Form_Resize();

    // Opening a path and the resets every opening uses.
    void dP();
    void NAKAHESUJYOKYO();
    void TEXCLS();

    // Loading pages.
    void RUVIHENS();
    void RUVINEW1();
    void RUVINEW2();
    void RUVINEW3();

    // Turning pages.
    void PAGESOUSA();
    void MTUGI();
    void MMAE();
    void NEXTP_Click();
    void PRVP_Click();

    // Command availability.
    void BOTNHANTEI();
    void BotanOK();
    void BOTANOFFD();

    // Fitting and placement at actual size.
    void GAZOUAWASE();
    void singlePageFit();
    void MIGIUESOROE();
    void MIGISHITASOROE();
    void NAKASOROE();
    void HIDARIUESOROE();
    void HIDARISHITASOROE();

    // Display modes.
    void ITtyo();
    void sing_Click();
    void SUTOREP();
    void SUTOREKIRIKAE();
    void hyhtt_Click();
    void SCROOKIRIKAE();

    // A toolbar button was clicked (1-based index); dispatched by its key.
    void Toolbar1_ButtonClick(int index);

Q_SIGNALS:
    // The controls changed; the window redraws from them.
    void changed();

private:
    void restoreWindow();
    void showFirstPages();
    void setBusy(bool busy);
    void nextPage();
    void previousPage();
    const PageList& pages() const;
    bool onePageMode() const;
    bool stretchOn() const;
    QString pageLabel() const;
    QString positionText() const;
    void loadPicture(Surface& target, const QString& path);
    void stretchPages();
    void place(Placement placement);

    Platform m_platform;
    ViewerState& m_state;
    Form2& m_browser;
    Form1Fields m_fields;
    Form1Controls m_controls;
    QHash<QString, void (Form1::*)()> m_toolbarActions;
    bool m_loaded = false;
    bool m_unloaded = false;
};

} // namespace ruvo
