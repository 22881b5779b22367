#include "bookshelf/ui/registration_notice_window.h"

#include "bookshelf/form5.h"
#include "platform/ui/named_font.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ruvo {

using namespace Qt::StringLiterals;

RegistrationNoticeWindow::RegistrationNoticeWindow(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Form5::caption());
    setFont(namedFont(u"ＭＳ Ｐゴシック"_s, font()));
    auto* notice = new QLabel(Form5::noticeText(), this);
    auto* registered = new QLabel(title, this);
    registered->setTextFormat(Qt::PlainText);
    QFont bold = registered->font();
    bold.setBold(true);
    registered->setFont(bold);
    registered->setTextFormat(Qt::PlainText);
    registered->setWordWrap(true);
    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notice);
    layout->addWidget(registered);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace ruvo
