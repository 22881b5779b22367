#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ruvo {

// Text files the viewer shares with the code-page world: Windows code page 932 where every
// character fits, otherwise UTF-8 behind a byte-order mark so that nothing is lost.
QByteArray encodeCodePageText(const QString& text);
// UTF-8 when the bytes start with a byte-order mark, code page 932 otherwise.
QString decodeCodePageText(const QByteArray& bytes);
// The bytes read as code page 932; nothing when they are not valid there.
std::optional<QString> decodeCodePageStrictly(const QByteArray& bytes);
// A text file read only where every byte is understood: after a byte-order mark as
// UTF-8 (bytes outside it kept as file names keep them), otherwise as code page 932 or,
// failing that, as UTF-8; nothing when the bytes are valid in neither.
std::optional<QString> decodeCodePageTextExactly(const QByteArray& bytes);
// The lines of a text, without their ends (CR LF or a lone LF); a last line needs no end.
QStringList linesOfText(const QString& text);

} // namespace ruvo
