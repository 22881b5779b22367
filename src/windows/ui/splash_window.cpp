#include "windows/ui/splash_window.h"

#include "windows/fitted_font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

#include <utility>

namespace ruvo {

SplashWindow::SplashWindow(int delayMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_timer(new QTimer(this))
{
    setFixedSize(360, 200);
    setWindowTitle(QStringLiteral("Ruvo"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(delayMs);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::timerElapsed);
}

QString SplashWindow::versionText()
{
    return QStringLiteral("Ver2.04");
}

void SplashWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_timer->isActive())
        m_timer->start();
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
    gradient.setColorAt(0, QColor(0x20, 0x2a, 0x44));
    gradient.setColorAt(1, QColor(0x5a, 0x2e, 0x4e));
    painter.fillRect(rect(), gradient);

    // Two open pages, the right one in front: a book read right to left.
    const QRectF right(200, 40, 90, 120);
    const QRectF left(110, 40, 90, 120);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
    painter.setBrush(QColor(0xf0, 0xe8, 0xd8));
    painter.drawRect(left);
    painter.setBrush(QColor(0xfa, 0xf6, 0xee));
    painter.drawRect(right);

    QFont title = font();
    title.setPointSize(28);
    title.setBold(true);
    // The title stays on its page, inside a margin, whatever the fonts at hand.
    painter.setFont(fittedFont(title, QStringLiteral("Ruvo"), right.width() - 12));
    painter.setPen(QColor(0xd0, 0x40, 0x40));
    painter.drawText(right.adjusted(0, 0, 0, -30), Qt::AlignCenter, QStringLiteral("Ruvo"));

    QFont version = font();
    version.setPointSize(11);
    painter.setFont(version);
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(0, 0, -12, -8), Qt::AlignRight | Qt::AlignBottom, versionText());
    if (!std::exchange(m_drawn, true))
        Q_EMIT drawn();
}

} // namespace ruvo
