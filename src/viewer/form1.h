#pragma once

#include "books/book_failure.h"
#include "commands/key_map.h"
#include "common/change_batch.h"
#include "display/page_fitting.h"
#include "display/spread_layout.h"
#include "display/wheel_steps.h"
#include "imaging/page_cache.h"
#include "platform/flushing_platform.h"
#include "platform/platform.h"
#include "session/book_opener.h"
#include "session/positions_file.h"
#include "session/viewer_state.h"
#include "viewer/awaited_pictures.h"
#include "viewer/form1_controls.h"
#include "viewer/form1_fields.h"
#include "viewer/reading_session.h"
#include "viewer/view_mode.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <optional>

namespace ruvo {

class Book;

class Form2;
class PageList;
struct SettingKey;

// A book of the recent-books menu: its path, and the name it is shown by.
struct RecentBook
{
    QString path;
    QString label;
};

// The main viewer window's logic: its fields, its controls as data, and its
// named operations and event handlers. The window on screen only shows this
// state and forwards the user's events here.
class Form1 : public QObject, public BookOpener
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
    // How pages are viewed. A mode set from outside a command takes effect at the next showing.
    const ViewMode& viewMode() const { return m_mode; }
    void setViewMode(const ViewMode& mode);
    bool isUnloaded() const { return m_unloaded; }

    // Life of the window.
    // At process start, before the splash: the first pages of the book on the command line
    // are handed to the picture decoder, to be decoded while the splash is shown. Nothing of
    // the window changes.
    void prepareStart();
    // Once: restores the window and colour from the settings, reads the record file, shows the first pages.
    void Form_Load();
    // The window's show state and size as the settings hold them, as Form_Load restores
    // them (left and top are not kept).
    WindowState savedWindow() const;
    // Once: stores the colour and the window's size and state, then ends the process.
    void Form_Unload();
    // The quit command: Form_Unload.
    void end_Click();
    // After the splash: opens the path given on the command line, if any.
    void afterSplash();
    // Lays the viewing area out between toolbar and status bar and stretches the pages again if on;
    // at actual size, a viewing area of a new size places the page frame afresh, as a turn does.
    void Form_Resize();
    // The view reports where the window is and how large; the stored normal
    // size is only taken while the window is normal and on screen.
    void takeWindowGeometry(const WindowGeometry& geometry);
    // The screen's device pixels per pixel, for the pages prepared ahead; pages on screen at
    // one page pixel per device pixel are laid out again for another.
    void setDevicePixelRatio(qreal ratio);
    // Picture pixels to a device-independent pixel for a page laid out now: the screen's
    // device pixel ratio when a page pixel goes to each device pixel, else 1.
    qreal pagePixelRatio() const;
    // Prepares the pages around the one on screen again, as they will now be drawn (after
    // the viewing area changed size).
    void prepareAhead();
    // The window is about to show for the first time: the work ahead waits until it has
    // drawn, so that preparing pages does not compete with its first drawing.
    void windowOpening();
    // The window has drawn its pages: the work ahead held back for that starts.
    void pagesDrawn();
    // The stretched pages' pictures scaled to their sizes on screen, in order.
    QList<QImage> stretchedImages(const QList<PictureToScale>& pictures) const;

    // Opening a path and the resets every opening uses. Dropped files are
    // queued in order and the first is opened.
    // Opens the first queued path: a folder as a book, an image at its page; other files show the drop help.
    // A book opened as a whole starts where the reader left it, unless mayResume is false.
    void dP(bool mayResume = true);
    // Files dropped on the window: queues them and opens the first (dP).
    void dropFiles(const QStringList& paths) override;
    // Opens one path (a folder, or a page in its folder) as the command line does, but a book
    // always at its start.
    void openPath(const QString& path) override;
    // Shows the folder the file browser chose, from firstPage (or, when no page was chosen,
    // where the reader left it), or a book without pages.
    void openChosenFolder(int firstPage, bool pageChosen) override;
    // Shows the browser's folder at the page double-clicked in its list.
    void openChosenPage(int pageIndex) override;
    QImage placeholderPicture() const override { return m_controls.picture5.picture; }
    // Resets the page-step flags: no backward step pending, end check disarmed.
    void NAKAHESUJYOKYO();
    // Clears status panels 2 and 3 (panel 2 keeps the one-page text in one-page mode).
    void TEXCLS();

    // Loading pages.
    // Makes the file of the page at the page index the one to load, or reports it missing.
    void RUVIHENS();
    // Shows one page: decodes it into Picture2, empties Picture3, fills the status bar, arms the end check.
    void RUVINEW1();
    // Shows the spread that starts at the page index: that page on the right, the next on the left.
    void RUVINEW2();
    // Adds the page at the page index as the left-hand page beside the one already shown.
    void RUVINEW3();

    // Turning pages.
    // Moves the page index to the spread before the one on screen when a backward step is
    // pending, otherwise to the one after it.
    void PAGESOUSA();
    // Shows the page or spread starting at the page index, fits it, decodes ahead, updates the commands.
    void MTUGI();
    // Makes the step (backward, when pending) and shows the page or spread it lands on.
    void MMAE();
    // Menu item NEXTP: the next page, with the busy pointer.
    void NEXTP_Click();
    // Menu item PRVP: the previous page, with the busy pointer.
    void PRVP_Click();

    // Command availability.
    // Enables or disables the register, previous and next commands from the page index, count and mode.
    void BOTNHANTEI();
    // Enables the five placement commands, unless stretching is on.
    void BotanOK();
    // Disables the five placement commands.
    void BOTANOFFD();

    // Fitting and placement at actual size.
    // Sizes the page frame to hold both pages: centred when it fits, else right- and top-aligned.
    void GAZOUAWASE();
    // Sizes and places the page frame for one page by the same rules.
    void singlePageFit();
    // Moves the page frame to the upper right of the viewing area.
    void MIGIUESOROE();
    // Moves the page frame to the lower right of the viewing area.
    void MIGISHITASOROE();
    // Centres the page frame in the viewing area.
    void NAKASOROE();
    // Moves the page frame to the upper left of the viewing area.
    void HIDARIUESOROE();
    // Moves the page frame to the lower left of the viewing area.
    void HIDARISHITASOROE();

    // Display modes.
    // Switches between one page and spreads, with the mode notice, and shows the page or spread again.
    void ITtyo();
    // Menu item sing: ITtyo with the busy pointer.
    void sing_Click();
    // Applies the stretch switch: the pages stretched to the window, or the frame at actual size.
    void SUTOREP();
    // Toggles stretching (menu item hyhtt) and applies it.
    void SUTOREKIRIKAE();
    // Menu item hyhtt: SUTOREKIRIKAE.
    void hyhtt_Click();
    // Starts or stops automatic scrolling and swaps its two toolbar buttons.
    void SCROOKIRIKAE();

    // The toolbar and the popup menu: dispatched by button key and item name.
    // A toolbar button by 1-based index: runs the operation bound to its key.
    void Toolbar1_ButtonClick(int index);
    // A popup-menu item by name: runs its operation when the item is enabled and visible.
    void menuClick(const QString& itemName);
    // Whether a toolbar key or a menu item is bound to an operation.
    bool hasToolbarAction(const QString& key) const { return m_toolbarActions.contains(key); }
    bool hasMenuAction(const QString& itemName) const { return m_menuActions.contains(itemName); }
    // Shows the file browser Form2.
    void RUVIMAS();
    // Menu item open: RUVIMAS with the busy pointer.
    void open_Click();
    // Shows the bookshelf Form6.
    void tanaopen_Click();
    // Shows the register window Form5.
    void hondana_Click();
    // Toggles the toolbar and lays the window out again.
    void BOT_Click();
    // Toggles the status bar and lays the window out again.
    void sta_Click();
    // Shows the version window Form3.
    void showVersion();
    // Switches full screen on and off (F11 and the popup menu).
    void fullScreenClick();
    // Switches wide pages alone in two-page reading on and off, and remembers it.
    void widePagesAloneClick();
    void numberOrderClick();
    void allFormatsClick();
    void thumbnailShapeClick();
    void devicePixelsClick();
    // The picture adjustments of the popup menu, each kept as a default for every book.
    void brighterClick();
    void darkerClick();
    void moreContrastClick();
    void lessContrastClick();
    void gammaUpClick();
    void gammaDownClick();
    void greyscaleClick();
    void resetAdjustmentsClick();
    // Moves the pairs of pages by one page from the spread on screen (O and the popup menu);
    // again, moves them back.
    void shiftPairsClick();
    // Switches reading left to right on and off, and remembers it: a spread's earlier page
    // then stands on the left.
    void leftToRightClick();
    // The book's first spread (Home) and its last (End).
    void firstPagesClick();
    void lastPagesClick();
    // The next and the previous book of the open book's folder, opened as a whole.
    void nextBookClick();
    void previousBookClick();
    // Switches resuming books where they were left on and off, and remembers it.
    void resumeClick();
    // The books read last that are still there, the most recent first, for the menu.
    QList<RecentBook> recentBooks();
    // Opens a book of the recent-books menu as a whole.
    void openRecentBook(const QString& path);

    // The keyboard: a virtual-key code; the shift state is ignored.
    // Space, Page Down: next page; Page Up: previous; X: quit; arrows, keypad 8 2 4 6: scroll the frame;
    // F1: the help.
    void Form_KeyDown(int keyCode, int shift);
    // The wheel over the viewing area: scrolls a page taller than the area by
    // the arrow keys' step, otherwise turns the page (down is next); so does a
    // notch on past the tall page's top or bottom edge.
    void wheelTurned(int angleDelta, WheelPhase phase);

    // The mouse on the page images (positions in twips inside the image) and
    // on the other surfaces, and the timers of panning and scrolling.
    // On the first page: the right button asks for the popup menu, the left starts panning.
    void Picture2_MouseDown(Qt::MouseButton button, double x, double y);
    // The same on the second page.
    void Picture3_MouseDown(Qt::MouseButton button, double x, double y);
    // Remembers the mouse position on the page for the next panning step.
    void pictureMouseMove(double x, double y);
    // Stops panning.
    void pictureMouseUp();
    // The right button elsewhere in the viewing area asks for the popup menu.
    void surfaceMouseDown(Qt::MouseButton button);
    // Panning's repeat: MOUSEPIC2.
    void Timer2_Timer();
    // One panning step: moves the frame so that the pressed point comes to the middle of the area.
    void MOUSEPIC2();
    // One tick of automatic scrolling.
    void Timer1_Timer();
    // Sets the automatic-scrolling step from the slider and shows it.
    void Slider1_Scroll(int value);

    // The background colour panel.
    // Shows the background colour panel over the viewing area.
    void openSettingsPanel();
    // A colour swatch: makes its colour the panel's.
    void col_Click(int index);
    // The random button: gives the panel a random colour.
    void colimage_Click();
    // The panel's OK: its colour becomes the background; closes the panel.
    void Command3_Click();
    // The panel's Cancel: closes it, the background unchanged.
    void Command2_Click();

    // The canvas of all pages, on and off.
    // Shows every page from the spread on screen to the end of the book in rows; run again, removes them.
    void KANBAS();

Q_SIGNALS:
    // The controls changed; the window redraws from them.
    void changed();
    // The logic is about to start work that would compete with drawing: the window draws
    // the latest changes now rather than when its event loop comes to them.
    void drawNow();
    // Only the status bar has changed so far, while the logic goes on working (a page is
    // loading): the window shows the status bar now, and the rest when the event is done.
    void statusChanged();
    // A right click asks for the popup menu at the mouse.
    void popupMenuRequested();

private:
    void buildDispatchTables();
    void restoreWindow();
    void showFirstPages();
    void clearPictures();
    void showNoPages();
    // Names the book the browser holds, now opened, in the window's title.
    void showBookCaption();
    // Says why the book at path cannot be opened.
    void tellUnreadable(const QString& path, BookFailure failure);
    // Says, once for the book, that it holds more pages than the list can show.
    void tellIfPagesLeftOut();
    // Opens the book again when its archive changed on disk since it was read.
    void reopenIfChanged();
    // Turns a menu's switch, keeping it under key; whether it is now on.
    bool toggleStoredSwitch(const QString& itemName, const SettingKey& key);
    void listFolderBookAgain();
    // Changes the adjustments as change says, keeps them and shows the greyscale switch.
    void adjustPictures(const std::function<void(PictureAdjustments&)>& change);
    void nextPage();
    void previousPage();
    void prefetchAround();
    QList<PrefetchRequest> pagesAround();
    // Whether spreads follow the pages' shapes: two-page reading with wide pages alone.
    bool spreadsByShape() const;
    // Where the reader is in the book the browser holds, paired as the modes ask.
    ReadingSession& reading();
    bool pageIsWide(int index) const;
    // A page alone on screen in two-page reading because it is wide.
    bool widePageShownAlone() const;
    // Loads the spread that starts at the page index: a pair, or a page alone.
    void loadSpread();
    // Shows the page or spread at the page index, fits it and prepares the pages around.
    void showPagesAtIndex();
    // Makes the page at index the one to load, or reports it missing (RUVIHENS at index).
    void takePage(int index);
    // The session moved: the page index and the spread shown, as the window and the
    // commands read them.
    void readingMoved();
    // Shows the spread on screen again after the view mode changed.
    void showSpreadAgain();
    // The check marks and pressed buttons of the view mode, written from it.
    void showViewMode();
    // The page as it will be drawn, in the first (or only) place or the second.
    PrefetchRequest requestFor(const PageRef& page, bool secondPage) const;
    // The device size a page will be stretched to, from its picture's size, in the first
    // (or only) place or the second place of a spread.
    std::function<QSize(QSize)> stretchedSizeFor(bool secondPage) const;
    const PageList& pages() const;
    bool onePageMode() const;
    bool stretchOn() const;
    QString pageLabel(int index) const;
    QString pageLabel() const;
    QString positionText(int index) const;
    QString positionText() const;
    // Loads the page into target; the pages in next are taken right after it.
    void loadPicture(Surface& target, const PageRef& page, const QList<PrefetchRequest>& next = {});
    // Shows the page in target, named in the status bar's panel, when it can be taken at once;
    // otherwise awaits it (and the pages in next beside it), the window meanwhile free.
    void showPicture(Surface& target, const PageRef& page, int panel,
                     const QList<PrefetchRequest>& next = {});
    // A page awaited may be there: once all are, they come on screen together.
    void picturesArrived();
    std::function<void()> whenArrived();
    // Decodes a page again when its picture, decoded at the size it was drawn stretched, is
    // now to be drawn larger (device pixels), or at its own size when drawn is empty; true
    // when it did.
    bool decodeAgainIfSmall(Surface& page, QSize drawn);
    // The pages on screen decoded again where they are drawn larger than decoded.
    void sharpenPages();
    void noteShownPage();
    // Hands the loaded pages to stretching, or shows the frame at actual size.
    void showLoadedPages();
    void stretchPages();
    // The stretched image of a page decoded smaller than it is now drawn gets the page
    // decoded again.
    void keepSharp(Surface& page, Surface& stretched);
    void place(Placement placement);
    // The pages on screen at actual size, and their places side by side in the page frame.
    SpreadPages pagesInFrame() const;
    void placePagesInFrame();
    // Fits the page frame on screen at actual size to the viewing area as a turn fits it, from
    // the start of its placement; where it stood may leave part of the spread out of reach.
    void refitFrame();

    // Where the reader is in the open book: the first page on screen, whether the reader's shift
    // stands it alone, and whether the book's last page is on screen.
    struct ReadingPlace
    {
        QString location;
        bool archive = false;
        QString page;
        bool shifted = false;
        bool atEnd = false;
    };
    struct ResumedPlace
    {
        int index = 0;
        bool shifted = false;
    };
    PositionsFile& positionsFile();
    bool resumeOn() const;
    // Where a book opened as a whole starts: where it was left, if that page is still there.
    std::optional<ResumedPlace> resumedPlaceIn(const PageList& book);
    void startAtResumedPlace(const ResumedPlace& place);
    ReadingPlace readingPlace() const;
    // After every showing: where the reader is, and the notice for it.
    void noteReadingPlace();
    QString nextBookNotice();
    // Remembers where the reader leaves the open book.
    void leaveBook();
    void openAsBook(const QString& path);
    void openNeighbourBook(bool forward);

    // One change notice per user event, however many operations it runs; the
    // window is brought up to date before a message box or another window.
    ChangeBatch m_changes{[this] { Q_EMIT changed(); }};
    FlushingPlatform m_flushing;
    Platform m_platform;
    ViewerState& m_state;
    Form2& m_browser;
    Form1Fields m_fields;
    Form1Controls m_controls;
    qreal m_devicePixelRatio = 1;
    void pageMouseDown(Qt::MouseButton button, double x, double y, bool onFirstPage);
    void scrollByKey(KeyAction action);
    void loadTile(int index);

    QHash<QString, void (Form1::*)()> m_toolbarActions;
    QHash<QString, void (Form1::*)()> m_menuActions;
    WheelSteps m_wheel;
    // The first pages of the book on the command line, prepared before the window opens and
    // wanted until the splash is over.
    QList<PrefetchRequest> m_startPages;
    // The book the command line names, opened before the splash: the one the window opens.
    std::shared_ptr<Book> m_startBook;
    bool m_loaded = false;
    bool m_unloaded = false;
    // Between windowOpening() and pagesDrawn(); then whether pages around were asked for.
    bool m_firstDrawingAwaited = false;
    bool m_prefetchHeld = false;
    std::optional<PositionsFile> m_positions;
    bool m_toldPositionsLost = false;
    ReadingPlace m_readingPlace;
    // A notice for the next showing to put in the status bar.
    QString m_pendingNotice;
    // The book the next book was looked for beside, and what was found.
    QString m_nextBookOf;
    QString m_nextBook;
    AwaitedPictures m_awaited;
    // A page on screen is being decoded again, to be drawn sharper once it is there.
    bool m_sharperAwaited = false;
    ReadingSession m_reading{[this] { readingMoved(); }};
    ViewMode m_mode;
};

} // namespace ruvo
