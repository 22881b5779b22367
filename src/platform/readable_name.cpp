#include "platform/readable_name.h"

#include "platform/code_page.h"
#include "platform/native_name.h"
#include "platform/paths.h"

#include <QStringList>

namespace ruvo {

namespace {

QString readablePart(const QString& part)
{
    if (!holdsForeignBytes(part))
        return part;
    if (const std::optional<QString> decoded = decodeCodePageStrictly(nativeName(part)))
        return *decoded;
    return withForeignBytesShownAs(part, QChar::ReplacementCharacter);
}

} // namespace

QString readableName(const QString& name)
{
    if (!holdsForeignBytes(name))
        return name;
    QStringList parts = name.split(pathSeparator);
    for (QString& part : parts)
        part = readablePart(part);
    return parts.join(pathSeparator);
}

} // namespace ruvo
