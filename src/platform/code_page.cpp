#include "platform/code_page.h"

#include "platform/native_name.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace ruvo {

namespace {

// Only the name-taking constructors reach ICU's converters; encodingForName() does not know
// this one. "windows-31j" is the Microsoft variant (NEC and IBM extensions, U+FF5E for 0x8160).
constexpr const char* CodePageName = "windows-31j";
const QByteArray Utf8Bom("\xEF\xBB\xBF", 3);

// Stateless: each call sees a whole text, so a dangling lead byte or surrogate at the end is
// an error rather than state carried into a call that never comes.
constexpr QStringConverter::Flags WholeText = QStringConverter::Flag::Stateless;

// In a UTF-8 file, a byte of a name that neither encoding can carry (valid in neither UTF-8
// nor code page 932) is written as the private-use character U+F700 + byte; so is each byte of
// a character of that range itself, so that the rule reads back without doubt.
constexpr char16_t EscapeBase = 0xF700;
constexpr char16_t FirstEscape = EscapeBase + 0x80;
constexpr char16_t LastEscape = EscapeBase + 0xFF;

bool isEscape(QChar c)
{
    return c.unicode() >= FirstEscape && c.unicode() <= LastEscape;
}

// Whether the bytes are code page 932 that reads back as the same bytes (of the characters
// the code page holds twice, the encoder writes only one form).
std::optional<QString> roundTripCodePage(const QByteArray& bytes)
{
    std::optional<QString> text = decodeCodePageStrictly(bytes);
    if (!text || encodeCodePageStrictly(*text) != bytes)
        return std::nullopt;
    return text;
}

// A piece of text between separators, as each kind of file holds it.
struct Piece
{
    // Nothing when a code-page 932 file cannot hold it.
    std::optional<QByteArray> inCodePage;
    QString inUtf8;
};

// Every byte of the piece's name, escaped: for a name valid in neither encoding.
QString escapedWhole(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text += value < 0x80 ? QChar(value) : QChar(char16_t(EscapeBase + value));
    }
    return text;
}

Piece pieceOf(const QString& text)
{
    if (!holdsForeignBytes(text)) {
        // A character of the escapes' own range is written as its bytes, escaped.
        const bool escapesItself = std::any_of(text.cbegin(), text.cend(), isEscape);
        return Piece{encodeCodePageStrictly(text), escapesItself ? escapedWhole(text.toUtf8()) : text};
    }
    // A name in code-page 932 bytes: those bytes in a code-page 932 file, its readable text in
    // a UTF-8 one (the reader finds the name on disk from either).
    const QByteArray bytes = nativeName(text);
    if (std::optional<QString> readable = roundTripCodePage(bytes))
        return Piece{bytes, *readable};
    return Piece{std::nullopt, escapedWhole(bytes)};
}

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\r' || c == u'\n';
}

// The text with each run of escapes turned back into the bytes they stand for.
QString withEscapesRead(const QString& text)
{
    if (std::none_of(text.cbegin(), text.cend(), isEscape))
        return text;
    QString read;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isEscape(text.at(i))) {
            read += text.at(i++);
            continue;
        }
        QByteArray bytes;
        while (i < text.size() && isEscape(text.at(i)))
            bytes += char(text.at(i++).unicode() - EscapeBase);
        read += nameFromNative(bytes);
    }
    return read;
}

} // namespace

QByteArray encodeCodePageText(const QString& text)
{
    // Separators are never part of a code-page 932 character, so each piece between them is
    // encoded on its own.
    QList<Piece> pieces;
    QList<QChar> separators;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text.at(i)))
            continue;
        pieces.append(pieceOf(text.sliced(start, i - start)));
        if (i < text.size())
            separators.append(text.at(i));
        start = i + 1;
    }
    const bool codePage = std::all_of(pieces.cbegin(), pieces.cend(),
                                      [](const Piece& piece) { return piece.inCodePage.has_value(); });
    QByteArray bytes;
    QString utf8;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (codePage)
            bytes += *pieces.at(i).inCodePage;
        else
            utf8 += pieces.at(i).inUtf8;
        if (i < separators.size()) {
            bytes += char(separators.at(i).unicode());
            utf8 += separators.at(i);
        }
    }
    return codePage ? bytes : Utf8Bom + utf8.toUtf8();
}

QString decodeCodePageText(const QByteArray& bytes)
{
    if (bytes.startsWith(Utf8Bom)) {
        // Only the first mark is dropped: a second one belongs to the text. Bytes that are not
        // UTF-8 (written so before the escapes) are kept as names keep them.
        return withEscapesRead(nameFromNative(QByteArrayView(bytes).sliced(Utf8Bom.size())));
    }
    QStringDecoder decoder(CodePageName, WholeText);
    if (!decoder.isValid())
        return QString::fromUtf8(bytes);
    return decoder.decode(bytes);
}

std::optional<QByteArray> encodeCodePageStrictly(QStringView text)
{
    QStringEncoder encoder(CodePageName, WholeText);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

std::optional<QString> decodeCodePageStrictly(const QByteArray& bytes)
{
    QStringDecoder decoder(CodePageName, WholeText);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeCodePageTextExactly(const QByteArray& bytes)
{
    if (bytes.startsWith(Utf8Bom))
        return decodeCodePageText(bytes);
    if (std::optional<QString> text = decodeCodePageStrictly(bytes))
        return text;
    QStringDecoder utf8(QStringConverter::Utf8, WholeText);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

QStringList linesOfText(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        else if (end > start && text.at(end - 1) == u'\r')
            --end;
        lines.append(text.sliced(start, end - start));
        start = next;
    }
    return lines;
}

} // namespace ruvo
