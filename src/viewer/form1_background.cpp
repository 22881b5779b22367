// The background colour panel over the viewing area: the colour under
// consideration is the panel's own, and OK applies it.
#include "display/background_palette.h"
#include "platform/random_service.h"
#include "viewer/form1.h"
#include "common/number_text.h"

namespace ruvo {

void Form1::openSettingsPanel()
{
    m_controls.picture4.move(0, 0, m_controls.nori.width, m_controls.nori.height);
    m_controls.picture4.visible = true;
    Q_EMIT changed();
}

void Form1::col_Click(int index)
{
    m_controls.picture4.backColor = swatch(index).value();
    Q_EMIT changed();
}

void Form1::colimage_Click()
{
    RandomService& random = m_platform.random;
    random.reseed();
    const double r1 = random.next();
    const double r2 = random.next();
    const double r3 = random.next();
    const int red = roundHalfEven(r1 * 255);
    const int green = roundHalfEven(r2 * 255);
    const int blue = roundHalfEven(r3 * 255);
    m_controls.picture4.backColor = red + 256 * green + 65536 * blue;
    Q_EMIT changed();
}

void Form1::Command3_Click()
{
    m_controls.picture1.backColor = m_controls.picture4.backColor;
    m_controls.nori.backColor = m_controls.picture4.backColor;
    m_controls.picture4.visible = false;
    Q_EMIT changed();
}

void Form1::Command2_Click()
{
    m_controls.picture4.visible = false;
    Q_EMIT changed();
}

} // namespace ruvo
