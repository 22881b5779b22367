#include "common/number_text.h"

#include <cmath>
#include <limits>

namespace ruvo {

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    double sign = 1.0;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            sign = -1.0;
        ++i;
    }
    double value = 0.0;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10.0 + (text[i].unicode() - u'0');
        ++i;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        double scale = 0.1;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            value += (text[i].unicode() - u'0') * scale;
            scale /= 10.0;
            ++i;
        }
    }
    return sign * value;
}

int roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded <= lowest)
        return std::numeric_limits<int>::min();
    if (rounded >= highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

int leadingInteger(QStringView text)
{
    return roundHalfEven(leadingNumber(text));
}

} // namespace ruvo
