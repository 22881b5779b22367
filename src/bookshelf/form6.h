#pragma once

#include "bookshelf/form6_controls.h"
#include "bookshelf/shelf_entry.h"
#include "bookshelf/shelf_write_guard.h"
#include "common/change_batch.h"
#include "platform/flushing_platform.h"
#include "platform/platform.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace ruvo {

class BookOpener;
struct ViewerState;

// The bookshelf window's logic: its own copy of the shelf, the icon grid, the
// selection, and the named operations that open, rename, delete and sort books
// and save the shelf. The window on screen shows this state and forwards the
// user's events here. One is made for every showing of the window.
class Form6 : public QObject
{
    Q_OBJECT

public:
    // The smallest outer size of the window, in twips.
    static constexpr int minimumWidth = 9100;
    static constexpr int minimumHeight = 3000;

    Form6(Platform platform, ViewerState& state, BookOpener& opener, QObject* parent = nullptr);

    Form6Controls& controls() { return m_controls; }
    const Form6Controls& controls() const { return m_controls; }

    // The shelf table, entry 1 first.
    const QList<ShelfEntry>& entries() const { return m_entries; }
    int entryCount() const { return int(m_entries.size()); }
    int loadedCount() const { return m_loadedCount; }
    const QString& shelfFolder() const { return m_shelfFolder; }
    int selectedIndex() const { return m_selectedIndex; }
    bool isSelected() const { return m_controls.shape1.visible; }
    int shelfDirty() const { return m_shelfDirty; }
    int sortDescending() const { return m_sortDescending; }
    const QStringList& pendingDeletions() const { return m_pendingDeletions; }
    int columnsPerRow() const { return m_columnsPerRow; }

    // Life of the window. Unloading asks whether to save a changed shelf and
    // stores the window's size; it runs once, however the window is left.
    // Once: reads the shelf file, makes an icon per book, fills the bars and restores the window's size.
    void Form_Load();
    // Keeps the smallest size, lays the icons out in rows for the width and shows the top of the shelf.
    void Form_Resize();
    // The view reports its show state and size; the stored size is kept while minimised.
    void takeWindowGeometry(const WindowGeometry& geometry);
    // Once: offers to save a changed shelf (HOZON) and stores the window's size and state.
    void Form_Unload();
    bool isUnloaded() const { return m_unloaded; }
    // The chooser switched shelves: the window closed and is to be shown
    // again on the new shelf.
    bool reopenRequested() const { return m_reopenRequested; }

    // Scrolling: the canvas top is minus the scroll value.
    // The scroll bar: moves the canvas to minus its value.
    void VScroll1_Change(int value);
    // Scrolls up one row.
    void WEE();
    // Scrolls down one row.
    void SHITAHE();
    // Scrolls to the top.
    void TWEE();
    // Scrolls to the bottom.
    void TSHITAHE();

    // Selection and movement.
    // Frames the selected icon, shows its book in the status bar and enables rename and delete.
    void SENTAKWAK();
    // Clears the selection: no frame, no rename box, rename and delete disabled.
    void MOUSESAID();
    // Selects the next icon.
    void MIGIHE();
    // Selects the previous icon.
    void HIDARIHE();
    // Selects the icon a row up, scrolling up when its title is above the view.
    void UPHE();
    // Selects the icon a row down, scrolling down when its title is below the view.
    void SHITAHEIK();
    // Enter: opens the selected book (DBCLI).
    void ENTA();
    // Arrows move the selection; Enter opens it while the rename box is closed.
    void Form_KeyDown(int keyCode);
    // The mouse on an icon's image or title, and on the background.
    // A button on an icon selects it; the right one also asks for the popup menu.
    void iconMouseDown(int index, Qt::MouseButton button);
    // Selects the icon.
    void Image1_Click(int index);
    // Selects the icon and opens its book (DBCLI).
    void Image1_DblClick(int index);
    // A button beside the icons clears the selection; the right one also asks for the popup menu.
    void backgroundMouseDown(Qt::MouseButton button);

    // The toolbar, by button key, and the popup menu, by item name.
    // A toolbar button by key: runs its operation when enabled (scrolling only on a tall shelf).
    void Toolbar1_ButtonClick(const QString& key);
    // A popup-menu item by name: runs its operation when enabled.
    void menuClick(const QString& itemName);
    // Whether a toolbar key or a menu item is bound to an operation.
    bool hasToolbarAction(const QString& key) const { return m_toolbarActions.contains(key); }
    bool hasMenuAction(const QString& itemName) const { return m_menuActions.contains(itemName); }

    // Opening the selected book in the main window.
    // Closes the shelf and opens the selected book's path in the main window; a missing one is reported.
    void DBCLI();

    // Editing.
    // Deletes the selected book from the shelf; its thumbnail goes when the shelf is saved.
    void SAKJYO();
    // Opens the rename box over the selected icon's title.
    void DAIMEY();
    // Keeps the text typed in the rename box.
    void Text1_Change(const QString& text);
    // Enter in the rename box: the text becomes the book's title and the box closes.
    void Text1_KeyDown(int keyCode);
    // Sorts the books by title, ascending and descending in turn.
    void NARABE();
    // Saves the shelf file, then deletes the thumbnails of the deleted books; failures are reported.
    // A shelf file that was not fully understood is replaced only with the user's say, and then
    // every thumbnail it mentioned stays.
    void HOZON();
    // Closes the window.
    void OWAR();
    // Shows the folder chooser Form10; when another shelf was chosen, closes to show again on it.
    void SINKISAKUSEI();

Q_SIGNALS:
    // The controls changed; the window redraws from them.
    void changed();
    // The window is to close (its unloading has already run).
    void closeRequested();
    // A right click asks for the popup menu at the mouse.
    void popupMenuRequested();

private:
    void buildDispatchTables();
    void fillIcon(int index, const ShelfEntry& entry, const QImage& picture);
    QImage thumbnailOf(const ShelfEntry& entry) const;
    void setEditingEnabled(bool enabled);
    void setScrollValue(int value);
    bool canvasTallerThanViewport() const;
    void restoreWindow();
    void storeWindow();
    void close();

    // One change notice per user event, however many operations it runs; the
    // window is brought up to date before a message box or another window.
    ChangeBatch m_changes{[this] { Q_EMIT changed(); }};
    FlushingPlatform m_flushing;
    Platform m_platform;
    ViewerState& m_state;
    BookOpener& m_opener;
    Form6Controls m_controls;
    ShelfWriteGuard m_guard;

    QList<ShelfEntry> m_entries;
    // The picture each entry's icon shows, kept with the entry through deletes and sorts.
    QList<QImage> m_pictures;
    int m_loadedCount = 0;
    QString m_shelfFolder;
    int m_selectedIndex = 0;
    int m_shelfDirty = 0;
    int m_sortDescending = 0;
    QStringList m_pendingDeletions;
    QString m_oldTitle;
    int m_columnsPerRow = 2;

    QHash<QString, void (Form6::*)()> m_toolbarActions;
    QHash<QString, void (Form6::*)()> m_menuActions;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_reopenRequested = false;
};

} // namespace ruvo
