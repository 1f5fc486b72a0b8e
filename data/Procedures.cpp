#include "Procedures.h"
#include "Connection.h"
#include "Convert.h"
#include "Errors.h"

#include <QRegularExpression>
#include <cmath>

namespace rv {

Backend ServerContext::backend() const
{
    return m_connection.backend();
}

RowSet ServerContext::query(const QString &sql, const QVariantList &args, const QList<FieldKind> &kinds)
{
    return m_connection.serverQuery(sql, args, kinds);
}

QVariant ServerContext::scalar(const QString &sql, const QVariantList &args)
{
    const RowSet rs = query(sql, args);
    if (rs.rows.isEmpty() || rs.rows.first().isEmpty())
        return {};
    return rs.rows.first().first();
}

int ServerContext::exec(const QString &sql, const QVariantList &args)
{
    return m_connection.serverExec(sql, args);
}

std::optional<RowSet> ServerContext::call(const QString &procedure, const QList<BoundValue> &args)
{
    return m_connection.callProcedureInline(procedure, args);
}

QDateTime ServerContext::now()
{
    const QString sql = backend() == Backend::SQLite
        ? QStringLiteral("select datetime('now','localtime')")
        : QStringLiteral("select localtimestamp(0)");
    const RowSet rs = query(sql, {}, {FieldKind::DateTime});
    return rs.rows.isEmpty() ? QDateTime() : rs.rows.first().first().toDateTime();
}

bool ProcedureArgs::isNull(int i) const
{
    return i < 0 || i >= m_values.size() || m_values[i].isNull();
}

const BoundValue &ProcedureArgs::raw(int i) const
{
    static const BoundValue null;
    return i < 0 || i >= m_values.size() ? null : m_values[i];
}

std::optional<QString> ProcedureArgs::text(int i) const
{
    if (isNull(i))
        return std::nullopt;
    const QVariant &v = m_values[i].value;
    if (v.typeId() == QMetaType::Double)
        return convert::formatNumber(v.toDouble()).replace(QLatin1Char(','), QLatin1Char('.'));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString();
}

std::optional<qint64> ProcedureArgs::integer(int i) const
{
    if (isNull(i))
        return std::nullopt;
    const QVariant &v = m_values[i].value;
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return v.toLongLong();
    case QMetaType::Double: {
        const double d = v.toDouble();
        return qint64(std::trunc(d));
    }
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default: {
        const QString t = v.toString().trimmed();
        if (t.isEmpty())
            return 0;
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("Conversion failed when converting the varchar value '%1' to "
                                               "data type int (procedure %2).")
                                    .arg(v.toString(), m_procedure));
        return n;
    }
    }
}

std::optional<double> ProcedureArgs::number(int i) const
{
    if (isNull(i))
        return std::nullopt;
    const QVariant &v = m_values[i].value;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        if (t.isEmpty())
            return 0.0;
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("Error converting data type varchar to numeric: '%1' "
                                               "(procedure %2).")
                                    .arg(v.toString(), m_procedure));
        return d;
    }
    return v.toDouble();
}

std::optional<bool> ProcedureArgs::boolean(int i) const
{
    if (isNull(i))
        return std::nullopt;
    const QVariant &v = m_values[i].value;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        return t == QLatin1String("1") || t == QLatin1String("true");
    }
    return v.toBool();
}

std::optional<QDateTime> ProcedureArgs::dateTime(int i) const
{
    if (isNull(i))
        return std::nullopt;
    const QVariant &v = m_values[i].value;
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    return parseYearDayMonth(v.toString());
}

QDateTime parseYearDayMonth(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*(\\d{4})/(\\d{1,2})/(\\d{1,2})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const auto m = pattern.match(text);
    if (m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2).toInt());
        const QTime time = m.captured(4).isEmpty()
            ? QTime(0, 0)
            : QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (date.isValid() && time.isValid())
            return QDateTime(date, time);
    }
    throw DatabaseError(
        QStringLiteral("Conversion failed when converting date and/or time from character string '%1'.")
            .arg(text));
}

void ProcedureRegistry::add(ProcedureDef def)
{
    const QString key = def.name.toLower();
    m_defs.insert(key, std::move(def));
}

const ProcedureDef *ProcedureRegistry::find(const QString &name) const
{
    auto it = m_defs.constFind(name.toLower());
    return it == m_defs.constEnd() ? nullptr : &it.value();
}

QStringList ProcedureRegistry::names() const
{
    QStringList n;
    for (const ProcedureDef &d : m_defs)
        n << d.name;
    n.sort(Qt::CaseInsensitive);
    return n;
}

} // namespace rv
