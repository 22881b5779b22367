#include "windows/ui/help_window.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ruvo {

HelpWindow::HelpWindow(const HelpPlaces& places, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(HelpText::caption());
    setAttribute(Qt::WA_DeleteOnClose);
    auto* text = new QTextBrowser(this);
    text->setOpenLinks(false);
    text->setHtml(HelpText::html(HelpText::sections(places)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(640, 620);
}

} // namespace ruvo
