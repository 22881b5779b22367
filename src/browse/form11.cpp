#include "browse/form11.h"

#include "bookshelf/shelf_file.h"
#include "browse/browse_messages.h"
#include "browse/form10.h"
#include "platform/file_services.h"
#include "platform/message_box_service.h"
#include "platform/paths.h"

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
constexpr int enterKey = 13;
}

Form11::Form11(Platform platform, Form10& chooser) : m_platform(platform), m_chooser(chooser) {}

QString Form11::caption()
{
    return u"本棚データフォルダ名"_s;
}

void Form11::Form_Load()
{
    for (const QString& control : {u"Text1"_s, u"Command1"_s, u"Command2"_s})
        m_fontNames.insert(control, u"ＭＳ Ｐゴシック"_s);
}

void Form11::Command1_Click()
{
    const QString path = joinPath(m_chooser.folder(), m_text1);
    // Only a name is asked for: a separator or ".." would make the folder somewhere else.
    if (!isBareFileName(m_text1) || !m_platform.files.createFolder(path)) {
        const UserMessage message = BrowseMessages::folderCreateFailed();
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
        return;
    }
    m_chooser.Dir1_Change(path);
    m_open = false;
}

void Form11::Text1_KeyPress(int keyAscii)
{
    if (keyAscii == enterKey)
        Command1_Click();
}

} // namespace ruvo
