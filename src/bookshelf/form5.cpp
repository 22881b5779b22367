#include "bookshelf/form5.h"

#include "session/settings_store.h"

#include "books/archive_format.h"
#include "books/books.h"
#include "bookshelf/register_layout.h"
#include "bookshelf/shelf_file.h"
#include "bookshelf/shelf_messages.h"
#include "bookshelf/thumbnail_bitmap.h"
#include "bookshelf/thumbnail_sampling.h"
#include "commands/control_names.h"
#include "imaging/page_cache.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/modal_window_service.h"
#include "platform/paths.h"
#include "platform/readable_name.h"
#include "session/placeholder_picture.h"
#include "session/record_file.h"
#include "session/viewer_state.h"

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
const QChar lineBreak(13);
}

Form5::Form5(Platform platform, const ViewerState& state)
    : m_platform(platform), m_state(state), m_guard(platform.files, platform.messages)
{
}

QString Form5::caption()
{
    return u"本棚へ登録"_s;
}

QString Form5::noticeText()
{
    return u"本棚へショートカットパスを追加登録しました"_s;
}

QString Form5::untitled()
{
    return u"題名なし"_s;
}

QString Form5::guidance()
{
    return u"現在指定のﾊﾟｽと縮小画像をｻﾑﾈｲﾙｼｮｰﾄｶｯﾄとして登録します"_s + lineBreak +
           u"以後「本棚」から現在登録時のﾒｲﾝｳｲﾝﾄﾞｳの表示ﾊﾟｽを再現します"_s + lineBreak +
           u"各本棚データ１棚につき本登録上限は428冊です"_s;
}

QString Form5::limitReached()
{
    return u"登録上限の428冊を越えました"_s + lineBreak +
           u"本棚を開くフォームから新規に本棚データフォルダを指定してください"_s;
}

void Form5::Form_Load()
{
    for (const RegisterControl& control : RegisterLayout::controls()) {
        if (control.name.startsWith(u"Label"_s) || control.name.startsWith(u"Text"_s) ||
            control.name.startsWith(u"Command"_s))
            m_fontNames.insert(control.name, u"ＭＳ Ｐゴシック"_s);
    }
    // The path shows as the reader reads it; the entry keeps its exact bytes. The title
    // proposed is text, and is the name as it reads.
    m_text3 = readableName(m_state.shownPagePath);
    m_text1 = m_state.shownVolumeLabel;
    m_text2 = readableName(proposedTitle());
    m_image1 = pagePicture();

    const QString folder = m_state.shelfFolder;
    ShelfReading reading = readShelfFile(m_platform.files, folder);
    m_guard.take(folder, reading);
    m_entries = std::move(reading.entries);

    m_label9 = QString::number(entryCount() + 1);
    if (entryCount() < shelfBookLimit) {
        m_label4 = guidance();
        m_label9Color = RegisterLayout::countColor();
        m_command1Enabled = !m_state.shownPagePath.isEmpty();
    } else {
        m_command1Enabled = false;
        m_label4Color = m_label9Color = RegisterLayout::limitColor();
        m_label4 = limitReached();
    }
    m_label3 = readableName(folder);
    m_guard.tellIfDamaged();
}

QString Form5::proposedTitle() const
{
    const QString name = m_platform.files.lookup(m_state.shownPagePath, true);
    if (!name.isEmpty())
        return name;
    // A page inside an archive is of the book the archive's name names.
    const std::optional<ArchivePagePath> inArchive = m_platform.books.archivePageOf(m_state.shownPagePath);
    return inArchive ? withoutArchiveExtension(fileNameOf(inArchive->archive)) : QString();
}

QImage Form5::pagePicture() const
{
    // The picture the main window shows for this path: the page, or the placeholder it shows
    // for a page it cannot decode.
    if (m_state.shownPagePath.isEmpty())
        return QImage();
    DecodedPicture decoded =
        m_platform.pages.take(PrefetchRequest(m_platform.books.pageAt(m_state.shownPagePath)), {});
    return decoded.isValid() ? std::move(decoded.image) : placeholderPicture();
}

void Form5::Command1_Click()
{
    // Declining to replace a damaged shelf, or a copy of it that failed (and was reported),
    // leaves everything as it was and the window open.
    if (!m_command1Enabled || !m_guard.allowsReplacing())
        return;
    m_picture1 = SettingsStore(m_platform.settings).readNumber(Setting::keepThumbnailShape) != 0
                     ? averagedThumbnail(m_image1)
                     : pointSampledThumbnail(m_image1);
    if (m_text2.isEmpty())
        m_text2 = untitled();
    ShelfEntry entry{m_state.shownVolumeLabel, m_state.shownPagePath, m_text2, QString()};
    if (!store(entry)) {
        reportFailure();
        return;
    }
    m_entries.append(entry);
    m_noticeTitle = entry.title;
    m_platform.modal.showModal(WindowName::registerNotice);
    m_open = false;
}

bool Form5::store(ShelfEntry& entry)
{
    const QString folder = m_state.shelfFolder;
    if (!ensureShelf(folder))
        return false;
    // The thumbnail goes first, under a name nothing uses yet, and is taken back when the shelf
    // cannot be written: the shelf file never lists a book whose registration was reported failed.
    const std::optional<QByteArray> bitmap = thumbnailBitmap(m_picture1);
    if (!bitmap)
        return false;
    entry.thumbnailFile = nextThumbnailName(m_platform.files, folder, m_guard.mentionedNames());
    const QString thumbnail = thumbnailPath(folder, entry.thumbnailFile);
    if (!m_platform.files.writeFile(thumbnail, *bitmap)) {
        // A write can fail after the file is in place (the folder would not sync). The name was
        // free, so what is there now is this thumbnail, which no shelf will name.
        if (m_platform.files.entryKind(thumbnail) == EntryKind::PlainFile)
            m_platform.files.removeFile(thumbnail);
        return false;
    }
    QList<ShelfEntry> table = m_entries;
    table.append(entry);
    if (!writeShelfFile(m_platform.files, folder, table)) {
        // A write can fail after its new contents are in place (the folder would not sync): a
        // thumbnail that the shelf file now names stays.
        if (!readShelfFile(m_platform.files, folder).entries.contains(entry))
            m_platform.files.removeFile(thumbnail);
        return false;
    }
    return true;
}

bool Form5::ensureShelf(const QString& folder)
{
    // Only the program's own shelf is made when it is missing: another folder that is gone may
    // be on a drive that was taken away, and a shelf made in its place would be found nowhere.
    if (folder != RecordFile(m_platform.files, m_state.programFolder).defaultShelfFolder())
        return true;
    if (m_platform.files.lookup(folder, true).isEmpty() && !m_platform.files.createFolder(folder))
        return false;
    if (!m_platform.files.attributes(shelfFilePath(folder)))
        return createEmptyShelfFile(m_platform.files, folder);
    return true;
}

void Form5::reportFailure()
{
    const UserMessage message = ShelfMessages::registerWriteFailed(m_state.shelfFolder);
    m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
}

} // namespace ruvo
