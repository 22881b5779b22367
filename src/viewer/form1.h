#pragma once

#include "commands/key_map.h"
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

    // Opening a path and the resets every opening uses. Dropped files are
    // queued in order and the first is opened.
    void dP();
    void dropFiles(const QStringList& paths);
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

    // The toolbar and the popup menu: dispatched by button key and item name.
    void Toolbar1_ButtonClick(int index);
    void menuClick(const QString& itemName);
    void RUVIMAS();
    void open_Click();
    void tanaopen_Click();
    void hondana_Click();
    void BOT_Click();
    void sta_Click();
    void showVersion();

    // The keyboard: a virtual-key code; the shift state is ignored.
    void Form_KeyDown(int keyCode, int shift);

    // The mouse on the page images (positions in twips inside the image) and
    // on the other surfaces, and the timers of panning and scrolling.
    void Picture2_MouseDown(Qt::MouseButton button, double x, double y);
    void Picture3_MouseDown(Qt::MouseButton button, double x, double y);
    void pictureMouseMove(double x, double y);
    void pictureMouseUp();
    void surfaceMouseDown(Qt::MouseButton button);
    void Timer2_Timer();
    void MOUSEPIC2();
    void Timer1_Timer();
    void Slider1_Scroll(int value);

    // The background colour panel.
    void openSettingsPanel();
    void col_Click(int index);
    void colimage_Click();
    void Command3_Click();
    void Command2_Click();

    // The canvas of all pages, on and off.
    void KANBAS();

Q_SIGNALS:
    // The controls changed; the window redraws from them.
    void changed();
    // A right click asks for the popup menu at the mouse.
    void popupMenuRequested();

private:
    void buildDispatchTables();
    void restoreWindow();
    void showFirstPages();
    void setBusy(bool busy);
    void nextPage();
    void previousPage();
    void prefetchAround();
    const PageList& pages() const;
    bool onePageMode() const;
    bool stretchOn() const;
    QString pageLabel() const;
    QString positionText() const;
    void loadPicture(Surface& target, const QString& path);
    void noteShownPage();
    // Hands the loaded pages to stretching, or shows the frame at actual size.
    void showLoadedPages();
    void stretchPages();
    void place(Placement placement);

    Platform m_platform;
    ViewerState& m_state;
    Form2& m_browser;
    Form1Fields m_fields;
    Form1Controls m_controls;
    void pageMouseDown(Qt::MouseButton button, double x, double y, bool onFirstPage);
    void scrollByKey(KeyAction action);
    void loadTile(int index);

    QHash<QString, void (Form1::*)()> m_toolbarActions;
    QHash<QString, void (Form1::*)()> m_menuActions;
    bool m_loaded = false;
    bool m_unloaded = false;
};

} // namespace ruvo
