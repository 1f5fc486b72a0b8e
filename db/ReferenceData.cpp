#include "ReferenceData.h"

#include "data/Connection.h"

namespace rv::db {

namespace {

void insertRows(Connection &c, const QString &sql, const QList<QVariantList> &rows)
{
    for (const QVariantList &row : rows)
        c.serverExec(sql, row);
}

} // namespace

void insertReferenceData(Connection &c)
{
    // Users, stored in upper case. User 1 is the one the radio screens record.
    insertRows(c, QStringLiteral("insert into usuario (id_usuario, usuario, senha, acesso, nm_usuario) values (?, ?, ?, ?, ?)"),
               {{1, QStringLiteral("ADMIN"), QStringLiteral("ADMIN"), QStringLiteral("3"), QStringLiteral("ADMINISTRADOR")},
                {2, QStringLiteral("ATENDENTE"), QStringLiteral("1234"), QStringLiteral("2"), QStringLiteral("ATENDENTE")}});

    // Telephone categories; public telephones are told apart by fl_publico.
    insertRows(c, QStringLiteral("insert into categoria_telefone (id_categoria, categoria_telefone, fl_publico) values (?, ?, ?)"),
               {{1, QStringLiteral("RESIDENCIAL"), false},
                {2, QStringLiteral("COMERCIAL"), false},
                {3, QStringLiteral("CELULAR"), false},
                {4, QStringLiteral("TELEFONE PÚBLICO"), true}});

    // The neighbourhood and the route an order takes when none is told.
    insertRows(c, QStringLiteral("insert into bairro (ID_BAIRRO, BAIRRO, PONTO, datacad) values (?, ?, ?, ?)"),
               {{1, QStringLiteral("NÃO INFORMADO"), QString(), QStringLiteral("01/01/2009")}});
    insertRows(c, QStringLiteral("insert into categoria_valor (id_categoria_valor, valorDia, valorNoite, Descricao) values (?, ?, ?, ?)"),
               {{1, 0.0, 0.0, QStringLiteral("NÃO INFORMADO")}});
    insertRows(c, QStringLiteral("insert into trajeto2009 (id_trajeto, trajeto, id_categoria_Valor) values (?, ?, ?)"),
               {{1, QStringLiteral("NÃO INFORMADO"), 1}});

    // Courier shifts, marital states and categories (daily amounts of the radio).
    insertRows(c, QStringLiteral("insert into tb_turno (Cd_Turno, Ds_Turno) values (?, ?)"),
               {{1, QStringLiteral("DIA")}, {2, QStringLiteral("NOITE")}, {3, QStringLiteral("FREE LANCER")},
                {4, QStringLiteral("24 HORAS")}, {5, QStringLiteral("12 POR 36")}});
    insertRows(c, QStringLiteral("insert into tb_estado_civil (Cd_Estado_Civil, Ds_Estado_Civil) values (?, ?)"),
               {{1, QStringLiteral("SOLTEIRO")}, {2, QStringLiteral("CASADO")}, {3, QStringLiteral("DIVORCIADO")},
                {4, QStringLiteral("VIÚVO")}, {5, QStringLiteral("UNIÃO ESTÁVEL")}});
    insertRows(c, QStringLiteral("insert into tb_categoria_motoqueiro (Id_Categoria, Ds_Categoria, Vl_Categoria) values (?, ?, ?)"),
               {{1, QStringLiteral("DIÁRIA INTEGRAL"), 10.0},
                {2, QStringLiteral("DIÁRIA MEIO PERÍODO"), 6.0},
                {3, QStringLiteral("ISENTO"), 0.0}});

    // Radio states (2 rented and 5 returned are the codes the screens send).
    insertRows(c, QStringLiteral("insert into tb_status_radio (Id_Status_Radio, Ds_Status_Radio) values (?, ?)"),
               {{1, QStringLiteral("DISPONÍVEL")}, {2, QStringLiteral("LOCADO")}, {3, QStringLiteral("EM MANUTENÇÃO")},
                {4, QStringLiteral("EXTRAVIADO")}, {5, QStringLiteral("DEVOLVIDO")}});

    // Kinds of cash entry and the desk's cash book.
    insertRows(c, QStringLiteral("insert into tb_tipo_lancamento (id_tipo_lancamento, ds_tipo_lancamento, fl_receita) values (?, ?, ?)"),
               {{1, QStringLiteral("LOCAÇÃO DE RÁDIO"), true},
                {2, QStringLiteral("DESPESA"), false},
                {3, QStringLiteral("RECEBIMENTO AVULSO DE MOTOQUEIRO"), true},
                {4, QStringLiteral("VALE DE FUNCIONÁRIO"), false}});
    insertRows(c, QStringLiteral("insert into tb_caixa (id_caixa, ds_caixa) values (?, ?)"),
               {{15, QStringLiteral("CAIXA DA CENTRAL")}});

    // Keys given explicitly above: the next ones the database assigns come after them.
    if (c.backend() == Backend::PostgreSQL) {
        for (const char *t : {"usuario:id_usuario", "categoria_telefone:id_categoria", "bairro:ID_BAIRRO",
                              "categoria_valor:id_categoria_valor", "trajeto2009:id_trajeto"}) {
            const QStringList parts = QString::fromLatin1(t).split(QLatin1Char(':'));
            c.serverQuery(QStringLiteral("select setval(pg_get_serial_sequence('%1', '%2'), (select max(%2) from %1))")
                              .arg(parts[0], parts[1].toLower()),
                          {});
        }
    }
}

} // namespace rv::db
