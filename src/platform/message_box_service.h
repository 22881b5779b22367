#pragma once

#include <QString>

namespace ruvo {

// A question is asked with Yes as the default button, or with No when Yes would
// change what the user keeps.
enum class MessageButtons
{
    Ok,
    YesNo,
    YesNoDefaultNo
};
enum class MessageAnswer
{
    Ok,
    Yes,
    No
};

// Message boxes with a title, a text and an OK or Yes/No button set. Texts keep
// carriage returns as line breaks; the real box shows them as separate lines.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons) = 0;
};

} // namespace ruvo
