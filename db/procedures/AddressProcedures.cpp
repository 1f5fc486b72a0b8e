// Clients, streets, neighbourhoods and routes.

#include "Registration.h"
#include "ProcedureSupport.h"

namespace rv::db {

namespace {

// ---------------------------------------------------------------- routes

// A route with the fares of its category.
const Columns &routeColumns()
{
    static const Columns c{{QStringLiteral("id_trajeto"), FieldKind::Integer},
                           {QStringLiteral("TRAJETO"), FieldKind::FixedText},
                           {QStringLiteral("VALORDIA"), FieldKind::Decimal},
                           {QStringLiteral("VALORNOITE"), FieldKind::Decimal},
                           {QStringLiteral("DESCRICAO"), FieldKind::FixedText},
                           {QStringLiteral("id_categoria_valor"), FieldKind::Integer}};
    return c;
}

// The routes that pass the condition (SQL over t = trajeto2009), in the given order.
RowSet routeRows(ServerContext &ctx, const QString &condition, const QVariantList &args, const QString &order)
{
    return shaped(routeColumns(),
                  ctx.query(QStringLiteral("select t.id_trajeto, t.trajeto, c.valorDia, c.valorNoite, c.Descricao, "
                                           "t.id_categoria_Valor from trajeto2009 t "
                                           "join categoria_valor c on c.id_categoria_valor = t.id_categoria_Valor "
                                           "where %1 order by %2")
                                .arg(condition, order),
                            args));
}

ProcedureDef routeProcedure(const QString &name, QList<ProcedureParam> params, ProcedureHandler handler)
{
    ProcedureDef def;
    def.name = name;
    def.params = std::move(params);
    def.result = routeColumns();
    def.handler = std::move(handler);
    return def;
}

// The routes that concern a neighbourhood: routes are written "ORIGIN/DESTINATION",
// so a route is listed when its origin (the text before the "/") or its
// destination (the text after a "/") begins with the pattern.
std::optional<RowSet> verificaTrajetoBairro(ServerContext &ctx, const ProcedureArgs &args)
{
    const std::optional<QString> pattern = args.text(0);
    if (!pattern)
        return emptyResult(routeColumns());
    return routeRows(ctx, QStringLiteral("t.trajeto like ? or t.trajeto like ?"),
                     {*pattern, QStringLiteral("%/") + *pattern}, QStringLiteral("t.trajeto, t.id_trajeto"));
}

// The routes of one fare category.
std::optional<RowSet> corrigeTrajeto(ServerContext &ctx, const ProcedureArgs &args)
{
    const std::optional<qint64> category = args.integer(0);
    if (!category)
        return emptyResult(routeColumns());
    return routeRows(ctx, QStringLiteral("t.id_categoria_Valor = ?"), {qlonglong(*category)},
                     QStringLiteral("t.trajeto, t.id_trajeto"));
}

// The route table grouped by fare category: every route, category by category.
std::optional<RowSet> relCategoriaTrajeto(ServerContext &ctx, const ProcedureArgs &)
{
    return routeRows(ctx, QStringLiteral("1 = 1"), {}, QStringLiteral("t.id_categoria_Valor, t.trajeto, t.id_trajeto"));
}

} // namespace

void registerAddressProcedures(ProcedureRegistry &registry)
{
    registry.add(routeProcedure(QStringLiteral("proc_verificaTrajetobairro"),
                                {{QStringLiteral("@bairro"), FieldKind::Text}}, verificaTrajetoBairro));
    registry.add(routeProcedure(QStringLiteral("proc_CorrigeTrajeto"),
                                {{QStringLiteral("@categoria"), FieldKind::Integer}}, corrigeTrajeto));
    registry.add(routeProcedure(QStringLiteral("proc_relCategoriaTrajeto"), {}, relCategoriaTrajeto));
}

} // namespace rv::db
