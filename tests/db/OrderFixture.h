#pragma once
// Small fixture rows for the order, address and statistics procedures:
// neighbourhoods, streets, clients, couriers, routes and orders at chosen times.
//
//   OrderFixture fx(*db);
//   const int centro = fx.bairro("CENTRO", "NORTE");
//   fx.order(OrderRow(32221111, at(2009, 1, 21, 23, 59, 59)).inBairro(centro));

#include "tests/support/ContractDatabase.h"

#include <QDateTime>
#include <QString>

#include <gtest/gtest.h>

namespace rv::test {

// The result has exactly these columns, in this order, with compatible kinds.
inline void expectColumns(const RowSet &rows, const QList<ResultColumn> &expected)
{
    QStringList names, wanted;
    for (const ResultColumn &c : rows.columns)
        names << c.name;
    for (const ResultColumn &c : expected)
        wanted << c.name;
    ASSERT_EQ(names.join(QLatin1Char(',')).toStdString(), wanted.join(QLatin1Char(',')).toStdString());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(kindsCompatible(expected[i].kind, rows.columns[i].kind))
            << expected[i].name.toStdString() << ": " << kindName(rows.columns[i].kind).toStdString();
}

inline QDateTime at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// A date-time text as the screens send it: year/day/month.
inline QString ydm(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy/dd/MM HH:mm:ss"));
}

// An order to insert; the setters chain:
//   OrderRow(32221111, at(2009, 1, 21)).inBairro(centro).byCourier(12)
struct OrderRow {
    OrderRow(qint64 phone, QDateTime time) : telefone(phone), at(std::move(time)) {}

    OrderRow &inBairro(int id) { bairro = id; return *this; }
    OrderRow &onStreet(int id, const QString &number = QStringLiteral("10"), const QString &complement = {})
    {
        street = id;
        numero = number;
        complemento = complement;
        return *this;
    }
    OrderRow &byCourier(int matricula) { courier = matricula; return *this; }
    OrderRow &worth(double v) { valor = v; return *this; }
    OrderRow &fromCategory(int id) { categoria = id; return *this; }
    OrderRow &takenBy(int id) { usuario = id; return *this; }
    OrderRow &onRoute(int id) { trajeto = id; return *this; }
    OrderRow &askedBy(const QString &name) { solicitante = name; return *this; }
    OrderRow &remark(const QString &text) { obs = text; return *this; }

    qint64 telefone = 0;
    QDateTime at;
    int bairro = 1;
    QVariant street;          // logradouro id, NULL when not given
    QVariant courier;         // registration number, NULL when not given
    double valor = 10.0;
    int categoria = 1;        // telephone category (4 is a public telephone)
    int usuario = 1;
    int trajeto = 1;
    QString solicitante = QStringLiteral("SOLICITANTE");
    QString numero = QStringLiteral("10");
    QString complemento;
    QString obs;
};

class OrderFixture {
public:
    explicit OrderFixture(ContractDatabase &db) : m_db(db)
    {
        m_db.exec(QStringLiteral("insert into cidade (cidade, Uf) values (?, ?)"),
                  {QStringLiteral("FORTALEZA"), QStringLiteral("CE")});
        m_cidade = lastId(QStringLiteral("cidade"), QStringLiteral("id_cidade"));
    }

    int cidade() const { return m_cidade; }

    int bairro(const QString &name, const QString &setor = {}, const QString &ponto = {})
    {
        m_db.exec(QStringLiteral("insert into bairro (BAIRRO, PONTO, SETOR) values (?, ?, ?)"),
                  {name, orNull(ponto), orNull(setor)});
        return lastId(QStringLiteral("bairro"), QStringLiteral("ID_BAIRRO"));
    }

    int street(const QString &kind, const QString &name, int bairroId, const QString &antiga = {})
    {
        m_db.exec(QStringLiteral("insert into logradouro (LOGRADOURO, NOME_LOGRADOURO, ID_BAIRRO, BAIRRO_INICIO, "
                                 "CIDADE, UF, CEP, ANTIGA, id_cidade, REFERENCIA) "
                                 "values (?, ?, ?, (select BAIRRO from bairro where ID_BAIRRO = ?), ?, ?, ?, ?, ?, ?)"),
                  {kind, name, bairroId, bairroId, QStringLiteral("FORTALEZA"), QStringLiteral("CE"),
                   QStringLiteral("60000-000"), orNull(antiga), m_cidade, QStringLiteral("PERTO DA PRAÇA")});
        return lastId(QStringLiteral("logradouro"), QStringLiteral("ID_LOGRADOURO"));
    }

    void client(qint64 telefone, const QString &nome, int streetId, int bairroId, int categoria = 1,
                const QString &numero = QStringLiteral("10"), const QString &complemento = {})
    {
        m_db.exec(QStringLiteral("insert into cliente (TELEFONE, NOME, ID_LOGRADOURO, NUMERO, COMPLEMENTO, ANTIGA, "
                                 "ID_BAIRRO, ID_CIDADE, UF, CEP, ID_CATEGORIA, ID_USUARIO) "
                                 "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {telefone, nome, streetId, numero, orNull(complemento), QStringLiteral("A12"), bairroId, m_cidade,
                   QStringLiteral("CE"), QStringLiteral("60000-000"), categoria, 1});
    }

    void courier(int matricula, const QString &nome)
    {
        const QDateTime birth = at(1980, 5, 1, 0);
        m_db.exec(QStringLiteral("insert into tb_motoqueiro (Nr_Matricula, Nm_Motoqueiro, Cd_Turno, Nr_CEP, "
                                 "Nr_Telefone, Nr_CPF, Ds_Identidade, Dt_Nascimento, Nm_Pai, Nm_Mae, "
                                 "Cd_Categoria_CNH, Cd_Usuario, Nr_CNH, Dt_Validade_CNH, Qt_Colete, "
                                 "Cd_Estado_Civil, Id_Categoria) "
                                 "values (?, ?, 1, 60000000, '8599990000', '000.000.000-00', '123', ?, 'PAI', "
                                 "'MAE', 'A', 1, '12345', ?, '1', 1, 1)"),
                  {matricula, nome, birth, birth.addYears(40)});
    }

    int category(double valorDia, double valorNoite, const QString &descricao)
    {
        m_db.exec(QStringLiteral("insert into categoria_valor (valorDia, valorNoite, Descricao) values (?, ?, ?)"),
                  {valorDia, valorNoite, descricao});
        return lastId(QStringLiteral("categoria_valor"), QStringLiteral("id_categoria_valor"));
    }

    int route(const QString &text, int categoryId)
    {
        m_db.exec(QStringLiteral("insert into trajeto2009 (trajeto, id_categoria_Valor) values (?, ?)"),
                  {text, categoryId});
        return lastId(QStringLiteral("trajeto2009"), QStringLiteral("id_trajeto"));
    }

    int order(const OrderRow &o)
    {
        orders(1, o);
        return lastId(QStringLiteral("pedido"), QStringLiteral("id_pedido"));
    }

    // count copies of one order, in one statement.
    void orders(int count, const OrderRow &o)
    {
        m_db.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                                 "insert into pedido (telefone, solicitante, id_logradouro, numero, complemento, "
                                 "antiga, id_bairro, id_destino, id_trajeto, VALOR, ID_MOTOQUEIRO, ID_CATEGORIA, "
                                 "ID_USUARIO, OBS, datacad) "
                                 "select ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ? from n"),
                  {count, o.telefone, o.solicitante, o.street, o.numero, orNull(o.complemento), QStringLiteral("A12"),
                   o.bairro, o.bairro, o.trajeto, o.valor, o.courier, o.categoria, o.usuario, orNull(o.obs), o.at});
    }

private:
    static QVariant orNull(const QString &s) { return s.isEmpty() ? QVariant() : QVariant(s); }

    int lastId(const QString &table, const QString &key)
    {
        return m_db.scalar(QStringLiteral("select max(%1) from %2").arg(key, table)).toInt();
    }

    ContractDatabase &m_db;
    int m_cidade = 0;
};

} // namespace rv::test
