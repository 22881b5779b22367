#pragma once

#include <QString>
#include <QStringView>

namespace ruvo {

// Reads the leading decimal number of a text: blanks, an optional sign, digits
// and an optional fraction. An empty or unreadable text reads as 0.
double leadingNumber(QStringView text);

// The leading number of a text as an integer, rounded halves-to-even and held
// within the 32-bit range.
int leadingInteger(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// held within the 32-bit range.
int roundHalfEven(double value);

} // namespace ruvo
