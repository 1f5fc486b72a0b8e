#include "Field.h"
#include "Convert.h"

#include <cmath>

namespace rv {

QString Field::textOf(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return convert::formatNumber(value.toDouble());
    case QMetaType::QDateTime:
        return convert::formatDateTime(value.toDateTime());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

QString Field::asString() const
{
    return textOf(m_value);
}

int Field::asInteger() const
{
    if (isNull())
        return 0;
    switch (m_value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return int(m_value.toLongLong());
    case QMetaType::Double:
        return int(std::llround(m_value.toDouble()));
    case QMetaType::Bool:
        return m_value.toBool() ? 1 : 0;
    default:
        return convert::toInteger(m_value.toString());
    }
}

double Field::asFloat() const
{
    if (isNull())
        return 0.0;
    switch (m_value.typeId()) {
    case QMetaType::QString:
        return convert::toFloat(m_value.toString());
    case QMetaType::Bool:
        return m_value.toBool() ? 1.0 : 0.0;
    default:
        return m_value.toDouble();
    }
}

QDateTime Field::asDateTime() const
{
    if (isNull())
        return {};
    if (m_value.typeId() == QMetaType::QDateTime)
        return m_value.toDateTime();
    return convert::parseStoredDateTime(m_value.toString());
}

bool Field::asBoolean() const
{
    if (isNull())
        return false;
    if (m_value.typeId() == QMetaType::QString) {
        const QString s = m_value.toString().trimmed().toLower();
        return s == QLatin1String("1") || s == QLatin1String("true") || s == QLatin1String("t");
    }
    return m_value.toBool();
}

} // namespace rv
