#include "ProcedureSupport.h"

namespace rv::db {

RowSet shaped(const Columns &columns, const RowSet &rows)
{
    RowSet out;
    out.columns = columns;
    out.rows.reserve(rows.rows.size());
    for (const Row &in : rows.rows) {
        Row row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row.append(normaliseValue(i < in.size() ? in[i] : QVariant(), columns[i].kind));
        out.rows.append(std::move(row));
    }
    return out;
}

RowSet emptyResult(const Columns &columns)
{
    RowSet out;
    out.columns = columns;
    return out;
}

QVariant orNull(const std::optional<qint64> &v)
{
    return v ? QVariant(qlonglong(*v)) : QVariant();
}

QVariant orNull(const std::optional<QString> &v)
{
    return v ? QVariant(*v) : QVariant();
}

QVariant orNull(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

QVariant orNull(const std::optional<QDateTime> &v)
{
    return v ? QVariant(*v) : QVariant();
}

std::optional<Period> periodArgs(const ProcedureArgs &args, int first)
{
    // Both ends are read first, so a wrong text is reported even beside a NULL.
    const std::optional<QDateTime> from = args.dateTime(first);
    const std::optional<QDateTime> to = args.dateTime(first + 1);
    if (!from || !to)
        return std::nullopt;
    return Period{*from, *to};
}

QString addressText(const QVariant &kind, const QVariant &name, const QVariant &number, const QVariant &detail,
                    int width)
{
    const auto part = [](const QVariant &v) { return v.isNull() ? QString() : v.toString().trimmed(); };
    QString text = part(kind);
    const QString street = part(name);
    if (!street.isEmpty())
        text = text.isEmpty() ? street : text + QLatin1Char(' ') + street;
    const QString n = part(number);
    if (!n.isEmpty())
        text = text.isEmpty() ? n : text + QStringLiteral(", ") + n;
    const QString d = part(detail);
    if (!d.isEmpty())
        text = text.isEmpty() ? d : text + QStringLiteral(" - ") + d;
    return text.left(width);
}

} // namespace rv::db
