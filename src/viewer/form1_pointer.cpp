// The mouse on the viewing area: the popup menu, panning a page held with the
// mouse, and the automatic scrolling that runs on its own timer.
#include "common/number_text.h"
#include "display/auto_scroll.h"
#include "display/panning.h"
#include "viewer/form1.h"

namespace ruvo {

namespace {
constexpr int panRepeatMs = 300;
}

void Form1::Picture2_MouseDown(Qt::MouseButton button, double x, double y)
{
    pageMouseDown(button, x, y, true);
}

void Form1::Picture3_MouseDown(Qt::MouseButton button, double x, double y)
{
    pageMouseDown(button, x, y, false);
}

void Form1::pageMouseDown(Qt::MouseButton button, double x, double y, bool onFirstPage)
{
    if (button == Qt::RightButton) {
        Q_EMIT popupMenuRequested();
        return;
    }
    m_fields.panActive = true;
    m_fields.panOnFirstPage = onFirstPage;
    m_fields.panMouseX = roundHalfEven(x);
    m_fields.panMouseY = roundHalfEven(y);
    MOUSEPIC2();
}

void Form1::pictureMouseMove(double x, double y)
{
    m_fields.panMouseX = roundHalfEven(x);
    m_fields.panMouseY = roundHalfEven(y);
}

void Form1::pictureMouseUp()
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.timer2Interval = 0;
    m_fields.panActive = false;
    m_changes.note();
}

void Form1::surfaceMouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        Q_EMIT popupMenuRequested();
}

void Form1::Timer2_Timer()
{
    MOUSEPIC2();
}

void Form1::MOUSEPIC2()
{
    const ChangeBatch::Scope changes(m_changes);
    if (!m_fields.panActive)
        return;
    m_controls.timer2Interval = panRepeatMs;
    BotanOK();
    Surface& frame = m_controls.picture1;
    const double pressX = m_fields.panMouseX + (m_fields.panOnFirstPage ? m_controls.picture3.width : 0);
    const PanStep step =
        panStep({m_controls.nori.width, m_controls.nori.height, frame.left, frame.width, frame.height},
                pressX, m_fields.panMouseY);
    if (step.setLeft)
        frame.left = step.left;
    if (step.setTop)
        frame.top = step.top;
    m_changes.note();
}

void Form1::Timer1_Timer()
{
    const ChangeBatch::Scope changes(m_changes);
    AutoScroll scroll{m_fields.scrollPos, m_fields.scrollReturning};
    m_controls.picture1.top = autoScrollTick(scroll, m_fields.scrollStep, m_fields.scrollRange);
    m_fields.scrollPos = scroll.position;
    m_fields.scrollReturning = scroll.returning;
    m_changes.note();
}

void Form1::Slider1_Scroll(int value)
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.slider1.value = value;
    m_fields.scrollStep = qint16(value);
    m_controls.label1 = QString::number(value);
    m_changes.note();
}

} // namespace ruvo
