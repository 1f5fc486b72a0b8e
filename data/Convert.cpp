#include "Convert.h"
#include "Errors.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace rv::convert {

namespace {

[[noreturn]] void invalidInteger(const QString &text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

[[noreturn]] void invalidFloat(const QString &text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

} // namespace

int toInteger(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        invalidInteger(text);
    int i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size())
        invalidInteger(text);
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            invalidInteger(text);
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            invalidInteger(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        invalidInteger(text);
    return int(value);
}

double toFloat(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed();
    if (!pattern.match(t).hasMatch())
        invalidFloat(text);
    QString c = t;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(value))
        invalidFloat(text);
    return value;
}

double toCurrency(const QString &text)
{
    const double value = toFloat(text);
    return std::round(value * 10000.0) / 10000.0;
}

QString formatNumber(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // Fifteen significant digits hide the binary noise of sums (0.1 + 0.2).
    QString s = QString::number(value, 'f', 10);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1.0) {
        const int intDigits = int(std::floor(std::log10(magnitude))) + 1;
        const int decimals = std::max(0, 15 - intDigits);
        s = QString::number(value, 'f', std::min(decimals, 10));
    }
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString formatDateTime(const QDateTime &value)
{
    if (!value.isValid())
        return {};
    if (value.time() == QTime(0, 0))
        return value.toString(QStringLiteral("dd/MM/yyyy"));
    return value.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

namespace {

// Digits at [from, from + count) of a text, or -1.
int digitsAt(const QString &t, int from, int count)
{
    int v = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

} // namespace

QDateTime parseStoredDateTime(const QString &text)
{
    // The common form, "yyyy-MM-dd HH:mm:ss", read directly: held results
    // convert every date-time of every row.
    if (text.size() >= 19 && text[4] == QLatin1Char('-') && text[7] == QLatin1Char('-')
        && (text[10] == QLatin1Char(' ') || text[10] == QLatin1Char('T')) && text[13] == QLatin1Char(':')
        && text[16] == QLatin1Char(':') && (text.size() == 19 || text[19] == QLatin1Char('.'))) {
        const QDate d(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
        const QTime t(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
        if (d.isValid() && t.isValid())
            return QDateTime(d, t);
    }
    QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    t.replace(QLatin1Char('T'), QLatin1Char(' '));
    const int dot = t.indexOf(QLatin1Char('.'));
    if (dot > 0)
        t.truncate(dot);
    QDateTime dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

qint64 roundHalfEven(double value)
{
    return qint64(std::nearbyint(value)); // default rounding mode: to nearest, ties to even
}

} // namespace rv::convert
