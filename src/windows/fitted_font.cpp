#include "windows/fitted_font.h"

#include <QFontMetricsF>

namespace ruvo {

QFont fittedFont(QFont font, const QString& text, qreal width)
{
    while (font.pointSizeF() > 1 && QFontMetricsF(font).horizontalAdvance(text) > width)
        font.setPointSizeF(std::max(1.0, font.pointSizeF() - 1));
    return font;
}

} // namespace ruvo
