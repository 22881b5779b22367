#include "browse/ui/new_folder_window.h"

#include "browse/form11.h"
#include "platform/ui/named_font.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
constexpr int enterKey = 13;
}

NewFolderWindow::NewFolderWindow(Form11& logic, QWidget* parent) : QDialog(parent), m_logic(logic)
{
    setWindowTitle(Form11::caption());
    setFont(namedFont(u"ＭＳ Ｐゴシック"_s, font()));

    auto* name = new QLineEdit(logic.text1(), this);
    name->setMinimumWidth(320);
    auto* ok = new QPushButton(u"OK"_s, this);
    auto* cancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    // Enter belongs to the name box, which hands it to the logic; a default
    // button would run OK a second time.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(name, &QLineEdit::textEdited, this, [this](const QString& text) { m_logic.setText1(text); });
    connect(name, &QLineEdit::returnPressed, this,
            [this] { run([this] { m_logic.Text1_KeyPress(enterKey); }); });
    connect(ok, &QPushButton::clicked, this, [this] { run([this] { m_logic.Command1_Click(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { run([this] { m_logic.Command2_Click(); }); });
    name->setFocus();
}

void NewFolderWindow::run(const std::function<void()>& step)
{
    step();
    if (!m_logic.isOpen())
        accept();
}

void NewFolderWindow::closeEvent(QCloseEvent* event)
{
    m_logic.Command2_Click();
    QDialog::closeEvent(event);
}

void NewFolderWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        run([this] { m_logic.Command2_Click(); });
        return;
    }
    // Enter that the name box left over must not close the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace ruvo
