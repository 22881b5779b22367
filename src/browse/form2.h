#pragma once

#include "platform/platform.h"
#include "viewer/page_list.h"

#include <QImage>
#include <QString>

namespace ruvo {

// The file browser's logic. It lives for the whole run, mostly hidden: its
// folder and file list are the open book's folder and page list.
class Form2
{
public:
    explicit Form2(Platform platform);

    // Start-up: lists the folder the program starts in and remembers it.
    void Form_Load(const QString& startFolder);

    // Drive list: a drive is the root of a mounted volume. Choosing one that
    // cannot be read is refused with a message and changes nothing else.
    const QString& drive() const { return m_drive; }
    bool setDrive(const QString& drive);

    // Folder list: the open book's folder. Changing it refills the page list.
    const QString& folder() const { return m_pages.folder(); }
    void setFolder(const QString& folder);

    PageList& pages() { return m_pages; }
    const PageList& pages() const { return m_pages; }

    // The full path of a listed file.
    QString pathOf(int index) const;

    // Remembers the current drive and folder, which Cancel returns to.
    void MEMOR();
    const QString& savedDrive() const { return m_savedDrive; }
    const QString& savedFolder() const { return m_savedFolder; }

    // "画像ﾌｧｲﾙ " count " 個".
    QString countText() const;

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    qint16 previewShown = 0;
    QImage preview;

private:
    Platform m_platform;
    QString m_drive;
    PageList m_pages;
    QString m_savedDrive;
    QString m_savedFolder;
    bool m_visible = false;
};

} // namespace ruvo
