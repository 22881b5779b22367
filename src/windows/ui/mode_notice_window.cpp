#include "windows/ui/mode_notice_window.h"

#include "platform/ui/named_font.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace ruvo {

using namespace Qt::StringLiterals;

ModeNoticeWindow::ModeNoticeWindow(Mode mode, int closeAfterMs, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption());
    auto* label = new QLabel(text(mode), this);
    label->setFont(namedFont(u"ＭＳ Ｐゴシック"_s, font()));
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(label);
    setFixedSize(sizeHint().expandedTo(QSize(280, 80)));
    QTimer::singleShot(closeAfterMs, this, &QDialog::accept);
}

QString ModeNoticeWindow::caption()
{
    return u"画面表示モード切り替え"_s;
}

QString ModeNoticeWindow::text(Mode mode)
{
    return mode == Mode::OnePage ? u"一面表示モードに切り替え中・・"_s : u"二面表示モードに切り替え中・・"_s;
}

} // namespace ruvo
