#include "windows/ui/drop_help_window.h"

#include "platform/ui/named_font.h"
#include "windows/drop_help_text.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
// A title bar's icon and buttons take about this much beside the title on the common
// desktops.
constexpr int kTitleBarFurniture = 160;
} // namespace

DropHelpWindow::DropHelpWindow(PageFormats formats, int closeAfterMs, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(u"ドラッグ＆ドロップ"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* frame = new QGroupBox(u"ドロップ対応ファイル"_s, this);
    frame->setFont(namedFont(u"ＭＳ Ｐゴシック"_s, font()));
    auto* list = new QLabel(dropHelpLines(formats).join(QLatin1Char('\n')), frame);
    // The list is narrower than the title: the window is made wide enough to show it whole.
    frame->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(windowTitle()) + kTitleBarFurniture);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QTimer::singleShot(closeAfterMs, this, &QDialog::close);
}

} // namespace ruvo
