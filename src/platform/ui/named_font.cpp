#include "platform/ui/named_font.h"

#include <QStringList>

namespace ruvo {

QFont namedFont(const QString& family, const QFont& base)
{
    QFont font = base;
    font.setFamilies({family, QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    return font;
}

} // namespace ruvo
