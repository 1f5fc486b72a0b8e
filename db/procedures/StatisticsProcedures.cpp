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

// The orders of the window grouped by one of their columns: "select <column>,
// count(*) ... group by <column>", as a derived table t for the labels' joins.
QString groupedOrders(const QString &column, const QString &more = {}, const QString &join = {},
                      const QString &condition = {})
{
    return QStringLiteral("(select p.%1, count(*) as total%2 from pedido p %3 where p.datacad between ? and ? %4 "
                          "group by p.%1) t")
        .arg(column, more, join, condition);
}

// Orders by the neighbourhood they were taken in (pedido.id_bairro).
Summary byNeighbourhood(const QString &name, const QString &bairro, const QString &total)
{
    return {name,
            {{bairro, FieldKind::FixedText}, {total, FieldKind::Integer}},
            1,
            QStringLiteral("select b.BAIRRO, t.total from %1 left join bairro b on b.ID_BAIRRO = t.id_bairro")
                .arg(groupedOrders(QStringLiteral("id_bairro"))),
            {}};
}

QList<Summary> periodSummaries()
{
    const QString total = QStringLiteral("total");
    return {
        byNeighbourhood(QStringLiteral("PRS_CHAMADAS_BAIRRO"), QStringLiteral("BAIRRO"), total),
        byNeighbourhood(QStringLiteral("PROC_CHAMAS_BAIRRO"), QStringLiteral("BAIRRO"), total),

        // By courier (pedido.ID_MOTOQUEIRO), with the sum of the fares.
        {QStringLiteral("PRS_REL_MOTOQUEIRO"),
         {{QStringLiteral("NR_MATRICULA"), FieldKind::Integer},
          {QStringLiteral("NM_MOTOQUEIRO"), FieldKind::FixedText},
          {total, FieldKind::Integer},
          {QStringLiteral("VALOR"), FieldKind::Decimal}},
         2,
         QStringLiteral("select t.ID_MOTOQUEIRO, m.Nm_Motoqueiro, t.total, t.valor from %1 "
                        "left join tb_motoqueiro m on m.Nr_Matricula = t.ID_MOTOQUEIRO")
             .arg(groupedOrders(QStringLiteral("ID_MOTOQUEIRO"), QStringLiteral(", sum(p.VALOR) as valor"))),
         {}},

        // By pick-up street (pedido.id_logradouro), with the street's neighbourhood.
        {QStringLiteral("PRS_REL_LOGRADOURO"),
         {{QStringLiteral("LOGRADOURO"), FieldKind::FixedText},
          {QStringLiteral("NOME_LOGRADOURO"), FieldKind::FixedText},
          {QStringLiteral("BAIRRO"), FieldKind::FixedText},
          {total, FieldKind::Integer}},
         3,
         QStringLiteral("select l.LOGRADOURO, l.NOME_LOGRADOURO, b.BAIRRO, t.total from %1 "
                        "left join logradouro l on l.ID_LOGRADOURO = t.id_logradouro "
                        "left join bairro b on b.ID_BAIRRO = l.ID_BAIRRO")
             .arg(groupedOrders(QStringLiteral("id_logradouro"))),
         {}},

        // By the sector of the order's neighbourhood (bairro.SETOR).
        {QStringLiteral("PRC_CORRIDA_SETOR"),
         {{QStringLiteral("SETOR"), FieldKind::FixedText}, {total, FieldKind::Integer}},
         1,
         QStringLiteral("select b.SETOR, t.total from %1 left join bairro b on b.ID_BAIRRO = t.id_bairro")
             .arg(groupedOrders(QStringLiteral("id_bairro"))),
         {}},

        // By the telephone category of the order (pedido.ID_CATEGORIA).
        {QStringLiteral("PRS_REL_CATEGORIA_TELEFONE"),
         {{QStringLiteral("CATEGORIA_TELEFONE"), FieldKind::FixedText}, {total, FieldKind::Integer}},
         1,
         QStringLiteral("select c.categoria_telefone, t.total from %1 "
                        "left join categoria_telefone c on c.id_categoria = t.ID_CATEGORIA")
             .arg(groupedOrders(QStringLiteral("ID_CATEGORIA"))),
         {}},

        // Orders whose telephone category is a public one, by telephone.
        {QStringLiteral("PROC_RELTELEFONE_PUBLICO"),
         {{QStringLiteral("TELEFONE"), FieldKind::Integer},
          {QStringLiteral("NOME"), FieldKind::FixedText},
          {total, FieldKind::Integer}},
         2,
         QStringLiteral("select t.telefone, c.NOME, t.total from %1 left join cliente c on c.TELEFONE = t.telefone")
             .arg(groupedOrders(QStringLiteral("telefone"), {},
                                QStringLiteral("join categoria_telefone k on k.id_categoria = p.ID_CATEGORIA"),
                                QStringLiteral("and k.fl_publico = ?"))),
         {QVariant(true)}},

        // By client (pedido.telefone).
        {QStringLiteral("PRS_REL_CLIENTE_PEDIDO"),
         {{QStringLiteral("TELEFONE"), FieldKind::Integer},
          {QStringLiteral("NOME"), FieldKind::FixedText},
          {total, FieldKind::Integer}},
         2,
         QStringLiteral("select t.telefone, c.NOME, t.total from %1 left join cliente c on c.TELEFONE = t.telefone")
             .arg(groupedOrders(QStringLiteral("telefone"))),
         {}},

        // By attendant (pedido.ID_USUARIO).
        {QStringLiteral("PROC_CHAMADAS_USUARIO"),
         {{QStringLiteral("USUARIO"), FieldKind::FixedText}, {total, FieldKind::Integer}},
         1,
         QStringLiteral("select u.usuario, t.total from %1 left join usuario u on u.id_usuario = t.ID_USUARIO")
             .arg(groupedOrders(QStringLiteral("ID_USUARIO"))),
         {}},
    };
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
    for (const Summary &summary : periodSummaries())
        addSummary(registry, summary, window);
}

} // namespace rv::db
