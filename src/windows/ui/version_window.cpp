#include "windows/ui/version_window.h"

#include "platform/message_box_service.h"
#include "platform/shell_service.h"
#include "platform/ui/named_font.h"
#include "windows/version_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace ruvo {

using namespace Qt::StringLiterals;

VersionWindow::VersionWindow(ShellService& shell, MessageBoxService& messages, const QString& address,
                             QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(VersionText::caption());
    auto* icon = new QLabel(this);
    icon->setPixmap(windowIcon().pixmap(48, 48));
    auto* name = new QLabel(VersionText::nameAndVersion(), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    name->setFont(big);
    auto* notice = new QLabel(VersionText::notice(), this);
    auto* heading = new QLabel(VersionText::pageHeading(), this);
    heading->setFont(namedFont(u"ＭＳ Ｐゴシック"_s, font()));
    auto* link = new QPushButton(address, this);
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(u"QPushButton { color: #1a5fb4; text-decoration: underline; border: none; }"_s);
    connect(link, &QPushButton::clicked, this, [&shell, &messages, address] {
        if (!shell.open(address))
            messages.show(VersionText::caption(), VersionText::cannotOpen(address), MessageButtons::Ok);
    });
    // No page is named where none is at hand.
    heading->setVisible(!address.isEmpty());
    link->setVisible(!address.isEmpty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(notice, 1, 1);
    layout->addWidget(heading, 2, 1);
    layout->addWidget(link, 3, 1, Qt::AlignLeft);
    layout->addWidget(buttons, 4, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace ruvo
