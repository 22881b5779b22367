#pragma once

#include "bookshelf/shelf_entry.h"
#include "bookshelf/shelf_write_guard.h"
#include "platform/platform.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

namespace ruvo {

struct ViewerState;

// The register window's logic: adds the book on screen to the current shelf
// with a title and a thumbnail of its page. A registration is all or nothing:
// when any part of it fails, the shelf file, the thumbnails and the window's
// own table stay as they were, so trying again stores the book once. A shelf
// file that was not fully understood is replaced only with the user's say.
class Form5
{
public:
    Form5(Platform platform, const ViewerState& state);

    // Fills the window from the page on screen and the shelf file. With no page
    // on screen there is nothing to register, and OK is disabled.
    void Form_Load();
    // OK: registers the book, shows the notice and closes; a failure is
    // reported and the window stays open.
    void Command1_Click();
    // Cancel and the close box write nothing.
    // Cancel: closes the window, writing nothing.
    void Command2_Click() { m_open = false; }
    // The close box: closes the window, writing nothing.
    void Form_Unload() { m_open = false; }

    bool isOpen() const { return m_open; }

    // The controls.
    const QString& text1() const { return m_text1; }
    const QString& text2() const { return m_text2; }
    void setText2(const QString& title) { m_text2 = title; }
    const QString& text3() const { return m_text3; }
    const QString& label3() const { return m_label3; }
    const QString& label4() const { return m_label4; }
    const QString& label9() const { return m_label9; }
    const QColor& label4Color() const { return m_label4Color; }
    const QColor& label9Color() const { return m_label9Color; }
    bool command1Enabled() const { return m_command1Enabled; }
    // The page preview and the thumbnail made from it.
    const QImage& image1() const { return m_image1; }
    const QImage& picture1() const { return m_picture1; }
    const QHash<QString, QString>& fontNames() const { return m_fontNames; }

    // The window's copy of the shelf.
    int entryCount() const { return int(m_entries.size()); }
    const QList<ShelfEntry>& entries() const { return m_entries; }

    // The title the notice window shows after a registration.
    const QString& noticeTitle() const { return m_noticeTitle; }

    static QString caption();
    static QString noticeText();
    static QString untitled();
    static QString guidance();
    static QString limitReached();

private:
    // The title proposed for the book on screen: the bare name of its page file, or for a
    // page inside an archive, the archive's name without its extension.
    QString proposedTitle() const;
    QImage pagePicture() const;
    bool store(ShelfEntry& entry);
    bool ensureShelf(const QString& folder);
    void reportFailure();

    Platform m_platform;
    const ViewerState& m_state;
    QList<ShelfEntry> m_entries;
    ShelfWriteGuard m_guard;
    QString m_text1;
    QString m_text2;
    QString m_text3;
    QString m_label3;
    QString m_label4;
    QString m_label9;
    QColor m_label4Color = Qt::black;
    QColor m_label9Color;
    bool m_command1Enabled = true;
    QImage m_image1;
    QImage m_picture1;
    QHash<QString, QString> m_fontNames;
    QString m_noticeTitle;
    bool m_open = true;
};

} // namespace ruvo
