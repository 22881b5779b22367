#pragma once

#include "bookshelf/form6_controls.h"
#include "bookshelf/shelf_entry.h"
#include "platform/platform.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace ruvo {

class Form1;
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

    Form6(Platform platform, ViewerState& state, Form1& form1, QObject* parent = nullptr);

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
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    bool isUnloaded() const { return m_unloaded; }
    // The chooser switched shelves: the window closed and is to be shown
    // again on the new shelf.
    bool reopenRequested() const { return m_reopenRequested; }

    // Scrolling: the canvas top is minus the scroll value.
    void VScroll1_Change(int value);
    void WEE();
    void SHITAHE();
    void TWEE();
    void TSHITAHE();

    // Selection and movement.
    void SENTAKWAK();
    void MOUSESAID();
    void MIGIHE();
    void HIDARIHE();
    void UPHE();
    void SHITAHEIK();
    void ENTA();
    void Form_KeyDown(int keyCode);
    // The mouse on an icon's image or title, and on the background.
    void iconMouseDown(int index, Qt::MouseButton button);
    void Image1_Click(int index);
    void Image1_DblClick(int index);
    void backgroundMouseDown(Qt::MouseButton button);

    // The toolbar, by button key, and the popup menu, by item name.
    void Toolbar1_ButtonClick(const QString& key);
    void menuClick(const QString& itemName);

    // Opening the selected book in the main window.
    void DBCLI();

    // Editing.
    void SAKJYO();
    void DAIMEY();
    void Text1_Change(const QString& text);
    void Text1_KeyDown(int keyCode);
    void NARABE();
    void HOZON();
    void OWAR();
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

    Platform m_platform;
    ViewerState& m_state;
    Form1& m_form1;
    Form6Controls m_controls;

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
