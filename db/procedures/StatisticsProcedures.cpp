// Call statistics: orders of a period counted by neighbourhood, courier,
// street, sector, telephone category, public telephone, client and attendant.
//
// Every summary counts the orders (pedido) whose registration time lies in the
// window, both ends included. The database groups them by a key (an id, a
// telephone); the groups are then labelled, groups with the same label (a
// neighbourhood registered twice, "Centro" and "CENTRO") are merged, and the
// rows come largest total first, then by label.

#include "Registration.h"
#include "ProcedureSupport.h"

#include <QHash>

#include <algorithm>

namespace rv::db {

namespace {

// The label of a group whose name is missing (an order without a neighbourhood,
// a neighbourhood without a sector, a courier number with no courier).
const QString &unknownLabel()
{
    static const QString label = QStringLiteral("NÃO INFORMADO");
    return label;
}

struct Summary {
    QString name;
    // Label columns first, then the counted columns; the first counted column
    // is the number of orders, which orders the rows.
    Columns columns;
    int labels = 1;
    // Rows in the order of the columns; the first two '?' take the window.
    QString sql;
    QVariantList extraArgs;
};

QString mergeKey(const Row &row, int labels)
{
    QString key;
    for (int i = 0; i < labels; ++i) {
        const QVariant &v = row[i];
        key += v.isNull() ? QStringLiteral("\x01") : v.toString().trimmed().toCaseFolded();
        key += QChar(0x1F);
    }
    return key;
}

bool labelLess(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return !a.isNull() && b.isNull(); // missing labels last
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong)
        return a.toLongLong() < b.toLongLong();
    return QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive) < 0;
}

// Labels the groups, merges those with equal labels and sorts them.
RowSet mergedTotals(const Summary &summary, RowSet rows)
{
    for (Row &row : rows.rows)
        for (int i = 0; i < summary.labels; ++i)
            if (row[i].isNull() && isTextKind(summary.columns[i].kind))
                row[i] = unknownLabel();

    QList<Row> merged;
    QHash<QString, int> at;
    for (Row &row : rows.rows) {
        const QString key = mergeKey(row, summary.labels);
        const auto found = at.constFind(key);
        if (found == at.constEnd()) {
            at.insert(key, int(merged.size()));
            merged.append(std::move(row));
            continue;
        }
        Row &into = merged[*found];
        for (int i = summary.labels; i < into.size(); ++i) {
            if (row[i].isNull())
                continue;
            if (isWholeNumberKind(summary.columns[i].kind))
                into[i] = QVariant(into[i].toLongLong() + row[i].toLongLong());
            else
                into[i] = QVariant(into[i].toDouble() + row[i].toDouble());
        }
    }

    const int total = summary.labels;
    std::stable_sort(merged.begin(), merged.end(), [&](const Row &a, const Row &b) {
        const qlonglong ta = a[total].toLongLong();
        const qlonglong tb = b[total].toLongLong();
        if (ta != tb)
            return ta > tb;
        for (int i = 0; i < summary.labels; ++i) {
            if (labelLess(a[i], b[i]))
                return true;
            if (labelLess(b[i], a[i]))
                return false;
        }
        return false;
    });
    rows.rows = std::move(merged);
    return rows;
}

RowSet runSummary(ServerContext &ctx, const ProcedureArgs &args, const Summary &summary)
{
    const std::optional<Period> period = periodArgs(args, 0);
    if (!period)
        return emptyResult(summary.columns);
    QVariantList bound{period->from, period->to};
    bound += summary.extraArgs;
    return mergedTotals(summary, shaped(summary.columns, ctx.query(summary.sql, bound)));
}

void addSummary(ProcedureRegistry &registry, const Summary &summary, const QStringList &paramNames)
{
    ProcedureDef def;
    def.name = summary.name;
    for (const QString &p : paramNames)
        def.params.append({p, FieldKind::Text});
    def.result = summary.columns;
    def.handler = [summary](ServerContext &ctx, const ProcedureArgs &args) -> std::optional<RowSet> {
        return runSummary(ctx, args, summary);
    };
    registry.add(std::move(def));
}

// Orders by the neighbourhood they were taken in (pedido.id_bairro).
QString byNeighbourhoodSql()
{
    return QStringLiteral(
        "select b.BAIRRO, t.total from ("
        "  select id_bairro, count(*) as total from pedido where datacad between ? and ? group by id_bairro"
        ") t left join bairro b on b.ID_BAIRRO = t.id_bairro");
}

Summary byNeighbourhood(const QString &name, const QString &bairro, const QString &total)
{
    return {name, {{bairro, FieldKind::FixedText}, {total, FieldKind::Integer}}, 1, byNeighbourhoodSql(), {}};
}

} // namespace

void registerStatisticsProcedures(ProcedureRegistry &registry)
{
    const QStringList window{QStringLiteral("@DataInicial"), QStringLiteral("@DataFinal")};

    // Neighbourhood calls of a shift window (its two ends are shift times).
    addSummary(registry,
               byNeighbourhood(QStringLiteral("proc_chamadasbairro_periodo"), QStringLiteral("bairro"),
                               QStringLiteral("Total")),
               window);
}

} // namespace rv::db
