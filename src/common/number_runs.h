#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace ruvo {

// The text with full-width digits (０ to ９) read as ASCII ones.
QString withAsciiDigits(QString text);

// Both are inline: sorting a large folder calls them for nearly every character it compares.
inline bool isAsciiDigit(QChar c)
{
    return char16_t(c.unicode() - u'0') <= 9;
}

// The end of the run of ASCII digits that starts at from (from itself if there is none).
inline qsizetype digitsEnd(QStringView text, qsizetype from)
{
    while (from < text.size() && isAsciiDigit(text[from]))
        ++from;
    return from;
}

// Compares two runs of ASCII digits by the numbers they make, of any length: leading
// zeros do not count, so 007 and 7 are alike.
int compareDigitRuns(QStringView a, QStringView b);

// The text cut into runs of ASCII digits and runs of anything else, in order.
QList<QStringView> numberRuns(QStringView text);

} // namespace ruvo
