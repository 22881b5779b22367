#include "session/record_file.h"

#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/path_on_disk.h"
#include "platform/paths.h"

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
const QString shelfFileName = u"Hondana.ruv"_s;
}

RecordFile::RecordFile(FileServices& files, const QString& programFolder)
    : m_files(files), m_programFolder(programFolder)
{
}

QString RecordFile::path() const
{
    return pathIn(m_programFolder);
}

QString RecordFile::pathIn(const QString& programFolder)
{
    // Plain concatenation: a program folder at the root is "", giving "/defruv.ini".
    return programFolder + pathSeparator + u"defruv.ini"_s;
}

QString RecordFile::defaultShelfFolder() const
{
    return m_programFolder + pathSeparator + u"data"_s;
}

QString RecordFile::readShelfFolder() const
{
    const std::optional<QStringList> lines = m_files.readLines(path());
    QString folder = lines && !lines->isEmpty() ? pathOnDisk(m_files, lines->constFirst()) : QString();
    if (folder.isEmpty())
        return defaultShelfFolder();
    if (m_files.lookup(joinPath(folder, shelfFileName)).isEmpty())
        return defaultShelfFolder();
    return folder;
}

std::optional<QString> RecordFile::writeShelfFolder(const QString& folder)
{
    const QString stored = folderPathForm(folder);
    if (!m_files.writeLines(path(), {stored}))
        return std::nullopt;
    return stored;
}

bool RecordFile::allowsChange(MessageBoxService& messages) const
{
    const std::optional<int> attributes = m_files.attributes(path());
    // A missing record file is created by the write, which reports its own failure.
    if (attributes && (*attributes == 1 || *attributes == 3 || *attributes == 33)) {
        messages.show(readOnlyTitle(), readOnlyText(path()), MessageButtons::Ok);
        return false;
    }
    return true;
}

QString RecordFile::readOnlyTitle()
{
    return u"記録ファイル属性の確認"_s;
}

QString RecordFile::readOnlyText(const QString& recordPath)
{
    const QChar cr(13);
    return u"設定記録ファイル"_s + recordPath + u"が"_s + cr +
           u"読み取り専用属性の為、設定の変更及び追加記録ができません"_s + cr + u"（対策）"_s + cr +
           recordPath +
           u"ファイルを直接、読み取り属性チェックを外す又は元のRuvo*.lzhを解凍し直してください"_s;
}

} // namespace ruvo
