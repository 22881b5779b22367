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

// A line break or another control character in a name would break the line it is shown on:
// each is shown as the mark that stands for it.
QString withControlsShown(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7F)
            c = QChar(0x2421);
    }
    return text;
}

} // namespace

QString readableName(const QString& name)
{
    if (!holdsForeignBytes(name))
        return withControlsShown(name);
    QStringList parts = name.split(pathSeparator);
    for (QString& part : parts)
        part = readablePart(part);
    return withControlsShown(parts.join(pathSeparator));
}

} // namespace ruvo
