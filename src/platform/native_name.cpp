#include "platform/native_name.h"

#include "platform/paths.h"

#include <QStringDecoder>
#include <QStringList>

namespace ruvo {

namespace {

constexpr char16_t escapeBase = 0xDC00;
// Only bytes from 0x80 up can be outside UTF-8; ASCII always decodes as itself.
constexpr char16_t firstEscape = escapeBase + 0x80;
constexpr char16_t lastEscape = escapeBase + 0xFF;

// A kept byte is a low surrogate on its own: the same code unit after a high surrogate is
// half of a character beyond U+FFFF.
bool isEscapeAt(QStringView name, qsizetype at)
{
    const char16_t c = name.at(at).unicode();
    return c >= firstEscape && c <= lastEscape && (at == 0 || !name.at(at - 1).isHighSurrogate());
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at bytes[at], 0 when none starts there. Overlong forms,
// encoded surrogates and values above U+10FFFF are not valid.
qsizetype utf8SequenceAt(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    const unsigned char lead = byte(at);
    const qsizetype left = bytes.size() - at;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && isContinuation(byte(at + 1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !isContinuation(byte(at + 1)) || !isContinuation(byte(at + 2)))
            return 0;
        const unsigned char second = byte(at + 1);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !isContinuation(byte(at + 1)) || !isContinuation(byte(at + 2)) ||
            !isContinuation(byte(at + 3)))
            return 0;
        const unsigned char second = byte(at + 1);
        if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

// Valid UTF-8 as it stands: a byte-order mark at the start is a character of the name.
QString decodedRun(QByteArrayView run)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(run);
}

} // namespace

QByteArray nativeName(const QString& name)
{
    if (!holdsForeignBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !isEscapeAt(name, i))
            continue;
        bytes += QStringView(name).sliced(runStart, i - runStart).toUtf8();
        if (i < name.size())
            bytes += static_cast<char>(name.at(i).unicode() - escapeBase);
        runStart = i + 1;
    }
    return bytes;
}

QString nameFromNative(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = utf8SequenceAt(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        name += decodedRun(bytes.sliced(runStart, i - runStart));
        name += QChar(static_cast<char16_t>(escapeBase + static_cast<unsigned char>(bytes.at(i))));
        ++i;
        runStart = i;
    }
    name += decodedRun(bytes.sliced(runStart));
    return name;
}

bool holdsForeignBytes(const QString& name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isEscapeAt(name, i))
            return true;
    }
    return false;
}

QStringList argumentsFromNative(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(nameFromNative(argv[i]));
    return arguments;
}

QString withForeignBytesShownAs(const QString& name, QChar shown)
{
    QString result = name;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isEscapeAt(name, i))
            result[i] = shown;
    }
    return result;
}

} // namespace ruvo
