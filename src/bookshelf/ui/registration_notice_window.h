#pragma once

#include <QDialog>

namespace ruvo {

// The notice that a book was registered, with its title.
class RegistrationNoticeWindow : public QDialog
{
    Q_OBJECT

public:
    explicit RegistrationNoticeWindow(const QString& title, QWidget* parent = nullptr);
};

} // namespace ruvo
