#include "FieldKind.h"
#include "Convert.h"

#include <QByteArray>
#include <QDateTime>
#include <cmath>

namespace rv {

bool isTextKind(FieldKind kind)
{
    return kind == FieldKind::Text || kind == FieldKind::FixedText;
}

bool isWholeNumberKind(FieldKind kind)
{
    return kind == FieldKind::Integer || kind == FieldKind::SmallInt;
}

bool isNumberKind(FieldKind kind)
{
    return isWholeNumberKind(kind) || kind == FieldKind::Decimal || kind == FieldKind::Currency
        || kind == FieldKind::Float;
}

QString kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Unknown: return QStringLiteral("Unknown");
    case FieldKind::Text: return QStringLiteral("String");
    case FieldKind::FixedText: return QStringLiteral("FixedChar");
    case FieldKind::Integer: return QStringLiteral("Integer");
    case FieldKind::SmallInt: return QStringLiteral("SmallInt");
    case FieldKind::Decimal: return QStringLiteral("BCD");
    case FieldKind::Currency: return QStringLiteral("Currency");
    case FieldKind::Float: return QStringLiteral("Float");
    case FieldKind::DateTime: return QStringLiteral("DateTime");
    case FieldKind::Boolean: return QStringLiteral("Boolean");
    case FieldKind::Blob: return QStringLiteral("Blob");
    }
    return {};
}

FieldKind kindFromTypeName(const QString &typeName)
{
    const QString t = typeName.trimmed().toLower();
    if (t.isEmpty())
        return FieldKind::Unknown;
    if (t.startsWith(QLatin1String("char")) || t.startsWith(QLatin1String("nchar"))
        || t.startsWith(QLatin1String("character(")) || t == QLatin1String("bpchar"))
        return FieldKind::FixedText;
    if (t.startsWith(QLatin1String("varchar")) || t.startsWith(QLatin1String("nvarchar"))
        || t.startsWith(QLatin1String("character varying")) || t.startsWith(QLatin1String("text"))
        || t == QLatin1String("citext") || t.startsWith(QLatin1String("clob")))
        return FieldKind::Text;
    if (t == QLatin1String("smallint") || t == QLatin1String("int2") || t == QLatin1String("tinyint"))
        return FieldKind::SmallInt;
    if (t == QLatin1String("int") || t == QLatin1String("integer") || t == QLatin1String("int4")
        || t == QLatin1String("bigint") || t == QLatin1String("int8"))
        return FieldKind::Integer;
    if (t == QLatin1String("money") || t.startsWith(QLatin1String("decimal(19,4)"))
        || t.startsWith(QLatin1String("numeric(19,4)")))
        return FieldKind::Currency;
    if (t.startsWith(QLatin1String("decimal")) || t.startsWith(QLatin1String("numeric")))
        return FieldKind::Decimal;
    if (t.startsWith(QLatin1String("float")) || t.startsWith(QLatin1String("double"))
        || t == QLatin1String("real"))
        return FieldKind::Float;
    if (t.startsWith(QLatin1String("datetime")) || t.startsWith(QLatin1String("timestamp"))
        || t == QLatin1String("date"))
        return FieldKind::DateTime;
    if (t == QLatin1String("bit") || t.startsWith(QLatin1String("bool")))
        return FieldKind::Boolean;
    if (t == QLatin1String("image") || t == QLatin1String("blob") || t == QLatin1String("bytea"))
        return FieldKind::Blob;
    return FieldKind::Unknown;
}

FieldKind kindFromValue(const QVariant &raw)
{
    if (!raw.isValid() || raw.isNull())
        return FieldKind::Unknown;
    switch (raw.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return FieldKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldKind::Decimal;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return FieldKind::DateTime;
    case QMetaType::Bool:
        return FieldKind::Boolean;
    case QMetaType::QByteArray:
        return FieldKind::Blob;
    default:
        return FieldKind::Text;
    }
}

namespace {

QString trimTrailingBlanks(QString s)
{
    int n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    s.truncate(n);
    return s;
}

QVariant toWholeNumber(const QVariant &raw)
{
    switch (raw.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QVariant(qlonglong(std::llround(raw.toDouble())));
    case QMetaType::Bool:
        return QVariant(qlonglong(raw.toBool() ? 1 : 0));
    case QMetaType::QString: {
        bool ok = false;
        const QString s = raw.toString().trimmed();
        const qlonglong v = s.toLongLong(&ok);
        if (ok)
            return QVariant(v);
        const double d = s.toDouble(&ok);
        return ok ? QVariant(qlonglong(std::llround(d))) : QVariant(s);
    }
    default:
        return QVariant(raw.toLongLong());
    }
}

QVariant toDouble(const QVariant &raw)
{
    if (raw.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = raw.toString().trimmed().toDouble(&ok);
        return ok ? QVariant(d) : QVariant(raw.toString());
    }
    return QVariant(raw.toDouble());
}

} // namespace

QVariant normaliseValue(const QVariant &raw, FieldKind kind)
{
    if (!raw.isValid() || raw.isNull())
        return QVariant();
    if (kind == FieldKind::Unknown)
        kind = kindFromValue(raw);
    switch (kind) {
    case FieldKind::Unknown:
        return raw;
    case FieldKind::Text:
    case FieldKind::FixedText:
        if (raw.typeId() == QMetaType::QDateTime)
            return QVariant(convert::formatDateTime(raw.toDateTime()));
        if (raw.typeId() == QMetaType::Double || raw.typeId() == QMetaType::Float)
            return QVariant(convert::formatNumber(raw.toDouble()));
        return QVariant(trimTrailingBlanks(raw.toString()));
    case FieldKind::Integer:
    case FieldKind::SmallInt:
        return toWholeNumber(raw);
    case FieldKind::Decimal:
    case FieldKind::Currency:
    case FieldKind::Float:
        return toDouble(raw);
    case FieldKind::DateTime:
        if (raw.typeId() == QMetaType::QDateTime)
            return QVariant(raw.toDateTime());
        if (raw.typeId() == QMetaType::QDate)
            return QVariant(QDateTime(raw.toDate(), QTime(0, 0)));
        {
            const QDateTime dt = convert::parseStoredDateTime(raw.toString());
            return dt.isValid() ? QVariant(dt) : QVariant(raw.toString());
        }
    case FieldKind::Boolean:
        if (raw.typeId() == QMetaType::QString) {
            const QString s = raw.toString().trimmed().toLower();
            return QVariant(s == QLatin1String("1") || s == QLatin1String("t")
                            || s == QLatin1String("true"));
        }
        return QVariant(raw.toBool());
    case FieldKind::Blob:
        return QVariant(raw.toByteArray());
    }
    return raw;
}

bool kindsCompatible(FieldKind declared, FieldKind actual)
{
    if (declared == FieldKind::Unknown || actual == FieldKind::Unknown)
        return true;
    if (isTextKind(declared))
        return isTextKind(actual);
    if (isWholeNumberKind(declared))
        return isWholeNumberKind(actual);
    if (isNumberKind(declared))
        return isNumberKind(actual);
    if (declared == FieldKind::Boolean)
        return actual == FieldKind::Boolean || isWholeNumberKind(actual);
    return declared == actual;
}

} // namespace rv
