#include "bookshelf/form6.h"

#include "books/books.h"
#include "bookshelf/bookshelf_texts.h"
#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_grid.h"
#include "bookshelf/shelf_messages.h"
#include "bookshelf/title_sort.h"
#include "commands/key_map.h"
#include "platform/message_box_service.h"
#include "platform/modal_window_service.h"
#include "session/record_file.h"
#include "session/viewer_state.h"

#include <QSet>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
constexpr int renameBoxHeight = 18;
}

void Form6::SAKJYO()
{
    const int deleted = m_selectedIndex;
    if (deleted < 0 || deleted >= entryCount())
        return;
    // The thumbnail goes only when the shelf is saved.
    m_pendingDeletions.append(m_entries.at(deleted).thumbnailFile);
    m_entries.removeAt(deleted);
    m_pictures.removeAt(deleted);
    for (int k = deleted; k < entryCount(); ++k)
        fillIcon(k, m_entries.at(k), m_pictures.at(k));
    m_controls.panel(1) = BookshelfTexts::bookCount(entryCount());
    // The icons keep their places; the former last one is hidden.
    m_controls.icons[entryCount()].visible = false;
    MOUSESAID();
}

void Form6::DAIMEY()
{
    const ChangeBatch::Scope changes(m_changes);
    if (!isSelected() || m_selectedIndex >= entryCount())
        return;
    const ShelfIcon& icon = m_controls.icons.at(m_selectedIndex);
    m_controls.text1.geometry =
        QRect(icon.label.topLeft(), QSize(ShelfGridMetrics::labelWidth, renameBoxHeight));
    m_oldTitle = icon.caption;
    m_controls.text1Text = icon.caption;
    m_controls.text1.visible = true;
    m_changes.note();
}

void Form6::Text1_Change(const QString& text)
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.text1Text = text;
}

void Form6::Text1_KeyDown(int keyCode)
{
    const ChangeBatch::Scope changes(m_changes);
    if (keyCode != KeyCode::Enter || !m_controls.text1.visible || m_selectedIndex >= entryCount())
        return;
    const QString& text = m_controls.text1Text;
    // The tooltip keeps the old title until the icons are next rebuilt.
    m_controls.icons[m_selectedIndex].caption = text;
    m_entries[m_selectedIndex].title = text;
    if (text != m_oldTitle)
        m_shelfDirty = 1;
    m_controls.text1.visible = false;
    m_changes.note();
}

void Form6::NARABE()
{
    const ChangeBatch::Scope changes(m_changes);
    if (entryCount() < 2)
        return;
    MOUSESAID();
    m_shelfDirty = 1;
    QStringList titles;
    titles.reserve(entryCount());
    for (const ShelfEntry& entry : std::as_const(m_entries))
        titles.append(entry.title);
    const QList<int> order =
        titleSortOrder(titles, m_sortDescending == 1, titleCollator(), m_platform.books.folderOrder());
    m_sortDescending = m_sortDescending == 0 ? 1 : 0;

    QList<ShelfEntry> entries;
    QList<QImage> pictures;
    entries.reserve(entryCount());
    pictures.reserve(entryCount());
    for (int source : order) {
        entries.append(m_entries.at(source));
        pictures.append(m_pictures.at(source));
    }
    m_entries = entries;
    m_pictures = pictures;
    for (int k = 0; k < entryCount(); ++k)
        fillIcon(k, m_entries.at(k), m_pictures.at(k));
    m_changes.note();
}

void Form6::HOZON()
{
    if (!m_guard.allowsReplacing())
        return;
    if (!writeShelfFile(m_platform.files, m_shelfFolder, m_entries)) {
        const UserMessage message = ShelfMessages::saveWriteFailed(m_shelfFolder);
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        return;
    }
    // A thumbnail that a remaining book still names (a shelf can list one name
    // twice) stays; so does one already removed by this save.
    // A damaged file kept aside may name any thumbnail on any of its lines: they all stay.
    QSet<QString> keep = m_guard.readDamaged() ? m_guard.mentionedNames() : QSet<QString>();
    for (const ShelfEntry& entry : std::as_const(m_entries))
        keep.insert(entry.thumbnailFile);
    const QStringList pending = m_pendingDeletions;
    m_pendingDeletions.clear();
    for (qsizetype k = 0; k < pending.size(); ++k) {
        const QString& name = pending.at(k);
        if (keep.contains(name))
            continue;
        keep.insert(name);
        if (removeThumbnail(m_platform.files, m_shelfFolder, name) == ThumbnailRemoval::Failed) {
            // The thumbnails not yet removed stay queued.
            m_pendingDeletions = pending.mid(k);
            const UserMessage message = ShelfMessages::thumbnailDeleteFailed(m_shelfFolder, name);
            m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
            return;
        }
    }
}

void Form6::OWAR()
{
    close();
}

void Form6::SINKISAKUSEI()
{
    if (!RecordFile(m_platform.files, m_state.programFolder).allowsChange(m_platform.messages))
        return;
    m_platform.modal.showModal(WindowName::shelfFolder);
    // Another shelf was chosen: this window closes and shows again on it.
    if (m_state.shelfFolder != m_shelfFolder) {
        m_reopenRequested = true;
        close();
    }
}

} // namespace ruvo
