#include "platform/code_page.h"

#include "platform/native_name.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ruvo {

namespace {

// Only the name-taking constructors reach ICU's converters; encodingForName() does not know
// this one. "windows-31j" is the Microsoft variant (NEC and IBM extensions, U+FF5E for 0x8160).
constexpr const char* CodePageName = "windows-31j";
const QByteArray Utf8Bom("\xEF\xBB\xBF", 3);

// Stateless: each call sees a whole text, so a dangling lead byte or surrogate at the end is
// an error rather than state carried into a call that never comes.
constexpr QStringConverter::Flags WholeText = QStringConverter::Flag::Stateless;

// Names that came from the file system may hold bytes that are not UTF-8; they are written
// back as those bytes, so that a stored path still finds its file.
QByteArray utf8WithBom(const QString& text)
{
    return Utf8Bom + nativeName(text);
}

} // namespace

QByteArray encodeCodePageText(const QString& text)
{
    QStringEncoder encoder(CodePageName, WholeText);
    if (!encoder.isValid())
        return utf8WithBom(text);
    QByteArray bytes = encoder.encode(text);
    // The encoder substitutes what the code page lacks; rather than write a lossy file,
    // write all of it as UTF-8.
    if (encoder.hasError())
        return utf8WithBom(text);
    return bytes;
}

QString decodeCodePageText(const QByteArray& bytes)
{
    if (bytes.startsWith(Utf8Bom)) {
        // Only the first mark is dropped: a second one belongs to the text.
        return nameFromNative(QByteArrayView(bytes).sliced(Utf8Bom.size()));
    }
    QStringDecoder decoder(CodePageName, WholeText);
    if (!decoder.isValid())
        return QString::fromUtf8(bytes);
    return decoder.decode(bytes);
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
