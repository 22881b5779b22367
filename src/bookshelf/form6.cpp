#include "bookshelf/form6.h"

#include "bookshelf/bookshelf_texts.h"
#include "bookshelf/shelf_file.h"
#include "imaging/picture_decoder.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "viewer/settings_store.h"
#include "viewer/viewer_state.h"

namespace ruvo {

using namespace Qt::StringLiterals;

Form6::Form6(Platform platform, ViewerState& state, Form1& form1, QObject* parent)
    : QObject(parent), m_platform(platform), m_state(state), m_form1(form1)
{
    buildDispatchTables();
}

void Form6::buildDispatchTables()
{
    m_toolbarActions = {
        {u"modor"_s, &Form6::OWAR}, {u"saisita"_s, &Form6::TSHITAHE}, {u"down"_s, &Form6::SHITAHE},
        {u"up"_s, &Form6::WEE},     {u"saiue"_s, &Form6::TWEE},       {u"henkouda"_s, &Form6::DAIMEY},
        {u"kes"_s, &Form6::SAKJYO}, {u"seiretu"_s, &Form6::NARABE},   {u"sinki"_s, &Form6::SINKISAKUSEI},
    };
    m_menuActions = {
        {u"dai"_s, &Form6::DAIMEY},
        {u"iconseiretu"_s, &Form6::NARABE},
        {u"sak"_s, &Form6::SAKJYO},
    };
}

void Form6::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;

    for (const QString& control : {u"StatusBar1"_s, u"Label2"_s, u"Text1"_s, u"Label1"_s})
        m_controls.fontNames.insert(control, BookshelfTexts::fontName());

    m_sortDescending = 0;
    m_shelfFolder = m_state.shelfFolder;
    m_pendingDeletions.clear();
    m_shelfDirty = 0;
    m_selectedIndex = 0;
    m_controls.label2 = BookshelfTexts::folderBar(m_shelfFolder);

    // A missing or unreadable shelf file opens as an empty shelf: nothing can be
    // changed on it, so nothing is ever written over it.
    m_entries = readShelfFile(m_platform.files, m_shelfFolder).entries;
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
    Q_EMIT changed();
}

QImage Form6::thumbnailOf(const ShelfEntry& entry) const
{
    const QString path = thumbnailPath(m_shelfFolder, entry.thumbnailFile);
    if (entry.thumbnailFile.isEmpty() || m_platform.files.lookup(path).isEmpty())
        return m_controls.image2;
    const DecodedPicture decoded = m_platform.pictures.decode(path);
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
    m_controls.button(Form6Controls::renameButtonIndex()).enabled = enabled;
    m_controls.button(Form6Controls::deleteButtonIndex()).enabled = enabled;
    m_controls.menu(u"sak"_s).enabled = enabled;
    m_controls.menu(u"dai"_s).enabled = enabled;
}

void Form6::restoreWindow()
{
    const SettingsStore settings(m_platform.settings);
    WindowState& window = m_controls.window;
    window.state = settings.readNumber(Setting::subbotan);
    window.width = settings.readNumber(Setting::subsizew);
    window.height = settings.readNumber(Setting::subsizeh);
}

void Form6::storeWindow()
{
    const WindowState& window = m_controls.window;
    if (window.state == WindowShowState::Minimized)
        return;
    SettingsStore settings(m_platform.settings);
    settings.writeNumber(Setting::subsizew, window.width);
    settings.writeNumber(Setting::subsizeh, window.height);
    settings.writeNumber(Setting::subbotan, window.state);
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
    const auto it = m_toolbarActions.constFind(key);
    if (it == m_toolbarActions.cend())
        return;
    for (const ToolbarButton& spec : Form6Controls::toolbarTable()) {
        if (spec.key == key && !m_controls.button(spec.index).enabled)
            return;
    }
    // The scrolling buttons only act on a shelf taller than the view.
    const bool scrolls = key == u"down"_s || key == u"saisita"_s || key == u"up"_s || key == u"saiue"_s;
    if (scrolls && !canvasTallerThanViewport())
        return;
    (this->*(*it))();
}

void Form6::menuClick(const QString& itemName)
{
    const auto it = m_menuActions.constFind(itemName);
    if (it == m_menuActions.cend() || !m_controls.menu(itemName).enabled)
        return;
    (this->*(*it))();
}

} // namespace ruvo
