// The views of the contract on both backends: their columns and types, the
// datasets of the data modules that declare them, the values the screens read
// (caller lookup, order lists, client searches, routes, couriers), case-blind
// comparison of their texts, and the indexes the caller lookup relies on.
#include "data/HeldResult.h"
#include "data/Query.h"
#include "data/modules/TDMBUSCA.h"
#include "data/modules/TDMMOTOQUEIRO.h"
#include "db/Views.h"
#include "tests/support/ContractDatabase.h"

#include <gtest/gtest.h>
#include <optional>

using namespace rv;
using rv::test::ContractDatabase;

namespace {

constexpr int Maria = 32221111;
constexpr int Jose = 32222222;

class ViewsTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        // Places, a street with an old name, two clients (one without complement,
        // in a neighbourhood without a stand).
        db->exec("insert into cidade (id_cidade, cidade, Uf) values (10, 'RECIFE', 'PE'), (11, 'OLINDA', 'PE')");
        db->exec("insert into bairro (ID_BAIRRO, BAIRRO, PONTO, datacad) values "
                 "(10, 'BOA VIAGEM', 'PRAÇA DE BOA VIAGEM', '01/02/2009'), (11, 'CASA AMARELA', NULL, NULL)");
        db->exec("insert into logradouro (ID_LOGRADOURO, LOGRADOURO, NOME_LOGRADOURO, ID_BAIRRO, REFERENCIA, CIDADE, "
                 "UF, CEP, ANTIGA, id_cidade) values (100, 'RUA', 'DOS NAVEGANTES', 10, 'PERTO DA PRAIA', 'RECIFE', "
                 "'PE', '51020-000', 'RUA 12', 10)");
        db->exec("insert into cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, COMPLEMENTO, ANTIGA, ID_BAIRRO, ID_CIDADE, "
                 "UF, CEP, ID_CATEGORIA, ID_USUARIO) values (?, 'MARIA DA SILVA', 100, '45', 'APTO 301', 'RUA 12', 10, "
                 "10, 'PE', '51020-000', 1, 2)",
                 {Maria});
        db->exec("insert into cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, ID_BAIRRO, ID_CIDADE, UF, ID_CATEGORIA) "
                 "values (?, 'JOSE PEREIRA', 100, '7', 11, 11, 'PE', 2)",
                 {Jose});
        db->exec("insert into categoria_valor (id_categoria_valor, valorDia, valorNoite, Descricao) values "
                 "(10, 12.50, 15.00, 'CURTA'), (11, 20.00, NULL, 'LONGA')");
        db->exec("insert into trajeto2009 (id_trajeto, trajeto, id_categoria_Valor) values "
                 "(10, 'BOA VIAGEM/CASA AMARELA', 10)");
        db->exec("insert into veiculo_Modelo (id_modelo, modelo) values (1, 'CG 150')");
        db->exec("insert into veiculo_cor (id_cor, cor) values (1, 'VERMELHA')");
        db->exec("insert into veiculo_documentacao (id_documentacao, documentacao) values (1, 'EM DIA')");
        insertCourier(7, "JOAO BATISTA", QVariant());
        insertCourier(8, "PEDRO ALVES", QDateTime(QDate(2009, 3, 1), QTime(0, 0)));
        // Six orders of Maria; the last with a fare below half a real in cents.
        for (int i = 1; i <= 6; ++i)
            insertOrder(Maria, QStringLiteral("SOLICITANTE %1").arg(i), i == 6 ? 12.49 : 12.50, 7);
    }

    void insertCourier(int matricula, const char *name, const QVariant &left)
    {
        db->exec("insert into tb_motoqueiro (Nr_Matricula, Nm_Motoqueiro, Cd_Turno, Ds_Endereco, Id_Logradouro, numero, "
                 "Complemento, id_bairro, Nr_CEP, ID_cidade, Nr_Telefone, Nr_CPF, Ds_Identidade, Dt_Nascimento, Nm_Pai, "
                 "Nm_Mae, Cd_Categoria_CNH, Cd_Usuario, Vl_Limite_Debito, Nr_CNH, Dt_Validade_CNH, Qt_Colete, "
                 "Nr_Celular, Cd_Estado_Civil, Ds_Foto, Fl_Servico_Entrega, Dt_Saida, Ds_Saida, Veiculoplaca, "
                 "Id_Categoria, Id_Veiculomodelo, Id_veiculocor, Id_veiculo_Documentacao, Ds_Orgao_Emissor_RG, "
                 "Rg_dataexpedicao, VEICULO_ANO, id_veiculoCidade) values (?, ?, 1, 'RUA VELHA 1', 100, '12', 'CASA', "
                 "10, 51020000, 10, '3333-4444', '123.456.789-00', '1234567', ?, 'PAI', 'MAE', 'A', 1, 30.00, "
                 "'01234567890', ?, '2', '9999-8888', 2, ?, ?, ?, ?, 'KKA-1234', 1, 1, 1, 1, 'SDS', ?, '2007', 11)",
                 {matricula, QString::fromUtf8(name), QDateTime(QDate(1980, 5, 17), QTime(0, 0)),
                  QDateTime(QDate(2012, 1, 1), QTime(0, 0)), QByteArray("\x89PNG-foto", 9), true, left,
                  left.isNull() ? QVariant() : QVariant(QStringLiteral("PEDIU DEMISSÃO")),
                  QDateTime(QDate(1998, 2, 3), QTime(0, 0))});
    }

    // The order insert of the main window, with its parameter kinds.
    void insertOrder(int telephone, const QString &requester, double fare, int courier)
    {
        Query q(db->connection());
        q.setText(QStringLiteral(
            "insert into pedido (telefone,solicitante,id_logradouro,numero,complemento,antiga,id_bairro,id_destino,"
            "id_trajeto,VALOR,ID_MOTOQUEIRO,ID_CATEGORIA,ID_USUARIO,OBS ) values  (:pTelefone,:pSolicitante,"
            ":pIDlogradouro,:pNUMERO,:pCOMPLEMENTO,:pANTIGA,:pIdbairro,:pID_DESTINO,:pIDtrajeto,:pVALOR,"
            ":pID_MOTOQUEIRO,:pID_CATEGORIA,:PID_USUARIO,:pOBS )"));
        q.paramByName(QStringLiteral("pTelefone")).setAsInteger(telephone);
        q.paramByName(QStringLiteral("pSolicitante")).setAsString(requester);
        q.paramByName(QStringLiteral("pIDlogradouro")).setAsInteger(100);
        q.paramByName(QStringLiteral("pNUMERO")).setAsString(QStringLiteral("45"));
        q.paramByName(QStringLiteral("pCOMPLEMENTO")).setAsString(QStringLiteral("APTO 301"));
        q.paramByName(QStringLiteral("pANTIGA")).setAsString(QStringLiteral("RUA 12"));
        q.paramByName(QStringLiteral("pIdbairro")).setAsInteger(10);
        q.paramByName(QStringLiteral("pID_DESTINO")).setAsInteger(11);
        q.paramByName(QStringLiteral("pIDtrajeto")).setAsInteger(10);
        q.paramByName(QStringLiteral("pVALOR")).setAsCurrency(fare);
        q.paramByName(QStringLiteral("pID_MOTOQUEIRO")).setAsCurrency(courier);
        q.paramByName(QStringLiteral("pID_CATEGORIA")).setAsInteger(1);
        q.paramByName(QStringLiteral("PID_USUARIO")).setAsInteger(2);
        q.paramByName(QStringLiteral("pOBS")).setAsString(QStringLiteral("PORTÃO AZUL"));
        q.execute();
    }

    RowSet lookup(const char *column, const QString &telephone)
    {
        return db->open(QStringLiteral("select * from VW_CONSULTA_CLIENTE_TEL where %1= :Pfone").arg(QLatin1String(column)),
                        {{QStringLiteral("Pfone"), telephone}});
    }

    static QString textOf(const RowSet &rows, int row, const char *column)
    {
        return fieldOf(rows, row, QString::fromUtf8(column)).asString();
    }

    std::optional<ContractDatabase> db;
};

} // namespace

TEST_P(ViewsTest, EveryViewReturnsItsColumnsInOrderWithCompatibleTypes)
{
    for (const db::ViewDef &v : db::views()) {
        SCOPED_TRACE(v.name.toStdString());
        const RowSet rows = db->open(QStringLiteral("select * from ") + v.name);
        ASSERT_FALSE(rows.isEmpty());
        ASSERT_EQ(rows.columns.size(), v.columns.size());
        for (int i = 0; i < v.columns.size(); ++i) {
            const db::ViewColumnDef &col = v.columns[i];
            SCOPED_TRACE(col.name.toStdString());
            EXPECT_TRUE(sameName(rows.columns[i].name, col.name)) << rows.columns[i].name.toStdString();
            // A computed column may come without a declared type (SQLite): its values tell.
            FieldKind kind = rows.columns[i].kind;
            bool seen = false;
            for (const Row &row : rows.rows) {
                if (row[i].isNull()) {
                    EXPECT_FALSE(col.required) << "NULL in a column that is never null";
                    continue;
                }
                seen = true;
                if (kind == FieldKind::Unknown)
                    kind = kindFromValue(row[i]);
            }
            EXPECT_TRUE(seen) << "the fixture leaves the column empty";
            EXPECT_TRUE(kindsCompatible(kindFromTypeName(col.type), kind))
                << col.type.toStdString() << " returned as " << kindName(kind).toStdString();
        }
    }
}

TEST_P(ViewsTest, TheDatasetsThatDeclareViewColumnsOpen)
{
    TDMMOTOQUEIRO couriers(db->connection()); // opens the courier list
    ASSERT_EQ(couriers.cdsTodosMotoqueirosATivos.recordCount(), 1) << "the courier who left is not listed";
    EXPECT_EQ(couriers.cdsTodosMotoqueirosATivos.fieldByName(QStringLiteral("Matricula")).asInteger(), 7);
    EXPECT_EQ(couriers.cdsTodosMotoqueirosATivos.fieldByName(QStringLiteral("Turno")).asString(), QStringLiteral("DIA"));
    EXPECT_EQ(couriers.cdsTodosMotoqueirosATivos.fieldByName(QStringLiteral("Foto")).value().toByteArray(),
              QByteArray("\x89PNG-foto", 9));

    TDMBUSCA search(db->connection());
    search.cdspedidoTop5ped.param(0).setAsInteger(Maria);
    search.cdspedidoTop5ped.open();
    ASSERT_EQ(search.cdspedidoTop5ped.recordCount(), 5);
    EXPECT_EQ(search.cdspedidoTop5ped.fieldByName(QStringLiteral("SOLICITANTE")).asString(),
              QStringLiteral("SOLICITANTE 6"));
    search.cdsListatrajeto.open();
    search.cdsListatrajeto.locate(QStringLiteral("id_trajeto"), 10);
    EXPECT_DOUBLE_EQ(search.cdsListatrajeto.fieldByName(QStringLiteral("VALORDIA")).asFloat(), 12.5);

    // The order log and the client searches, as their screens declare them.
    HeldResult &orderLog = search.cdsMovimentoPedido;
    orderLog.open();
    EXPECT_EQ(orderLog.recordCount(), 6);

    HeldResult &byName = search.cdsConsultaNome;
    byName.param(0).setAsString(QStringLiteral("maria%"));
    byName.open();
    ASSERT_EQ(byName.recordCount(), 1);
    EXPECT_EQ(byName.fieldByName(QStringLiteral("endereco")).asString(),
              QStringLiteral("RUA DOS NAVEGANTES, 45 - APTO 301"));
    EXPECT_EQ(byName.fieldByName(QStringLiteral("REFERENCIA")).asString(), QStringLiteral("PERTO DA PRAIA"));
    EXPECT_EQ(byName.fieldByName(QStringLiteral("USUARIO")).asString(), QStringLiteral("ATENDENTE"));
}

TEST_P(ViewsTest, TheCallerLookupAnswersToFoneAndTelefone)
{
    for (const char *column : {"fone", "telefone"}) {
        SCOPED_TRACE(column);
        const RowSet maria = lookup(column, QString::number(Maria));
        ASSERT_EQ(maria.rows.size(), 1);
        EXPECT_EQ(textOf(maria, 0, "nome"), QStringLiteral("MARIA DA SILVA"));
        EXPECT_EQ(textOf(maria, 0, "logradouro"), QStringLiteral("RUA"));
        EXPECT_EQ(textOf(maria, 0, "nome_logradouro"), QStringLiteral("DOS NAVEGANTES"));
        EXPECT_EQ(textOf(maria, 0, "complemento"), QStringLiteral("APTO 301"));
        EXPECT_EQ(textOf(maria, 0, "bairro"), QStringLiteral("BOA VIAGEM"));
        EXPECT_EQ(textOf(maria, 0, "cidade"), QStringLiteral("RECIFE"));
        EXPECT_EQ(textOf(maria, 0, "categoria_telefone"), QStringLiteral("RESIDENCIAL"));
        EXPECT_EQ(textOf(maria, 0, "CHAMADAS"), QStringLiteral("6"));
        EXPECT_EQ(textOf(maria, 0, "PONTO"), QStringLiteral("PRAÇA DE BOA VIAGEM"));
        EXPECT_EQ(textOf(maria, 0, "id_logradouro"), QStringLiteral("100"));
        EXPECT_EQ(textOf(maria, 0, "id_bairro"), QStringLiteral("10"));
        EXPECT_EQ(textOf(maria, 0, "id_categoria"), QStringLiteral("1"));

        // A client without orders, complement or stand: those columns are NULL or 0.
        const RowSet jose = lookup(column, QString::number(Jose));
        ASSERT_EQ(jose.rows.size(), 1);
        EXPECT_TRUE(fieldOf(jose, 0, QStringLiteral("complemento")).isNull());
        EXPECT_TRUE(fieldOf(jose, 0, QStringLiteral("PONTO")).isNull());
        EXPECT_EQ(textOf(jose, 0, "CHAMADAS"), QStringLiteral("0"));

        // Typing: an empty text and the first seven digits find nobody.
        EXPECT_TRUE(lookup(column, QString()).isEmpty());
        EXPECT_TRUE(lookup(column, QString::number(Maria).left(7)).isEmpty());
    }
}

TEST_P(ViewsTest, OrderViewsShowWholeFaresTheAddressAndTheCourierAsText)
{
    // The correction writes the courier typed as text.
    const int last = db->scalar("select max(id_pedido) from pedido").toInt();
    Query fix(db->connection());
    fix.setText(QStringLiteral("update pedido set id_motoqueiro = :pIdMotoqueiro ,solicitante =:pSolicitante  where "
                               "id_pedido =:pIdpedido"));
    fix.paramByName(QStringLiteral("pIdMotoqueiro")).setAsString(QStringLiteral("12"));
    fix.paramByName(QStringLiteral("pSolicitante")).setAsString(QStringLiteral("ANA"));
    fix.paramByName(QStringLiteral("pIdpedido")).setAsInteger(last);
    fix.execute();

    const QDateTime stamped = fieldOf(db->connection().serverQuery(QStringLiteral("select datacad from pedido where id_pedido = ?"),
                                                                  {last}, {FieldKind::DateTime}),
                                      0, QStringLiteral("datacad"))
                                  .asDateTime();
    for (const char *view : {"VW_PEDIDO_NEW", "VW_Consulta_Pedido"}) {
        SCOPED_TRACE(view);
        const RowSet rows = db->open(QStringLiteral("select top 5 * from %1 where telefone like :pTelefone order by "
                                                    "id_pedido desc").arg(QLatin1String(view)),
                                     {{QStringLiteral("pTelefone"), Maria}});
        ASSERT_EQ(rows.rows.size(), 5);
        EXPECT_EQ(textOf(rows, 0, "ID_PEDIDO"), QString::number(last)) << "newest first";
        EXPECT_EQ(textOf(rows, 0, "ID_MOTOQUEIRO"), QStringLiteral("12"));
        EXPECT_EQ(textOf(rows, 1, "ID_MOTOQUEIRO"), QStringLiteral("7"));
        EXPECT_EQ(textOf(rows, 0, "SOLICITANTE"), QStringLiteral("ANA"));
        EXPECT_EQ(textOf(rows, 0, "VALOR"), QStringLiteral("12"));
        EXPECT_EQ(textOf(rows, 1, "VALOR"), QStringLiteral("13"));
        const char *addressColumn = QByteArray(view) == "VW_PEDIDO_NEW" ? "ENDEREÇO" : "Endereco";
        EXPECT_EQ(textOf(rows, 0, addressColumn), QStringLiteral("RUA DOS NAVEGANTES, 45 - APTO 301"));
        EXPECT_EQ(textOf(rows, 0, "BAIRRO"), QStringLiteral("BOA VIAGEM"));
        EXPECT_EQ(textOf(rows, 0, "TRAJETO"), QStringLiteral("BOA VIAGEM/CASA AMARELA"));
        EXPECT_EQ(textOf(rows, 0, "CATEGORIA_TELEFONE"), QStringLiteral("RESIDENCIAL"));
        EXPECT_EQ(textOf(rows, 0, "USUARIO"), QStringLiteral("ATENDENTE"));
        EXPECT_EQ(textOf(rows, 0, "OBS"), QStringLiteral("PORTÃO AZUL"));
        EXPECT_EQ(fieldOf(rows, 0, QStringLiteral("Data")).asDateTime(), stamped);
    }
}

TEST_P(ViewsTest, ViewTextsCompareWithoutRegardToCase)
{
    struct Case {
        const char *sql;
        const char *value;
    };
    const Case cases[] = {
        {"select * from vw_cliente_2008 where nome like :p", "maria da%"},
        {"select * from vw_cliente_2008 where endereco like :p", "rua dos nav%"},
        {"SELECT * FROM VW_TRAJETO WHERE TRAJETO LIKE :p", "boa viagem/%"},
        {"select * from VW_Consulta_Pedido where endereco = :p", "rua dos navegantes, 45 - apto 301"},
        {"select * from vw_cad_motoqueiro where bairro = :p and turno = 'dia'", "boa viagem"},
        {"select * from VW_Consulta_Motoqueiro where cor = :p", "vermelha"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_FALSE(db->open(QString::fromUtf8(c.sql), {{QStringLiteral("p"), QString::fromUtf8(c.value)}}).isEmpty());
    }
}

TEST_P(ViewsTest, CourierViewsAsTheRentalAndUpdateScreensReadThem)
{
    const RowSet rental = db->open(
        QStringLiteral("select * from VW_CAD_MOTOQUEIRO where matricula= :pMATRICULA and dt_saida is null "),
        {{QStringLiteral("pMATRICULA"), QStringLiteral("7")}});
    ASSERT_EQ(rental.rows.size(), 1);
    EXPECT_EQ(textOf(rental, 0, "nome"), QStringLiteral("JOAO BATISTA"));
    EXPECT_EQ(textOf(rental, 0, "diaria"), QStringLiteral("DIÁRIA INTEGRAL"));
    EXPECT_DOUBLE_EQ(fieldOf(rental, 0, QStringLiteral("Vl_Categoria")).asFloat(), 10.0);
    EXPECT_DOUBLE_EQ(fieldOf(rental, 0, QStringLiteral("LIMITE_DEBITO")).asFloat(), 30.0);
    EXPECT_EQ(textOf(rental, 0, "ENDERECO"), QStringLiteral("RUA DOS NAVEGANTES, 12 - CASA"));
    EXPECT_EQ(textOf(rental, 0, "ESTADOCIVIL"), QStringLiteral("CASADO"));
    EXPECT_EQ(textOf(rental, 0, "MODELO"), QStringLiteral("CG 150"));

    // The courier who left drops out of the lists of working couriers only.
    EXPECT_EQ(db->open(QStringLiteral("Select * from vw_cad_motoqueiro where matricula like :aMatricula and dt_saida is "
                                      "null  "),
                       {{QStringLiteral("aMatricula"), QStringLiteral("%")}})
                  .rows.size(),
              1);
    EXPECT_EQ(db->open(QStringLiteral("select * from vw_cad_motoqueiro where matricula  like :matricula"),
                       {{QStringLiteral("matricula"), QStringLiteral("8%")}})
                  .rows.size(),
              1);

    const RowSet update = db->open(QStringLiteral("select * from vw_motoqueiro where NR_matricula =:pMatricula "),
                                   {{QStringLiteral("pMatricula"), 8}});
    ASSERT_EQ(update.rows.size(), 1);
    EXPECT_EQ(textOf(update, 0, "NM_MOTOQUEIRO"), QStringLiteral("PEDRO ALVES"));
    EXPECT_EQ(textOf(update, 0, "NOME_LOGRADOURO"), QStringLiteral("DOS NAVEGANTES"));
    EXPECT_EQ(textOf(update, 0, "PLACA"), QStringLiteral("KKA-1234"));
    EXPECT_EQ(textOf(update, 0, "COR"), QStringLiteral("VERMELHA"));
    EXPECT_EQ(textOf(update, 0, "id_veiculoCidade"), QStringLiteral("11"));
    EXPECT_EQ(textOf(update, 0, "CIDADE"), QStringLiteral("OLINDA")) << "the city of the vehicle";
    EXPECT_EQ(textOf(update, 0, "uf"), QStringLiteral("PE"));
}

TEST_P(ViewsTest, RouteFaresAreThoseOfTheirCategory)
{
    const QString sql = QStringLiteral("SELECT * FROM VW_TRAJETO WHERE TRAJETO LIKE :pTRAJETO");
    RowSet route = db->open(sql, {{QStringLiteral("pTRAJETO"), QStringLiteral("BOA%")}});
    ASSERT_EQ(route.rows.size(), 1);
    EXPECT_DOUBLE_EQ(fieldOf(route, 0, QStringLiteral("VALORNOITE")).asFloat(), 15.0);
    EXPECT_EQ(textOf(route, 0, "DESCRICAO"), QStringLiteral("CURTA"));

    db->connection().executeDirect(QStringLiteral("update trajeto2009 set id_categoria_Valor = 11 where id_trajeto = 10"));
    route = db->open(sql, {{QStringLiteral("pTRAJETO"), QStringLiteral("BOA%")}});
    ASSERT_EQ(route.rows.size(), 1);
    EXPECT_DOUBLE_EQ(fieldOf(route, 0, QStringLiteral("VALORDIA")).asFloat(), 20.0);
    EXPECT_TRUE(fieldOf(route, 0, QStringLiteral("VALORNOITE")).isNull());
    EXPECT_EQ(textOf(route, 0, "id_categoria_valor"), QStringLiteral("11"));
}

TEST_P(ViewsTest, TheCallerLookupAndTheLatestOrdersAreIndexLookups)
{
    const bool sqlite = GetParam() == Backend::SQLite;
    // A tiny table may be scanned anyway; what matters is that the indexes can serve.
    if (!sqlite)
        db->exec("SET enable_seqscan = off");
    auto plan = [&](const QString &sql) {
        QString out;
        for (const Row &row : db->connection().serverQuery((sqlite ? QStringLiteral("EXPLAIN QUERY PLAN ")
                                                                   : QStringLiteral("EXPLAIN "))
                                                               + sql,
                                                           {})
                                  .rows)
            for (const QVariant &v : row)
                out += v.toString() + QLatin1Char(' ');
        return out.toLower();
    };
    const QString caller = plan(QStringLiteral("select * from VW_CONSULTA_CLIENTE_TEL where fone = '32221111'"));
    EXPECT_TRUE(caller.contains(QStringLiteral("ix_cliente_fone"))) << caller.toStdString();
    EXPECT_TRUE(caller.contains(QStringLiteral("ix_pedido_telefone"))) << "CHAMADAS counts on the index";
    const QString latest =
        plan(QStringLiteral("select * from VW_PEDIDO_NEW where telefone = 32221111 order by id_pedido desc limit 5"));
    EXPECT_TRUE(latest.contains(QStringLiteral("ix_pedido_telefone"))) << latest.toStdString();
    if (!sqlite)
        db->exec("RESET enable_seqscan");
}

RV_BOTH_BACKENDS(ViewsTest);
