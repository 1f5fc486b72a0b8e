#include "ProcedureSupport.h"

#include "data/Errors.h"

#include <cmath>

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

qint64 requiredInteger(const ProcedureArgs &args, int index, const QString &param)
{
    const std::optional<qint64> v = args.integer(index);
    if (!v)
        throw DatabaseError(QStringLiteral("%1: o parâmetro %2 é obrigatório.").arg(args.procedure(), param));
    return *v;
}

double requiredNumber(const ProcedureArgs &args, int index, const QString &param)
{
    const std::optional<double> v = args.number(index);
    if (!v)
        throw DatabaseError(QStringLiteral("%1: o parâmetro %2 é obrigatório.").arg(args.procedure(), param));
    return *v;
}

QString forUpdate(const ServerContext &ctx)
{
    return ctx.backend() == Backend::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
}

double cents(double value)
{
    return std::round(value * 100.0) / 100.0;
}

bool sameServerText(const QString &a, const QString &b)
{
    auto trimmed = [](const QString &s) {
        qsizetype n = s.size();
        while (n > 0 && s.at(n - 1).isSpace())
            --n;
        return s.left(n);
    };
    return trimmed(a).compare(trimmed(b), Qt::CaseInsensitive) == 0;
}

std::optional<Period> period(const ProcedureArgs &args, int fromIndex, int toIndex)
{
    const std::optional<QDateTime> from = args.dateTime(fromIndex);
    const std::optional<QDateTime> to = args.dateTime(toIndex);
    if (!from || !to)
        return std::nullopt;
    return Period{*from, *to};
}

std::optional<Period> periodArgs(const ProcedureArgs &args, int first)
{
    return period(args, first, first + 1);
}

double courierBalance(ServerContext &ctx, qint64 matricula)
{
    const QVariant v = ctx.scalar(QStringLiteral("select coalesce(sum(%1), 0) from tb_motoqueiro_movimento "
                                                 "where nr_matricula = ?")
                                      .arg(QLatin1String(SignedMovementSql)),
                                  {qlonglong(matricula)});
    return cents(v.toDouble());
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
