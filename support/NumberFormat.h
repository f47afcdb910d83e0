#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Numbers in project texts and settings are written with a point as decimal separator and no
// blanks or group separators, whatever the locale; numbers typed by the user are read with
// the locale's separator.
namespace NumberFormat {

// The value with at most maxDecimals decimals (0 to 15) and no trailing zeros: "2.5",
// "1440", "-0.25". A value that rounds to zero is "0", never "-0"; infinities and NaN,
// which no reader could take back, are written as "0".
QString Format(double value, int maxDecimals = 6);

// Reads invariant text: optional sign, digits with an optional point and fraction, an
// optional exponent; surrounding blanks are ignored. ok is false (and 0 returned) for
// anything else, including empty text, group separators, infinities and NaN.
double ParseInvariant(const QString &text, bool *ok = nullptr);

// Reads text typed by the user whose decimal separator is decimalSeparator.
double ParseLocal(const QString &text, QChar decimalSeparator, bool *ok = nullptr);

// The value rounded to 2 decimals, halves away from zero.
double Round2(double value);

// A whole number in decimal, blanks around it allowed. Codes and masks in project texts are
// mostly a few plain digits, which take a fast path past the general conversion.
bool ParseInteger(QStringView text, qint64 &value);

} // namespace NumberFormat
