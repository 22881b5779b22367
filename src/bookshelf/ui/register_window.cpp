#include "bookshelf/ui/register_window.h"

#include "bookshelf/form5.h"
#include "bookshelf/register_layout.h"
#include "common/line_breaks.h"
#include "common/twips.h"
#include "platform/busy_pointer.h"
#include "platform/ui/named_font.h"
#include "platform/ui/window_busy_pointer.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

} // namespace

RegisterWindow::RegisterWindow(Form5& logic, QWidget* parent) : QDialog(parent), m_logic(logic)
{
    setWindowTitle(Form5::caption());
    // The layout is fixed in twips, so the text takes the size it was laid out for.
    QFont font = namedFont(u"ＭＳ Ｐゴシック"_s, this->font());
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(toPixels(RegisterLayout::clientWidth), toPixels(RegisterLayout::clientHeight));
    build();
    syncFromLogic();
    m_title->setFocus();
    m_title->selectAll();
}

QWidget* RegisterWindow::place(QWidget* widget, const QString& name)
{
    const RegisterControl& control = RegisterLayout::control(name);
    widget->setParent(m_parents.value(control.parent, this));
    widget->setGeometry(toPixelRect(control.left, control.top, control.width, control.height));
    return widget;
}

void RegisterWindow::build()
{
    m_parents.insert(QString(), this);
    auto* panel = new QWidget(this);
    place(panel, RegisterWindowControl::panel);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, RegisterLayout::panelColor());
    panel->setPalette(palette);
    m_parents.insert(RegisterWindowControl::panel, panel);

    m_preview = new QLabel;
    place(m_preview, RegisterWindowControl::preview);
    m_preview->setAlignment(Qt::AlignCenter);
    m_title = new QLineEdit;
    place(m_title, RegisterWindowControl::title);
    m_ok = new QPushButton(RegisterLayout::control(RegisterWindowControl::ok).caption);
    place(m_ok, RegisterWindowControl::ok);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(RegisterLayout::control(RegisterWindowControl::cancel).caption);
    place(cancel, RegisterWindowControl::cancel);

    // Labels that show a fixed caption; transparent, so the panel's blue shows through.
    for (const RegisterControl& control : RegisterLayout::controls()) {
        if (control.name.startsWith(u"Label"_s) && !control.caption.isEmpty())
            place(new QLabel(control.caption), control.name);
    }
    auto* label = new QLineEdit;
    place(label, RegisterWindowControl::label);
    label->setText(m_logic.text1());
    label->setReadOnly(true);
    auto* path = new QPlainTextEdit;
    place(path, RegisterWindowControl::path);
    path->setPlainText(m_logic.text3());
    path->setReadOnly(true);
    path->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    path->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_number = new QLabel;
    place(m_number, RegisterWindowControl::number);
    m_guidance = new QLabel;
    m_guidance->setTextFormat(Qt::PlainText);
    place(m_guidance, RegisterWindowControl::guidance);
    m_guidance->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* folder = new QLabel(m_logic.label3());
    folder->setTextFormat(Qt::PlainText);
    place(folder, RegisterWindowControl::folder);
    folder->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    folder->setWordWrap(true);

    connect(m_title, &QLineEdit::textEdited, this, [this](const QString& text) { m_logic.setText2(text); });
    connect(m_ok, &QPushButton::clicked, this, &RegisterWindow::registerBook);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_logic.Command2_Click();
        reject();
    });
}

void RegisterWindow::syncFromLogic()
{
    const QImage& page = m_logic.image1();
    if (!page.isNull()) {
        const qreal ratio = devicePixelRatio();
        QPixmap pixmap = QPixmap::fromImage(
            page.scaled(m_preview->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(ratio);
        m_preview->setPixmap(pixmap);
    }
    if (m_title->text() != m_logic.text2())
        m_title->setText(m_logic.text2());
    m_ok->setEnabled(m_logic.command1Enabled());
    m_number->setText(m_logic.label9());
    setTextColor(m_number, m_logic.label9Color());
    m_guidance->setText(withLineBreaks(m_logic.label4()));
    setTextColor(m_guidance, m_logic.label4Color());
}

void RegisterWindow::registerBook()
{
    {
        // Writing the thumbnail and the shelf file keeps the event loop waiting.
        WindowBusyPointer pointer;
        pointer.setWindow(this);
        const BusyPointer busy(pointer);
        m_logic.Command1_Click();
    }
    if (!m_logic.isOpen()) {
        accept();
        return;
    }
    syncFromLogic();
}

void RegisterWindow::closeEvent(QCloseEvent* event)
{
    m_logic.Form_Unload();
    QDialog::closeEvent(event);
}

} // namespace ruvo
