#include "viewer/ui/background_panel.h"

#include "common/twips.h"
#include "display/background_palette.h"
#include "display/color_value.h"
#include "platform/ui/named_font.h"
#include "viewer/form1.h"

#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

// A clickable square of one colour.
class SwatchButton : public QPushButton
{
public:
    SwatchButton(const QColor& color, QWidget* parent) : QPushButton(parent), m_color(color)
    {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_color);
        painter.setPen(underMouse() ? QColor(Qt::white) : QColor(0x30, 0x30, 0x30));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QColor m_color;
};

// The picture that picks a random colour: a spectrum.
class RandomColorButton : public QPushButton
{
public:
    explicit RandomColorButton(QWidget* parent) : QPushButton(parent)
    {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::NoFocus);
        setToolTip(u"ランダム"_s);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient hues(rect().topLeft(), rect().topRight());
        for (int i = 0; i <= 6; ++i)
            hues.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
        painter.fillRect(rect(), hues);
        QLinearGradient shade(rect().topLeft(), rect().bottomLeft());
        shade.setColorAt(0, QColor(255, 255, 255, 160));
        shade.setColorAt(0.5, QColor(255, 255, 255, 0));
        shade.setColorAt(1, QColor(0, 0, 0, 190));
        painter.fillRect(rect(), shade);
        painter.setPen(QColor(0x30, 0x30, 0x30));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

BackgroundPanel::BackgroundPanel(Form1& logic, QWidget* parent) : QWidget(parent), m_logic(logic)
{
    const QFont font = namedFont(u"ＭＳ Ｐゴシック"_s, this->font());
    auto* frame = new QGroupBox(u"バックグラウンド設定"_s, this);
    frame->setFont(font);
    frame->setAutoFillBackground(true);
    const int frameWidth = toPixels(5280 + Swatch::size + 240) + 110;
    const int frameHeight = toPixels(960 + Swatch::size) + 20;
    frame->setGeometry(16, 16, frameWidth, frameHeight);

    auto* caption = new QLabel(u"指定カラー"_s, frame);
    caption->setFont(font);
    caption->move(toPixels(240), toPixels(600) - 20);
    for (const Swatch& s : backgroundSwatches()) {
        auto* button = new SwatchButton(colorFromValue(s.value()), frame);
        button->setGeometry(toPixels(s.left), toPixels(s.top()), toPixels(Swatch::size),
                            toPixels(Swatch::size));
        button->setToolTip(QStringLiteral("RGB(%1, %2, %3)").arg(s.red).arg(s.green).arg(s.blue));
        connect(button, &QPushButton::clicked, this, [this, index = s.index] { m_logic.col_Click(index); });
    }
    const int randomLeft = toPixels(5280 + Swatch::size + 240) + 10;
    auto* random = new RandomColorButton(frame);
    random->setGeometry(randomLeft, toPixels(600), 48, toPixels(960 + Swatch::size) - toPixels(600));
    connect(random, &QPushButton::clicked, this, [this] { m_logic.colimage_Click(); });
    auto* randomCaption = new QLabel(u"ランダム"_s, frame);
    randomCaption->setFont(font);
    randomCaption->move(randomLeft, toPixels(600) - 20);

    auto* ok = new QPushButton(u"OK"_s, this);
    auto* cancel = new QPushButton(u"ｷｬﾝｾﾙ"_s, this);
    ok->setFont(font);
    cancel->setFont(font);
    ok->setGeometry(16 + frameWidth - 200, 16 + frameHeight + 10, 96, 28);
    cancel->setGeometry(16 + frameWidth - 96, 16 + frameHeight + 10, 96, 28);
    connect(ok, &QPushButton::clicked, this, [this] { m_logic.Command3_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { m_logic.Command2_Click(); });
    hide();
}

void BackgroundPanel::syncFromLogic()
{
    const Surface& panel = m_logic.controls().picture4;
    setGeometry(toPixelRect(panel.left, panel.top, panel.width, panel.height));
    setVisible(panel.visible);
    update();
}

void BackgroundPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colorFromValue(m_logic.controls().picture4.backColor));
}

} // namespace ruvo
