#include "windows/help_text.h"

#include "bookshelf/shelf_file.h"
#include "commands/control_names.h"
#include "commands/key_map.h"
#include "commands/key_texts.h"
#include "commands/menu_table.h"
#include "imaging/picture_formats.h"

#include <QStringList>

namespace ruvo::HelpText {

using namespace Qt::StringLiterals;

namespace {

const QString listSeparator = u", "_s;

// The extensions of the formats, as a reader names them: "BMP, JPG, ...".
QStringList extensionNames(std::span<const PictureFormatInfo> formats)
{
    QStringList names;
    for (const PictureFormatInfo& format : formats) {
        for (const PictureExtension& extension : format.extensions)
            names.append(QString(extension.suffix).mid(1).toUpper());
    }
    return names;
}

HelpSection books()
{
    return {u"開ける本"_s,
            {{u"フォルダ"_s, u"画像ファイルのフォルダが一冊の本になり、画像が名前の順にページになります（"_s +
                                 extensionNames(pageFormats(PageFormats::All)).join(listSeparator) +
                                 u"。画面設定の「"_s + plainCaption(MenuItem::allFormats) + u"」を外すと "_s +
                                 extensionNames(pageFormats(PageFormats::Basic)).join(listSeparator) +
                                 u" だけ）。"_s},
             {u"コミックアーカイブ"_s,
              u".cbz/.zip、.cbr/.rar、.cb7/.7z、.cbt/.tar（gzip, bzip2, xz, zstd で圧縮した tar も）の"
              u"ファイルが一冊の本になり、中の画像が名前の順にページになります（"_s +
                  extensionNames(pageFormats(PageFormats::All)).join(listSeparator) +
                  u"）。種類は名前ではなく中身で見分けます。"_s},
             {u"画像ファイル"_s, u"その画像のあるフォルダを本として、その画像のページから開きます。"_s},
             {u"開き方"_s, u"ウィンドウへのドラッグ＆ドロップ、「ファイルを開く」、本棚、"
                           u"起動時に指定したパスから開けます。"_s}}};
}

HelpSection keys()
{
    return {u"キー操作"_s, keyEntries()};
}

HelpSection mouse()
{
    return {
        u"マウス操作"_s,
        {{u"ホイール"_s, u"下へ回すと次のページ、上へ回すと前のページへ。表示領域より縦に長いページは、"
                         u"まずスクロールし、端まで来るとページをめくります。"_s},
         {u"左ボタン"_s, u"表示領域より大きいページの上で押している間、押した所が表示領域の中央へ来るように"
                         u"ページが動きます（押したままマウスを動かすと、その所を追います）。"_s},
         {u"右クリック"_s,
          u"メニューを開きます（ページ送り、表示位置、本棚、ファイルを開く、画面設定など）。"_s},
         {u"ドロップ"_s, u"フォルダ、画像、アーカイブをウィンドウへドロップすると開きます。"_s}}};
}

HelpSection files(const HelpPlaces& places)
{
    return {u"ファイルの保存場所"_s,
            {{u"ウィンドウの大きさ・背景色"_s, places.windowSettings},
             {u"横長のページの表示・読みかけから開く"_s, places.readingSettings},
             {u"読みかけの位置"_s, places.readingPositions},
             {u"記録ファイル（使う本棚フォルダ）"_s, places.recordFile},
             {u"本棚"_s, shelfFilePath(places.shelfFolder)},
             {u"サムネイル"_s, places.shelfFolder + u" の "_s + thumbnailFileName(0) + listSeparator +
                                   thumbnailFileName(1) + u" …"_s}}};
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

QString caption()
{
    return u"Ruvo ヘルプ"_s;
}

QList<HelpEntry> keyEntries()
{
    QList<KeyAction> actions;
    QList<QStringList> names;
    for (const auto& [code, action] : keyTable()) {
        const qsizetype at = actions.indexOf(action);
        if (at < 0) {
            actions.append(action);
            names.append(QStringList{keyName(code)});
        } else {
            names[at].append(keyName(code));
        }
    }
    QList<HelpEntry> entries;
    for (qsizetype i = 0; i < actions.size(); ++i)
        entries.append({names.at(i).join(listSeparator), keyActionText(actions.at(i))});
    return entries;
}

QList<HelpSection> sections(const HelpPlaces& places)
{
    return {books(), keys(), mouse(), files(places)};
}

QString html(const QList<HelpSection>& sections)
{
    QString text;
    for (const HelpSection& section : sections) {
        text += u"<h3>"_s + escaped(section.heading) + u"</h3><table cellspacing=\"4\">"_s;
        for (const HelpEntry& entry : section.entries) {
            text += u"<tr><td style=\"white-space: nowrap\"><b>"_s + escaped(entry.term) +
                    u"</b></td><td>"_s + escaped(entry.text) + u"</td></tr>"_s;
        }
        text += u"</table>"_s;
    }
    return text;
}

} // namespace ruvo::HelpText
