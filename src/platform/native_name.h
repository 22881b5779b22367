#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace ruvo {

// File names on Linux are bytes. Most are UTF-8, but books unpacked from archives made
// elsewhere often carry code-page 932 or Latin-1 names. A name is held as a QString with
// every byte that is not part of valid UTF-8 kept as the lone surrogate U+DC00 + byte, so
// that the QString leads back to exactly the bytes it came from.

// The bytes the file system knows the name by.
QByteArray nativeName(const QString& name);
// The name for these bytes, losing nothing.
QString nameFromNative(QByteArrayView bytes);
// True when the name holds bytes that are not UTF-8.
bool holdsForeignBytes(const QString& name);
// The command line's arguments, each by its exact bytes.
QStringList argumentsFromNative(int argc, const char* const* argv);
// The name with each byte that is not UTF-8 shown as the character given.
QString withForeignBytesShownAs(const QString& name, QChar shown);

} // namespace ruvo
