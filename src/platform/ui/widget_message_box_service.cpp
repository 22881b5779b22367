#include "platform/ui/widget_message_box_service.h"

#include <QMessageBox>

namespace ruvo {

MessageAnswer WidgetMessageBoxService::show(const QString& title, const QString& text, MessageButtons buttons)
{
    // Texts carry carriage returns as line breaks.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (buttons == MessageButtons::YesNo) {
        const auto answer = QMessageBox::question(m_parent, title, shown, QMessageBox::Yes | QMessageBox::No,
                                                  QMessageBox::Yes);
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QMessageBox::information(m_parent, title, shown, QMessageBox::Ok);
    return MessageAnswer::Ok;
}

} // namespace ruvo
