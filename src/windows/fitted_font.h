#pragma once

#include <QFont>
#include <QString>

namespace ruvo {

// The font at the largest point size, up to its own, at which text fits in width pixels; at
// least 1 point.
QFont fittedFont(QFont font, const QString& text, qreal width);

} // namespace ruvo
