#include "display/color_value.h"

namespace ruvo {

QColor colorFromValue(int value)
{
    const auto v = static_cast<unsigned>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int colorValue(const QColor& color)
{
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

} // namespace ruvo
