#pragma once

#include <QFont>
#include <QString>

struct _wmfFont;

namespace ruvo {

// A metafile's logical font as Qt sees it: face, weight, slant, angle, and the
// code page its text is written in.
class WmfFont
{
public:
    explicit WmfFont(const _wmfFont* font);

    // The font at a size in pixels.
    QFont font(double pixelSize) const;
    // Text of this font's code page as Unicode.
    QString decode(const char* text) const;
    // Counter-clockwise angle of the text's baseline.
    double angleDegrees() const { return m_angleDegrees; }

private:
    QString m_family;
    int m_weight = 400;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    int m_charSet = 0;
    double m_angleDegrees = 0;
};

} // namespace ruvo
