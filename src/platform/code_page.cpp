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

} // namespace ruvo
