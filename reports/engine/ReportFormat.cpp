#include "ReportFormat.h"

#include "data/Convert.h"
#include "data/DatasetModel.h"
#include "data/Errors.h"
#include "data/Procedures.h"

#include <cmath>

namespace rv {

std::optional<ValueFormat> valueFormatFromName(const QString &name)
{
    static const QList<QPair<QString, ValueFormat>> names{
        {QStringLiteral("auto"), ValueFormat::Automatic},  {QStringLiteral("text"), ValueFormat::Text},
        {QStringLiteral("integer"), ValueFormat::Integer}, {QStringLiteral("number"), ValueFormat::Number},
        {QStringLiteral("currency"), ValueFormat::Currency}, {QStringLiteral("date"), ValueFormat::Date},
        {QStringLiteral("datetime"), ValueFormat::DateTime}, {QStringLiteral("time"), ValueFormat::Time},
        {QStringLiteral("boolean"), ValueFormat::Boolean}, {QStringLiteral("pattern"), ValueFormat::Pattern},
    };
    const QString key = name.trimmed().toLower();
    if (key.isEmpty())
        return ValueFormat::Automatic;
    for (const auto &n : names)
        if (n.first == key)
            return n.second;
    return std::nullopt;
}

std::optional<double> numberOf(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::QString:
        try {
            return convert::toFloat(value.toString());
        } catch (const Error &) {
            return std::nullopt;
        }
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    default: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        return ok ? std::optional<double>(d) : std::nullopt;
    }
    }
}

QString formatGroupedNumber(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 6);
    const double factor = std::pow(10.0, decimals);
    const qint64 scaled = std::llround(value * factor);
    const qint64 magnitude = std::llabs(scaled);
    const qint64 unit = qint64(factor);
    QString digits = QString::number(magnitude / unit);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char('.'));
    QString text = scaled < 0 ? QStringLiteral("-") + digits : digits;
    if (decimals > 0)
        text += QLatin1Char(',') + QStringLiteral("%1").arg(magnitude % unit, decimals, 10, QLatin1Char('0'));
    return text;
}

namespace {

// A plain number for data files: decimal comma, no grouping.
QString plainNumber(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 6);
    if (std::llround(value * std::pow(10.0, decimals)) == 0)
        value = 0.0; // no "-0,00"
    QString text = QString::number(value, 'f', decimals);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

// Date-times arrive as values, as stored texts, or as the year/day/month
// texts that the screens send as statement parameters.
QDateTime dateTimeOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    if (value.typeId() != QMetaType::QString)
        return {};
    const QString text = value.toString();
    try {
        return parseYearDayMonth(text);
    } catch (const Error &) {
    }
    QDateTime dt = convert::parseStoredDateTime(text);
    if (!dt.isValid())
        dt = QDateTime::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

ValueFormat automaticFormat(const QVariant &value, FieldKind kind, const FormatSpec &spec)
{
    if (spec.currencyKind || kind == FieldKind::Currency)
        return ValueFormat::Currency;
    if (isWholeNumberKind(kind))
        return ValueFormat::Integer;
    if (kind == FieldKind::Decimal || kind == FieldKind::Float)
        return ValueFormat::Number;
    if (kind == FieldKind::DateTime || value.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = dateTimeOf(value);
        return dt.isValid() && dt.time() == QTime(0, 0) ? ValueFormat::Date : ValueFormat::DateTime;
    }
    if (kind == FieldKind::Boolean || value.typeId() == QMetaType::Bool)
        return ValueFormat::Boolean;
    if (value.typeId() == QMetaType::Double)
        return ValueFormat::Number;
    return ValueFormat::Text;
}

} // namespace

QString formatValue(const QVariant &value, FieldKind kind, const FormatSpec &spec, FormatPurpose purpose)
{
    if (!value.isValid() || value.isNull())
        return {};
    const ValueFormat format = spec.format == ValueFormat::Automatic ? automaticFormat(value, kind, spec) : spec.format;
    const QString asText = Field::textOf(value);
    switch (format) {
    case ValueFormat::Automatic:
    case ValueFormat::Text:
        return asText;
    case ValueFormat::Integer: {
        const auto n = numberOf(value);
        return n ? QString::number(std::llround(*n)) : asText;
    }
    case ValueFormat::Number:
    case ValueFormat::Currency: {
        const auto n = numberOf(value);
        if (!n)
            return asText;
        if (purpose == FormatPurpose::Data)
            return plainNumber(*n, spec.decimals);
        if (format == ValueFormat::Currency)
            return spec.decimals == 2 ? formatCurrency(*n) : QStringLiteral("R$ ") + formatGroupedNumber(*n, spec.decimals);
        return formatGroupedNumber(*n, spec.decimals);
    }
    case ValueFormat::Date:
    case ValueFormat::DateTime:
    case ValueFormat::Time: {
        const QDateTime dt = dateTimeOf(value);
        if (!dt.isValid())
            return asText;
        if (format == ValueFormat::Date)
            return dt.toString(QStringLiteral("dd/MM/yyyy"));
        if (format == ValueFormat::Time)
            return dt.toString(QStringLiteral("HH:mm"));
        return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    }
    case ValueFormat::Boolean: {
        const QString t = asText.trimmed().toLower();
        const bool on = value.typeId() == QMetaType::Bool
            ? value.toBool()
            : (t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("t"));
        return on ? QStringLiteral("Sim") : QStringLiteral("Não");
    }
    case ValueFormat::Pattern: {
        QString t = asText;
        while (t.endsWith(QLatin1Char('%')))
            t.chop(1);
        return t.trimmed();
    }
    }
    return asText;
}

QString expandTemplate(const QString &text, const std::function<std::optional<QVariant>(const QString &)> &lookup)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('{') && i + 1 < text.size() && text[i + 1] == QLatin1Char('{')) {
            out += QLatin1Char('{');
            ++i;
            continue;
        }
        if (ch == QLatin1Char('}') && i + 1 < text.size() && text[i + 1] == QLatin1Char('}')) {
            out += QLatin1Char('}');
            ++i;
            continue;
        }
        if (ch != QLatin1Char('{')) {
            out += ch;
            continue;
        }
        const int close = text.indexOf(QLatin1Char('}'), i + 1);
        if (close < 0) { // an unclosed brace is plain text
            out += text.mid(i);
            break;
        }
        const QString inner = text.mid(i + 1, close - i - 1);
        const int bar = inner.indexOf(QLatin1Char('|'));
        const QString name = (bar < 0 ? inner : inner.left(bar)).trimmed();
        FormatSpec spec;
        if (bar >= 0)
            spec.format = valueFormatFromName(inner.mid(bar + 1)).value_or(ValueFormat::Text);
        if (const auto value = lookup(name))
            out += formatValue(*value, FieldKind::Unknown, spec);
        i = close;
    }
    return out;
}

} // namespace rv
