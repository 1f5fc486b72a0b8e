#include "Views.h"
#include "Schema.h"

#include <QRegularExpression>

namespace rv::db {

namespace {

ViewColumnDef c(const char *name, const char *type, const QString &expression)
{
    ViewColumnDef v;
    v.name = QString::fromUtf8(name);
    v.type = QString::fromUtf8(type);
    v.expression = expression;
    return v;
}

ViewColumnDef c(const char *name, const char *type, const char *expression)
{
    return c(name, type, QString::fromUtf8(expression));
}

ViewColumnDef required(ViewColumnDef v)
{
    v.required = true;
    return v;
}

ViewColumnDef exact(ViewColumnDef v)
{
    v.exact = true;
    return v;
}

// An address as one text: kind and name of the street, ", " and the number,
// " - " and the complement; each part only when it is there, NULL when none is.
QString address(const QString &kind, const QString &street, const QString &number, const QString &complement)
{
    return QStringLiteral("NULLIF(TRIM(COALESCE(TRIM(%1) || ' ', '') || COALESCE(TRIM(%2), '')"
                          " || COALESCE(', ' || NULLIF(TRIM(%3), ''), '')"
                          " || COALESCE(' - ' || NULLIF(TRIM(%4), ''), '')), '')")
        .arg(kind, street, number, complement);
}

// The telephone as text; ix_cliente_fone indexes the same expression.
const char *TelephoneText = "CAST(c.TELEFONE AS TEXT)";

ViewDef clientLookup()
{
    return {QStringLiteral("VW_CONSULTA_CLIENTE_TEL"),
            {exact(required(c("fone", "varchar(8)", TelephoneText))),
             exact(required(c("telefone", "varchar(8)", TelephoneText))),
             required(c("nome", "char(50)", "c.NOME")),
             c("logradouro", "char(10)", "l.LOGRADOURO"),
             c("nome_logradouro", "char(70)", "l.NOME_LOGRADOURO"),
             required(c("numero", "char(50)", "c.NUMERO")),
             c("antiga", "char(10)", "c.ANTIGA"),
             c("complemento", "char(50)", "c.COMPLEMENTO"),
             c("bairro", "char(50)", "b.BAIRRO"),
             c("cidade", "varchar(50)", "ci.cidade"),
             c("uf", "char(50)", "c.UF"),
             c("cep", "char(50)", "c.CEP"),
             c("categoria_telefone", "char(30)", "ct.categoria_telefone"),
             // Counted on the index of pedido(telefone): only this client's orders are read.
             required(c("CHAMADAS", "int", "(SELECT COUNT(*) FROM pedido p WHERE p.telefone = c.TELEFONE)")),
             c("PONTO", "char(50)", "b.PONTO"),
             required(c("id_logradouro", "int", "c.ID_LOGRADOURO")),
             required(c("id_bairro", "int", "c.ID_BAIRRO")),
             required(c("id_cidade", "int", "c.ID_CIDADE")),
             required(c("id_categoria", "int", "c.ID_CATEGORIA"))},
            QStringLiteral("FROM cliente c"
                           " LEFT JOIN logradouro l ON l.ID_LOGRADOURO = c.ID_LOGRADOURO"
                           " LEFT JOIN bairro b ON b.ID_BAIRRO = c.ID_BAIRRO"
                           " LEFT JOIN cidade ci ON ci.id_cidade = c.ID_CIDADE"
                           " LEFT JOIN categoria_telefone ct ON ct.id_categoria = c.ID_CATEGORIA")};
}

// The orders with their texts resolved; the two order views differ in the
// name of the address column and in which columns are never null.
ViewDef orders(const char *name, const char *addressColumn, bool log)
{
    const QString telephone = log ? QStringLiteral("COALESCE(p.telefone, 0)") : QStringLiteral("p.telefone");
    ViewColumnDef phone = c("TELEFONE", "int", telephone);
    phone.required = log;
    return {QString::fromUtf8(name),
            {required(c("ID_PEDIDO", "int", "p.id_pedido")),
             phone,
             required(c("SOLICITANTE", "char(50)", "p.solicitante")),
             c(addressColumn, "char(123)",
               address(QStringLiteral("l.LOGRADOURO"), QStringLiteral("l.NOME_LOGRADOURO"), QStringLiteral("p.numero"),
                       QStringLiteral("p.complemento"))),
             c("ANTIGA", "char(20)", "p.antiga"),
             c("BAIRRO", "char(50)", "b.BAIRRO"),
             c("TRAJETO", "nvarchar(510)", "t.trajeto"),
             // Fares are kept with cents; the order lists show whole amounts.
             required(c("VALOR", "decimal(18,0)", "ROUND(p.VALOR)")),
             c("CATEGORIA_TELEFONE", "char(30)", "ct.categoria_telefone"),
             c("USUARIO", "char(20)", "u.usuario"),
             required(c("Data", "datetime", "p.datacad")),
             c("OBS", "char(200)", "p.OBS"),
             c("ID_MOTOQUEIRO", "char(4)", "CAST(p.ID_MOTOQUEIRO AS TEXT)")},
            QStringLiteral("FROM pedido p"
                           " LEFT JOIN logradouro l ON l.ID_LOGRADOURO = p.id_logradouro"
                           " LEFT JOIN bairro b ON b.ID_BAIRRO = p.id_bairro"
                           " LEFT JOIN trajeto2009 t ON t.id_trajeto = p.id_trajeto"
                           " LEFT JOIN categoria_telefone ct ON ct.id_categoria = p.ID_CATEGORIA"
                           " LEFT JOIN usuario u ON u.id_usuario = p.ID_USUARIO")};
}

ViewDef clientSearch()
{
    return {QStringLiteral("vw_cliente_2008"),
            {required(c("TELEFONE", "int", "c.TELEFONE")),
             required(c("NOME", "char(50)", "c.NOME")),
             c("endereco", "char(173)",
               address(QStringLiteral("l.LOGRADOURO"), QStringLiteral("l.NOME_LOGRADOURO"), QStringLiteral("c.NUMERO"),
                       QStringLiteral("c.COMPLEMENTO"))),
             c("ANTIGA", "char(10)", "c.ANTIGA"),
             required(c("BAIRRO", "char(50)", "b.BAIRRO")),
             c("CIDADE", "char(50)", "ci.cidade"),
             c("CEP", "char(50)", "c.CEP"),
             c("CATEGORIA_TELEFONE", "char(30)", "ct.categoria_telefone"),
             c("USUARIO", "char(20)", "u.usuario"),
             required(c("DATACAD", "datetime", "c.DATACAD")),
             c("REFERENCIA", "char(300)", "l.REFERENCIA")},
            QStringLiteral("FROM cliente c"
                           " JOIN bairro b ON b.ID_BAIRRO = c.ID_BAIRRO"
                           " LEFT JOIN logradouro l ON l.ID_LOGRADOURO = c.ID_LOGRADOURO"
                           " LEFT JOIN cidade ci ON ci.id_cidade = c.ID_CIDADE"
                           " LEFT JOIN categoria_telefone ct ON ct.id_categoria = c.ID_CATEGORIA"
                           " LEFT JOIN usuario u ON u.id_usuario = c.ID_USUARIO")};
}

ViewDef routes()
{
    return {QStringLiteral("vw_trajeto"),
            {required(c("id_trajeto", "int", "t.id_trajeto")),
             required(c("TRAJETO", "char(200)", "t.trajeto")),
             required(c("VALORDIA", "decimal(9,2)", "cv.valorDia")),
             c("VALORNOITE", "decimal(9,2)", "cv.valorNoite"),
             c("DESCRICAO", "char(100)", "cv.Descricao"),
             required(c("id_categoria_valor", "int", "t.id_categoria_Valor"))},
            QStringLiteral("FROM trajeto2009 t"
                           " JOIN categoria_valor cv ON cv.id_categoria_valor = t.id_categoria_Valor")};
}

// The texts of a courier's codes and lists.
const char *CourierJoins = "FROM tb_motoqueiro m"
                           " LEFT JOIN logradouro l ON l.ID_LOGRADOURO = m.Id_Logradouro"
                           " LEFT JOIN bairro b ON b.ID_BAIRRO = m.id_bairro"
                           " LEFT JOIN cidade ci ON ci.id_cidade = m.ID_cidade"
                           " LEFT JOIN tb_turno tu ON tu.Cd_Turno = m.Cd_Turno"
                           " LEFT JOIN tb_estado_civil ec ON ec.Cd_Estado_Civil = m.Cd_Estado_Civil"
                           " LEFT JOIN tb_categoria_motoqueiro cm ON cm.Id_Categoria = m.Id_Categoria"
                           " LEFT JOIN veiculo_cor vc ON vc.id_cor = m.Id_veiculocor"
                           " LEFT JOIN veiculo_Modelo vm ON vm.id_modelo = m.Id_Veiculomodelo"
                           " LEFT JOIN veiculo_documentacao vd ON vd.id_documentacao = m.Id_veiculo_Documentacao";

// The courier's neighbourhood, city and state: the registered ones, else the texts of the record.
const char *CourierBairro = "COALESCE(b.BAIRRO, m.Nm_Bairro)";
const char *CourierCidade = "COALESCE(ci.cidade, m.Nm_Cidade)";
const char *CourierUf = "COALESCE(ci.Uf, m.Ds_Estado)";

ViewDef courierRecord()
{
    const QString street = address(QStringLiteral("l.LOGRADOURO"), QStringLiteral("l.NOME_LOGRADOURO"),
                                   QStringLiteral("m.numero"), QStringLiteral("m.Complemento"));
    return {QStringLiteral("vw_cad_motoqueiro"),
            {required(c("MATRICULA", "int", "m.Nr_Matricula")),
             required(c("NOME", "char(80)", "m.Nm_Motoqueiro")),
             c("ENDERECO", "nvarchar(186)",
               QStringLiteral("CASE WHEN m.Id_Logradouro IS NULL THEN NULLIF(TRIM(m.Ds_Endereco), '') ELSE %1 END")
                   .arg(street)),
             c("BAIRRO", "char(50)", CourierBairro),
             required(c("Nr_CEP", "int", "m.Nr_CEP")),
             c("cidade", "char(50)", CourierCidade),
             c("UF", "char(10)", CourierUf),
             c("Ds_Foto", "image", "m.Ds_Foto"),
             required(c("Nr_Telefone", "char(100)", "m.Nr_Telefone")),
             required(c("Nr_CPF", "char(30)", "m.Nr_CPF")),
             required(c("Ds_Identidade", "char(20)", "m.Ds_Identidade")),
             required(c("Dt_Nascimento", "datetime", "m.Dt_Nascimento")),
             required(c("LIMITE_DEBITO", "decimal(12,2)", "m.Vl_Limite_Debito")),
             required(c("Nm_Pai", "char(80)", "m.Nm_Pai")),
             required(c("Nm_Mae", "char(80)", "m.Nm_Mae")),
             required(c("Cd_Categoria_CNH", "char(10)", "m.Cd_Categoria_CNH")),
             required(c("Dt_Cadastro", "datetime", "m.Dt_Cadastro")),
             required(c("Nr_CNH", "char(13)", "m.Nr_CNH")),
             required(c("Dt_Validade_CNH", "datetime", "m.Dt_Validade_CNH")),
             c("Nr_Celular", "char(40)", "m.Nr_Celular"),
             c("ESTADOCIVIL", "char(30)", "ec.Ds_Estado_Civil"),
             c("VEICULO_ANO", "char(15)", "m.VEICULO_ANO"),
             c("Veiculoplaca", "char(50)", "m.Veiculoplaca"),
             c("COR", "char(10)", "vc.cor"),
             c("DOCUMENTACAO", "char(50)", "vd.documentacao"),
             c("MODELO", "char(50)", "vm.modelo"),
             c("DIARIA", "char(100)", "cm.Ds_Categoria"),
             c("ds_orgao_emissor_rg", "nvarchar(20)", "m.Ds_Orgao_Emissor_RG"),
             c("RG_DATAEXPEDICAO", "datetime", "m.Rg_dataexpedicao"),
             c("TURNO", "char(20)", "tu.Ds_Turno"),
             c("Fl_Servico_Entrega", "bit", "m.Fl_Servico_Entrega"),
             c("dt_saida", "datetime", "m.Dt_Saida"),
             c("ds_saida", "char(80)", "m.Ds_Saida"),
             // The daily amount of the courier's category: the rental fee.
             c("Vl_Categoria", "decimal(12,2)", "cm.Vl_Categoria")},
            QString::fromUtf8(CourierJoins)};
}

ViewDef courierList()
{
    return {QStringLiteral("VW_Consulta_Motoqueiro"),
            {required(c("Matricula", "int", "m.Nr_Matricula")),
             required(c("Nome", "varchar(80)", "m.Nm_Motoqueiro")),
             c("Endereco", "varchar(70)", "COALESCE(l.NOME_LOGRADOURO, NULLIF(TRIM(m.Ds_Endereco), ''))"),
             c("Numero", "char(10)", "m.numero"),
             c("Complemento", "nvarchar(20)", "m.Complemento"),
             c("Bairro", "varchar(50)", CourierBairro),
             required(c("Cep", "int", "m.Nr_CEP")),
             c("Cidade", "varchar(50)", CourierCidade),
             c("UF", "char(10)", CourierUf),
             c("Foto", "image", "m.Ds_Foto"),
             required(c("Telefone", "varchar(100)", "m.Nr_Telefone")),
             c("Celular", "varchar(40)", "m.Nr_Celular"),
             c("Estado_Civel", "varchar(30)", "ec.Ds_Estado_Civil"),
             c("Veiculo_Ano", "varchar(15)", "m.VEICULO_ANO"),
             c("Placa", "varchar(50)", "m.Veiculoplaca"),
             c("Cor", "char(10)", "vc.cor"),
             c("Documentacao", "varchar(50)", "vd.documentacao"),
             c("Modelo", "varchar(50)", "vm.modelo"),
             c("Turno", "varchar(20)", "tu.Ds_Turno"),
             c("Fl_Servico_Entrega", "bit", "m.Fl_Servico_Entrega")},
            // The couriers who work for the business.
            QString::fromUtf8(CourierJoins) + QStringLiteral(" WHERE m.Dt_Saida IS NULL")};
}

ViewDef courierUpdate()
{
    return {QStringLiteral("vw_motoqueiro"),
            {required(c("NR_matricula", "int", "m.Nr_Matricula")),
             required(c("NM_MOTOQUEIRO", "char(80)", "m.Nm_Motoqueiro")),
             c("NOME_LOGRADOURO", "char(70)", "l.NOME_LOGRADOURO"),
             c("NUMERO", "char(10)", "m.numero"),
             c("BAIRRO", "char(50)", "b.BAIRRO"),
             c("TURNO", "varchar(20)", "tu.Ds_Turno"),
             c("PLACA", "char(50)", "m.Veiculoplaca"),
             c("COR", "varchar(10)", "vc.cor"),
             c("MODELO", "varchar(50)", "vm.modelo"),
             required(c("NR_TELEFONE", "char(100)", "m.Nr_Telefone")),
             c("NR_CELULAR", "char(40)", "m.Nr_Celular"),
             c("Id_Logradouro", "int", "m.Id_Logradouro"),
             c("id_bairro", "int", "m.id_bairro"),
             c("Id_veiculocor", "int", "m.Id_veiculocor"),
             c("id_cidade", "int", "m.ID_cidade"),
             c("Id_Veiculomodelo", "int", "m.Id_Veiculomodelo"),
             c("id_veiculoCidade", "int", "m.id_veiculoCidade"),
             c("complemento", "nvarchar(20)", "m.Complemento"),
             c("VEICULO_ANO", "char(15)", "m.VEICULO_ANO"),
             // The city and state of the vehicle (id_veiculoCidade), which the screen edits.
             c("CIDADE", "varchar(50)", "vci.cidade"),
             c("uf", "varchar(10)", "vci.Uf")},
            QString::fromUtf8(CourierJoins)
                + QStringLiteral(" LEFT JOIN cidade vci ON vci.id_cidade = m.id_veiculoCidade")};
}

QList<ViewDef> buildViews()
{
    return {clientLookup(),
            orders("VW_PEDIDO_NEW", "ENDEREÇO", false),
            orders("VW_Consulta_Pedido", "Endereco", true),
            clientSearch(),
            routes(),
            courierRecord(),
            courierList(),
            courierUpdate()};
}

bool isColumnReference(const QString &expression)
{
    static const QRegularExpression ref(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*\\.[A-Za-z_][A-Za-z0-9_]*$"));
    return ref.match(expression).hasMatch();
}

QString columnSql(Backend backend, const ViewColumnDef &col)
{
    if (backend == Backend::PostgreSQL) {
        const QString type = col.exact ? QStringLiteral("text") : postgresType(col.type);
        return QStringLiteral("CAST(%1 AS %2) AS %3").arg(col.expression, type, col.name);
    }
    if (isTextType(col.type) && !col.exact && !isColumnReference(col.expression))
        return QStringLiteral("(%1) COLLATE NOCASE AS %2").arg(col.expression, col.name);
    return QStringLiteral("%1 AS %2").arg(col.expression, col.name);
}

} // namespace

const QList<ViewDef> &views()
{
    static const QList<ViewDef> all = buildViews();
    return all;
}

const ViewDef *view(const QString &name)
{
    for (const ViewDef &v : views())
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

QStringList viewStatements(Backend backend)
{
    // The caller lookup compares the telephone as text: the same expression indexed.
    QStringList out{backend == Backend::PostgreSQL
                        ? QStringLiteral("CREATE INDEX ix_cliente_fone ON cliente ((CAST(TELEFONE AS TEXT)))")
                        : QStringLiteral("CREATE INDEX ix_cliente_fone ON cliente (CAST(TELEFONE AS TEXT))")};
    for (const ViewDef &v : views()) {
        QStringList columns;
        for (const ViewColumnDef &col : v.columns)
            columns << columnSql(backend, col);
        out << QStringLiteral("CREATE VIEW %1 AS\nSELECT %2\n%3")
                   .arg(v.name, columns.join(QStringLiteral(",\n  ")), v.from);
    }
    return out;
}

} // namespace rv::db
