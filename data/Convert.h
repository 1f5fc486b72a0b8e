#pragma once
// Conversions between the texts of edits and numbers, in the Brazilian format
// (decimal comma, no thousands separator) whatever the machine's locale.
// Failures raise ConversionError with the messages the screens show:
//   "'%s' is not a valid integer value"
//   "'%s' is not a valid floating point value"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace rv::convert {

// Whole number from text: optional blanks around, optional sign, digits, 32-bit range.
int toInteger(const QString &text);
// Floating point number from text with a decimal comma ("12,5", "-3", "1E3").
double toFloat(const QString &text);
// Fixed-point amount with four decimal places (rounded to 1/10000).
double toCurrency(const QString &text);

// Plain decimal text with a comma, no thousands separators, no trailing zeros:
// 12.5 -> "12,5", 10.0 -> "10", -0.25 -> "-0,25".
QString formatNumber(double value);
// Date and time as the screens show them: "dd/MM/yyyy HH:mm:ss", or the date
// alone when the time is midnight.
QString formatDateTime(const QDateTime &value);

// Reading a date-time the way both backends deliver it: QDateTime, or text
// "yyyy-MM-dd HH:mm:ss" (optionally with 'T' or fractions), or a date alone.
QDateTime parseStoredDateTime(const QString &text);

// Banker's rounding to a whole number (halves to the even neighbour).
qint64 roundHalfEven(double value);

} // namespace rv::convert
