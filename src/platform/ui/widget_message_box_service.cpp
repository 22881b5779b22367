#include "platform/ui/widget_message_box_service.h"

#include "common/line_breaks.h"

#include <QMessageBox>

namespace ruvo {

MessageAnswer WidgetMessageBoxService::show(const QString& title, const QString& text, MessageButtons buttons)
{
    const QString shown = withLineBreaks(text);
    const bool yesNo = buttons != MessageButtons::Ok;
    // A notice with one OK button shows no icon; a question shows its own.
    QMessageBox box(yesNo ? QMessageBox::Question : QMessageBox::NoIcon, title, shown,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, m_parent);
    // The texts hold file names and paths: shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    if (yesNo) {
        box.setDefaultButton(buttons == MessageButtons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    }
    const int answer = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace ruvo
