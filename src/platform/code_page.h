#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ruvo {

// Text files the viewer shares with the code-page world: Windows code page 932 where every
// character fits, otherwise UTF-8 behind a byte-order mark so that nothing is lost. Either is
// valid text throughout. A name held in bytes that are not UTF-8 (see native_name.h) is
// written as those bytes in a code-page 932 file when they are code page 932, and as their
// readable text in a UTF-8 one; pathOnDisk() finds such a name on disk again from that text.
// Bytes valid in neither encoding go to UTF-8 as the private-use characters U+F780 to U+F7FF,
// U+F700 + byte (as does each byte of a character of that range), and read back as the bytes.
QByteArray encodeCodePageText(const QString& text);
// UTF-8 when the bytes start with a byte-order mark, code page 932 otherwise.
QString decodeCodePageText(const QByteArray& bytes);
// The text in code page 932; nothing when the code page lacks one of its characters.
std::optional<QByteArray> encodeCodePageStrictly(QStringView text);
// The bytes read as code page 932; nothing when they are not valid there.
std::optional<QString> decodeCodePageStrictly(const QByteArray& bytes);
// A text file read only where every byte is understood: after a byte-order mark as
// UTF-8 (bytes outside it kept as file names keep them), otherwise as code page 932 or,
// failing that, as UTF-8; nothing when the bytes are valid in neither.
std::optional<QString> decodeCodePageTextExactly(const QByteArray& bytes);
// The lines of a text, without their ends (CR LF or a lone LF); a last line needs no end.
QStringList linesOfText(const QString& text);

} // namespace ruvo
