#include "bookshelf/form6.h"

#include "bookshelf/bookshelf_texts.h"
#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_toolbar_table.h"
#include "imaging/picture_decoder.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "session/settings_store.h"
#include "session/viewer_state.h"

namespace ruvo {

using namespace Qt::StringLiterals;

Form6::Form6(Platform platform, ViewerState& state, BookOpener& opener, QObject* parent)
    : QObject(parent), m_flushing(platform, m_changes), m_platform(m_flushing.platform()), m_state(state),
      m_opener(opener), m_guard(m_platform.files, m_platform.messages)
{
    buildDispatchTables();
}

void Form6::buildDispatchTables()
{
    m_toolbarActions = {
        {ShelfToolbarKey::back, &Form6::OWAR},
        {ShelfToolbarKey::toBottom, &Form6::TSHITAHE},
        {ShelfToolbarKey::down, &Form6::SHITAHE},
        {ShelfToolbarKey::up, &Form6::WEE},
        {ShelfToolbarKey::toTop, &Form6::TWEE},
        {ShelfToolbarKey::rename, &Form6::DAIMEY},
        {ShelfToolbarKey::remove, &Form6::SAKJYO},
        {ShelfToolbarKey::sort, &Form6::NARABE},
        {ShelfToolbarKey::otherShelf, &Form6::SINKISAKUSEI},
    };
    m_menuActions = {
        {ShelfMenuItem::rename, &Form6::DAIMEY},
        {ShelfMenuItem::sort, &Form6::NARABE},
        {ShelfMenuItem::remove, &Form6::SAKJYO},
    };
}

void Form6::Form_Load()
{
    const ChangeBatch::Scope changes(m_changes);
    if (m_loaded)
        return;
    m_loaded = true;

    for (ControlName control :
         {ShelfControl::statusBar, ShelfControl::folderBar, ShelfControl::renameBox, ShelfControl::iconTitle})
        m_controls.fontNames.insert(control, BookshelfTexts::fontName());

    m_sortDescending = 0;
    m_shelfFolder = m_state.shelfFolder;
    m_pendingDeletions.clear();
    m_shelfDirty = 0;
    m_selectedIndex = 0;
    m_controls.label2 = BookshelfTexts::folderBar(m_shelfFolder);

    // A missing shelf file opens as an empty shelf; one not fully understood opens with what
    // could be read, and the user is told once the window is filled.
    ShelfReading reading = readShelfFile(m_platform.files, m_shelfFolder);
    m_guard.take(m_shelfFolder, reading);
    m_entries = std::move(reading.entries);
    m_loadedCount = entryCount();
    m_controls.panel(1) = BookshelfTexts::bookCount(entryCount());
    m_controls.panel(2) = BookshelfTexts::ready();

    m_pictures.clear();
    m_pictures.reserve(m_entries.size());
    for (int i = 0; i < entryCount(); ++i) {
        if (i >= m_controls.icons.size())
            m_controls.icons.append(ShelfIcon{});
        m_pictures.append(thumbnailOf(m_entries.at(i)));
        fillIcon(i, m_entries.at(i), m_pictures.at(i));
        m_controls.icons[i].visible = true;
    }
    m_controls.shape1.visible = false;
    m_controls.text1.visible = false;
    setEditingEnabled(false);

    restoreWindow();
    m_changes.note();
    m_guard.tellIfDamaged();
}

QImage Form6::thumbnailOf(const ShelfEntry& entry) const
{
    if (!isReadableThumbnail(m_platform.files, m_shelfFolder, entry.thumbnailFile))
        return m_controls.image2;
    const DecodedPicture decoded =
        m_platform.pictures.decode(thumbnailPath(m_shelfFolder, entry.thumbnailFile));
    return decoded.isValid() ? decoded.image : m_controls.image2;
}

void Form6::fillIcon(int index, const ShelfEntry& entry, const QImage& picture)
{
    ShelfIcon& icon = m_controls.icons[index];
    icon.picture = picture;
    icon.caption = entry.title;
    icon.toolTip = BookshelfTexts::entryToolTip(entry);
}

void Form6::setEditingEnabled(bool enabled)
{
    m_controls.button(ShelfToolbar::rename).enabled = enabled;
    m_controls.button(ShelfToolbar::remove).enabled = enabled;
    m_controls.menu(ShelfMenuItem::remove).enabled = enabled;
    m_controls.menu(ShelfMenuItem::rename).enabled = enabled;
}

void Form6::restoreWindow()
{
    const SettingsStore settings(m_platform.settings);
    WindowState& window = m_controls.window;
    window.state = settings.readNumber(Setting::shelfWindowState);
    window.width = settings.readNumber(Setting::shelfWidth);
    window.height = settings.readNumber(Setting::shelfHeight);
}

void Form6::storeWindow()
{
    const WindowState& window = m_controls.window;
    if (window.state == WindowShowState::Minimized)
        return;
    SettingsStore settings(m_platform.settings);
    settings.writeNumber(Setting::shelfWidth, window.width);
    settings.writeNumber(Setting::shelfHeight, window.height);
    settings.writeNumber(Setting::shelfWindowState, window.state);
}

void Form6::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (entryCount() < m_loadedCount || m_shelfDirty == 1) {
        const UserMessage question = BookshelfTexts::saveQuestion();
        if (m_platform.messages.show(question.title, question.text, MessageButtons::YesNo) ==
            MessageAnswer::Yes)
            HOZON();
    }
    storeWindow();
}

void Form6::close()
{
    Form_Unload();
    Q_EMIT closeRequested();
}

void Form6::Toolbar1_ButtonClick(const QString& key)
{
    const ChangeBatch::Scope changes(m_changes);
    const auto it = m_toolbarActions.constFind(key);
    if (it == m_toolbarActions.cend())
        return;
    if (!m_controls.button(key).enabled)
        return;
    // The scrolling buttons only act on a shelf taller than the view.
    const bool scrolls = key == ShelfToolbarKey::down || key == ShelfToolbarKey::toBottom ||
                         key == ShelfToolbarKey::up || key == ShelfToolbarKey::toTop;
    if (scrolls && !canvasTallerThanViewport())
        return;
    (this->*(*it))();
}

void Form6::menuClick(const QString& itemName)
{
    const ChangeBatch::Scope changes(m_changes);
    const auto it = m_menuActions.constFind(itemName);
    if (it == m_menuActions.cend() || !m_controls.menu(itemName).enabled)
        return;
    (this->*(*it))();
}

} // namespace ruvo
