#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace ruvo {

// Text files the viewer shares with the code-page world: Windows code page 932 where every
// character fits, otherwise UTF-8 behind a byte-order mark so that nothing is lost.
QByteArray encodeCodePageText(const QString& text);
// UTF-8 when the bytes start with a byte-order mark, code page 932 otherwise.
QString decodeCodePageText(const QByteArray& bytes);
// The bytes read as code page 932; nothing when they are not valid there.
std::optional<QString> decodeCodePageStrictly(const QByteArray& bytes);

} // namespace ruvo
