// Clients, streets, neighbourhoods and routes.

#include "Registration.h"
#include "ProcedureSupport.h"

#include "data/Errors.h"

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

// ---------------------------------------------------------------- clients

const Columns &clientListColumns()
{
    static const Columns c{{QStringLiteral("DataCad"), FieldKind::DateTime},
                           {QStringLiteral("TELEFONE"), FieldKind::Integer},
                           {QStringLiteral("NOME"), FieldKind::FixedText},
                           {QStringLiteral("LOGRADOURO"), FieldKind::FixedText},
                           {QStringLiteral("Endereco"), FieldKind::FixedText},
                           {QStringLiteral("COMPLEMENTO"), FieldKind::FixedText},
                           {QStringLiteral("ANTIGA"), FieldKind::FixedText},
                           {QStringLiteral("BAIRRO"), FieldKind::FixedText},
                           {QStringLiteral("CIDADE"), FieldKind::FixedText},
                           {QStringLiteral("CEP"), FieldKind::FixedText},
                           {QStringLiteral("CATEGORIA_TELEFONE"), FieldKind::FixedText},
                           {QStringLiteral("USUARIO"), FieldKind::FixedText},
                           {QStringLiteral("REFERENCIA"), FieldKind::FixedText},
                           {QStringLiteral("TELEFONE_1"), FieldKind::Integer},
                           {QStringLiteral("CHAMADAS"), FieldKind::Integer},
                           {QStringLiteral("PONTO"), FieldKind::FixedText},
                           {QStringLiteral("UF"), FieldKind::FixedText}};
    return c;
}

// The whole client register, by name: the address spelled out (street name and
// number; the kind of street and the complement have columns of their own), the
// reference point of the client's street, the stand of the client's
// neighbourhood and the number of orders (calls) of the client's telephone.
std::optional<RowSet> consultaDadosCliente(ServerContext &ctx, const ProcedureArgs &)
{
    const RowSet raw = ctx.query(
        QStringLiteral("select c.DATACAD, c.TELEFONE, c.NOME, l.LOGRADOURO, l.NOME_LOGRADOURO, c.NUMERO, "
                       "c.COMPLEMENTO, c.ANTIGA, b.BAIRRO, d.cidade, c.CEP, k.categoria_telefone, u.usuario, "
                       "l.REFERENCIA, coalesce(n.chamadas, 0), b.PONTO, c.UF "
                       "from cliente c "
                       "left join logradouro l on l.ID_LOGRADOURO = c.ID_LOGRADOURO "
                       "left join bairro b on b.ID_BAIRRO = c.ID_BAIRRO "
                       "left join cidade d on d.id_cidade = c.ID_CIDADE "
                       "left join categoria_telefone k on k.id_categoria = c.ID_CATEGORIA "
                       "left join usuario u on u.id_usuario = c.ID_USUARIO "
                       "left join (select telefone, count(*) as chamadas from pedido group by telefone) n "
                       "on n.telefone = c.TELEFONE "
                       "order by c.NOME, c.TELEFONE"),
        {},
        {FieldKind::DateTime, FieldKind::Integer, FieldKind::Text, FieldKind::Text, FieldKind::Text, FieldKind::Text,
         FieldKind::Text, FieldKind::Text, FieldKind::Text, FieldKind::Text, FieldKind::Text, FieldKind::Text,
         FieldKind::Text, FieldKind::Text, FieldKind::Integer, FieldKind::Text, FieldKind::Text});
    RowSet out = emptyResult(clientListColumns());
    out.rows.reserve(raw.rows.size());
    for (const Row &r : raw.rows)
        out.rows.append({r[0], r[1], r[2], r[3], addressText({}, r[4], r[5], {}, 121), r[6], r[7], r[8], r[9], r[10],
                         r[11], r[12], r[13], r[1], r[14], r[15], r[16]});
    return out;
}

// ---------------------------------------------------------------- streets

const Columns &streetColumns()
{
    static const Columns c{{QStringLiteral("ID_LOGRADOURO"), FieldKind::Integer},
                           {QStringLiteral("LOGRADOURO"), FieldKind::FixedText},
                           {QStringLiteral("NOME_LOGRADOURO"), FieldKind::FixedText},
                           {QStringLiteral("ENDERECO"), FieldKind::FixedText},
                           {QStringLiteral("ID_BAIRRO"), FieldKind::Integer},
                           {QStringLiteral("BAIRRO_INICIO"), FieldKind::FixedText},
                           {QStringLiteral("BAIRRO_FIM"), FieldKind::FixedText},
                           {QStringLiteral("REFERENCIA"), FieldKind::FixedText},
                           {QStringLiteral("CIDADE"), FieldKind::FixedText},
                           {QStringLiteral("UF"), FieldKind::FixedText},
                           {QStringLiteral("CEP"), FieldKind::FixedText},
                           {QStringLiteral("ANTIGA"), FieldKind::FixedText},
                           {QStringLiteral("id_cidade"), FieldKind::Integer}};
    return c;
}

// The streets whose name (NOME_LOGRADOURO) matches the pattern, by name, kind
// of street and the neighbourhood where they begin. ENDERECO reads
// "RUA DAS FLORES - CENTRO".
std::optional<RowSet> consultaLogradouro(ServerContext &ctx, const ProcedureArgs &args)
{
    const std::optional<QString> pattern = args.text(0);
    RowSet out = emptyResult(streetColumns());
    if (!pattern)
        return out;
    const RowSet raw = ctx.query(
        QStringLiteral("select ID_LOGRADOURO, LOGRADOURO, NOME_LOGRADOURO, ID_BAIRRO, BAIRRO_INICIO, BAIRRO_FIM, "
                       "REFERENCIA, CIDADE, UF, CEP, ANTIGA, id_cidade from logradouro "
                       "where NOME_LOGRADOURO like ? "
                       "order by NOME_LOGRADOURO, LOGRADOURO, BAIRRO_INICIO, ID_LOGRADOURO"),
        {*pattern});
    const Columns &columns = streetColumns();
    out.rows.reserve(raw.rows.size());
    for (const Row &r : raw.rows) {
        Row row{r[0], r[1], r[2], addressText(r[1], r[2], {}, r[4], 142), r[3], r[4], r[5], r[6], r[7], r[8], r[9],
                r[10], r[11]};
        for (int i = 0; i < row.size(); ++i)
            row[i] = normaliseValue(row[i], columns[i].kind);
        out.rows.append(std::move(row));
    }
    return out;
}

// ---------------------------------------------------------------- neighbourhoods

// Registers a neighbourhood with its stand. A name may be registered twice; an
// empty name is refused. The registration date is kept as text (dd/mm/yyyy).
std::optional<RowSet> cadBairro(ServerContext &ctx, const ProcedureArgs &args)
{
    const QString name = args.text(0).value_or(QString()).trimmed();
    if (name.isEmpty())
        throw DatabaseError(QStringLiteral("Informe o nome do bairro !"));
    const QString point = args.text(1).value_or(QString()).trimmed();
    ctx.exec(QStringLiteral("insert into bairro (BAIRRO, PONTO, datacad) values (?, ?, ?)"),
             {name, point.isEmpty() ? QVariant() : QVariant(point), ctx.now().toString(QStringLiteral("dd/MM/yyyy"))});
    return std::nullopt;
}

} // namespace

void registerAddressProcedures(ProcedureRegistry &registry)
{
    ProcedureDef clients;
    clients.name = QStringLiteral("proc_consulta_DadosCliente");
    clients.result = clientListColumns();
    clients.handler = consultaDadosCliente;
    registry.add(std::move(clients));

    ProcedureDef streets;
    streets.name = QStringLiteral("PROC_CONSULTA_LOGRADOURO");
    streets.params = {{QStringLiteral("@ENDERECO"), FieldKind::Text}};
    streets.result = streetColumns();
    streets.handler = consultaLogradouro;
    registry.add(std::move(streets));

    ProcedureDef bairro;
    bairro.name = QStringLiteral("proc_cad_bairro");
    bairro.params = {{QStringLiteral("@bairro"), FieldKind::Text}, {QStringLiteral("@ponto"), FieldKind::Text}};
    bairro.writes = true;
    bairro.hasReturnValue = true;
    bairro.handler = cadBairro;
    registry.add(std::move(bairro));

    registry.add(routeProcedure(QStringLiteral("proc_verificaTrajetobairro"),
                                {{QStringLiteral("@bairro"), FieldKind::Text}}, verificaTrajetoBairro));
    registry.add(routeProcedure(QStringLiteral("proc_CorrigeTrajeto"),
                                {{QStringLiteral("@categoria"), FieldKind::Integer}}, corrigeTrajeto));
    registry.add(routeProcedure(QStringLiteral("proc_relCategoriaTrajeto"), {}, relCategoriaTrajeto));
}

} // namespace rv::db
