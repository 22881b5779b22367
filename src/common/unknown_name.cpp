#include "common/unknown_name.h"

#include <QtGlobal>

namespace ruvo {

void reportUnknownName(const char* where, const QString& name)
{
    static const bool strict = qEnvironmentVariableIsSet("RUVO_STRICT_NAMES");
    if (strict)
        qFatal("%s: unknown name \"%s\"", where, qPrintable(name));
    qWarning("%s: unknown name \"%s\"", where, qPrintable(name));
}

} // namespace ruvo
