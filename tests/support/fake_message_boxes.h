#pragma once

#include "platform/message_box_service.h"

#include <QList>
#include <functional>

namespace ruvo::test {

// Records every message and answers from a script; when it runs out, a question is
// answered with its default button and a notice with OK.
class FakeMessageBoxes : public MessageBoxService
{
public:
    struct Shown
    {
        QString title;
        QString text;
        MessageButtons buttons;
    };

    MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons) override
    {
        shown.append({title, text, buttons});
        if (whileShown)
            whileShown();
        if (!answers.isEmpty())
            return answers.takeFirst();
        switch (buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::Yes;
        case MessageButtons::YesNoDefaultNo:
            return MessageAnswer::No;
        case MessageButtons::Ok:
            break;
        }
        return MessageAnswer::Ok;
    }

    QList<Shown> shown;
    QList<MessageAnswer> answers;
    // Runs while each box is up, so that a test can look at the window behind it.
    std::function<void()> whileShown;
};

} // namespace ruvo::test
