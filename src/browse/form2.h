#pragma once

#include "books/book_failure.h"
#include "browse/drive_list.h"
#include "platform/platform.h"
#include "session/page_list.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

namespace ruvo {

class Book;
class BookOpener;

// The file browser's logic. It lives for the whole run, mostly hidden: its
// folder and file list are the open book's folder and page list, so choosing
// a folder here and confirming it is what opens a book.
class Form2
{
public:
    explicit Form2(Platform platform);
    // The window it opens books in; set once both exist.
    void setBookOpener(BookOpener* opener) { m_opener = opener; }

    // The files the browser lists, for its folder tree.
    const FileServices& fileServices() const { return m_platform.files; }
    // The books, which tell the tree what is an archive.
    const Books& books() const { return m_platform.books; }

    // Start-up: lists the folder the program starts in and remembers it.
    void Form_Load(const QString& startFolder);

    // Drive list: a drive is the root of a mounted volume. Choosing one that
    // cannot be read is refused with a message and changes nothing else.
    QStringList drives() const;
    const QString& drive() const { return m_drives.current(); }
    bool setDrive(const QString& drive);
    // The drive list: chooses a drive and lists it; one that cannot be read is refused.
    void Drive1_Change(const QString& drive) { setDrive(drive); }

    // Folder list: the open book's folder. Changing it refills the page list.
    const QString& folder() const { return m_pages.folder(); }
    void setFolder(const QString& folder);
    // The same, for a book already opened.
    void setBook(std::shared_ptr<Book> book);
    // The folder tree: chooses a folder, refills the page list and drops the preview.
    void Dir1_Change(const QString& folder) { setFolder(folder); }

    PageList& pages() { return m_pages; }
    const PageList& pages() const { return m_pages; }
    // The full path of a listed file.
    QString pathOf(int index) const;

    // The file list and the preview.
    // Selects a file; a missing one is reported and OK disabled; with the preview on, decodes it.
    void File1_Click(int index);
    // With the preview off, opens the book at that page in the main window and hides the browser.
    void File1_DblClick(int index);
    // The preview switch: turns the preview on or off and drops the one shown; turned on, it
    // previews the page selected.
    void Check1_Click(bool checked);
    // A click on a shown preview acts as OK.
    void Image1_Click();
    bool previewOn() const { return m_previewOn; }
    const QImage& preview() const { return m_preview; }
    bool okEnabled() const { return m_okEnabled; }

    // OK opens the book at the selected page; Cancel returns to the book that
    // was open; the shell button shows the folder in the file manager.
    // OK: opens the folder as the book at the selected page (the first when none is) and hides.
    void Command1_Click();
    // Cancel: returns to the remembered drive and folder and hides.
    void Command2_Click();
    // Shows the folder in the desktop's file manager.
    void Command3_Click();
    // The close box: as Cancel.
    void Form_Unload();
    // Files dropped on the browser open as they would on the main window.
    void dropFiles(const QStringList& paths);

    // Remembers the current drive and folder, which Cancel returns to.
    void MEMOR();
    const QString& savedDrive() const { return m_savedDrive; }
    const QString& savedFolder() const { return m_savedFolder; }

    // "画像ﾌｧｲﾙ " count " 個".
    QString countText() const;
    const QHash<QString, QString>& fontNames() const { return m_fontNames; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    bool previewShown = false;

    static QString caption();
    static QString driveTip();
    static QString folderTip();
    static QString fileTip(PageFormats formats);
    static QString previewCheckCaption();
    static QString previewTip();

private:
    // Why the listed book cannot be opened; None for a book that opens.
    BookFailure bookFailure() const;

    Platform m_platform;
    BookOpener* m_opener = nullptr;
    DriveList m_drives;
    PageList m_pages;
    QString m_savedDrive;
    QString m_savedFolder;
    QImage m_preview;
    bool m_previewOn = false;
    bool m_okEnabled = true;
    bool m_visible = false;
    QHash<QString, QString> m_fontNames;
};

} // namespace ruvo
