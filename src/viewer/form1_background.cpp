// The background colour panel over the viewing area: the colour under
// consideration is the panel's own, and OK applies it.
#include "common/number_text.h"
#include "display/background_palette.h"
#include "platform/random_service.h"
#include "viewer/form1.h"

namespace ruvo {

void Form1::openSettingsPanel()
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.picture4.move(0, 0, m_controls.nori.width, m_controls.nori.height);
    m_controls.picture4.visible = true;
    m_changes.note();
}

void Form1::col_Click(int index)
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.picture4.backColor = swatch(index).value();
    m_changes.note();
}

void Form1::colimage_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    RandomService& random = m_platform.random;
    random.reseed();
    const double r1 = random.next();
    const double r2 = random.next();
    const double r3 = random.next();
    const int red = roundHalfEven(r1 * 255);
    const int green = roundHalfEven(r2 * 255);
    const int blue = roundHalfEven(r3 * 255);
    m_controls.picture4.backColor = red + 256 * green + 65536 * blue;
    m_changes.note();
}

void Form1::Command3_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.picture1.backColor = m_controls.picture4.backColor;
    m_controls.nori.backColor = m_controls.picture4.backColor;
    m_controls.picture4.visible = false;
    m_changes.note();
}

void Form1::Command2_Click()
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.picture4.visible = false;
    m_changes.note();
}

} // namespace ruvo
