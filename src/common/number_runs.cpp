#include "common/number_runs.h"

namespace ruvo {

namespace {

constexpr char16_t fullWidthZero = u'\uFF10';
constexpr char16_t fullWidthNine = u'\uFF19';

QStringView withoutLeadingZeros(QStringView digits)
{
    qsizetype from = 0;
    while (from + 1 < digits.size() && digits[from] == u'0')
        ++from;
    return digits.sliced(from);
}

} // namespace

QString withAsciiDigits(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() >= fullWidthZero && c.unicode() <= fullWidthNine)
            c = QChar(u'0' + (c.unicode() - fullWidthZero));
    }
    return text;
}

int compareDigitRuns(QStringView a, QStringView b)
{
    const QStringView valueA = withoutLeadingZeros(a);
    const QStringView valueB = withoutLeadingZeros(b);
    if (valueA.size() != valueB.size())
        return valueA.size() < valueB.size() ? -1 : 1;
    return valueA.compare(valueB);
}

QList<QStringView> numberRuns(QStringView text)
{
    QList<QStringView> runs;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype end = digitsEnd(text, from);
        if (end == from) {
            while (end < text.size() && !isAsciiDigit(text[end]))
                ++end;
        }
        runs.append(text.sliced(from, end - from));
        from = end;
    }
    return runs;
}

} // namespace ruvo
