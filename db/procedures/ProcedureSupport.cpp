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

} // namespace rv::db
