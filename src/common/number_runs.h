#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace ruvo {

// The text with full-width digits (０ to ９) read as ASCII ones.
QString withAsciiDigits(QString text);

bool isAsciiDigit(QChar c);

// The end of the run of ASCII digits that starts at from (from itself if there is none).
qsizetype digitsEnd(QStringView text, qsizetype from);

// Compares two runs of ASCII digits by the numbers they make, of any length: leading
// zeros do not count, so 007 and 7 are alike.
int compareDigitRuns(QStringView a, QStringView b);

// The text cut into runs of ASCII digits and runs of anything else, in order.
QList<QStringView> numberRuns(QStringView text);

} // namespace ruvo
