#pragma once

#include "platform/message_box_service.h"

class QWidget;

namespace ruvo {

// Real message boxes, parented to the program's main window when there is one.
class WidgetMessageBoxService : public MessageBoxService
{
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons) override;

private:
    QWidget* m_parent = nullptr;
};

} // namespace ruvo
