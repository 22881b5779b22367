#include "imaging/metafile/wmf_font.h"

#include <QStringDecoder>

#include <libwmf/ipa.h>

#include <algorithm>
#include <cstring>

namespace ruvo {

namespace {

constexpr int kShiftJisCharSet = 128;
constexpr size_t kMaxTextBytes = 65536;

// Windows character sets and the code pages their text is stored in.
const char* codePageFor(int charSet)
{
    switch (charSet) {
    case kShiftJisCharSet:
        return "windows-31j";
    case 129:
        return "windows-949";
    case 134:
        return "GBK";
    case 136:
        return "Big5";
    case 161:
        return "windows-1253";
    case 162:
        return "windows-1254";
    case 163:
        return "windows-1258";
    case 177:
        return "windows-1255";
    case 178:
        return "windows-1256";
    case 186:
        return "windows-1257";
    case 204:
        return "windows-1251";
    case 222:
        return "windows-874";
    case 238:
        return "windows-1250";
    default:
        return "windows-1252";
    }
}

QString decodeIn(int charSet, const char* text)
{
    if (!text)
        return QString();
    const QByteArray bytes(text, qsizetype(strnlen(text, kMaxTextBytes)));
    QStringDecoder decoder(codePageFor(charSet));
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

} // namespace

WmfFont::WmfFont(const _wmfFont* font)
{
    if (!font)
        return;
    m_charSet = font->lfCharSet;
    m_family = decodeIn(m_charSet, font->lfFaceName).trimmed();
    if (font->lfWeight != 0)
        m_weight = std::clamp(int(font->lfWeight), 100, 900);
    m_italic = font->lfItalic != 0;
    m_underline = font->lfUnderline != 0;
    m_strikeOut = font->lfStrikeOut != 0;
    m_angleDegrees = font->lfEscapement / 10.0;
}

QFont WmfFont::font(double pixelSize) const
{
    QFont font;
    if (!m_family.isEmpty())
        font.setFamily(m_family);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    font.setWeight(QFont::Weight(m_weight));
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikeOut);
    return font;
}

QString WmfFont::decode(const char* text) const
{
    return decodeIn(m_charSet, text);
}

} // namespace ruvo
