#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace ruvo {

// The value of a key in a section of an INI file's text ("[section]" lines,
// then "key=value" lines; a quoted value may escape \" and \\), or nothing.
std::optional<QString> iniValue(const QByteArray& text, const QString& section, const QString& key);

// The text with the key of the section set to value: its line replaced, or a
// line added at the end of the section, or the section added at the end.
// Every other line stays as it was, byte for byte.
QByteArray withIniValue(const QByteArray& text, const QString& section, const QString& key,
                        const QString& value);

} // namespace ruvo
