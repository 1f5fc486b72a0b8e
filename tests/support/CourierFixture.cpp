#include "CourierFixture.h"

#include "data/Params.h"

namespace rv::test {

void addCourier(ContractDatabase &db, qint64 matricula, const QString &name, int shift, int category, double limit)
{
    db.exec(QStringLiteral(
                "insert into tb_motoqueiro (Nr_Matricula, Nm_Motoqueiro, Cd_Turno, Nr_CEP, Nr_Telefone, Nr_CPF, "
                "Ds_Identidade, Dt_Nascimento, Nm_Pai, Nm_Mae, Cd_Categoria_CNH, Cd_Usuario, Vl_Limite_Debito, "
                "Nr_CNH, Dt_Validade_CNH, Qt_Colete, Cd_Estado_Civil, Id_Categoria) "
                "values (?, ?, ?, 64000000, '32221234', '123.456.789-00', '1234567', '1980-05-10 00:00:00', "
                "'PAI', 'MAE', 'A', 1, ?, '0123456789', '2030-01-01 00:00:00', '1', 1, ?)"),
            {qlonglong(matricula), name, shift, limit, category});
}

void setLeft(ContractDatabase &db, qint64 matricula, const QDateTime &at, const QString &reason)
{
    db.exec(QStringLiteral("update tb_motoqueiro set Dt_Saida = ?, Ds_Saida = ? where Nr_Matricula = ?"),
            {at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), reason, qlonglong(matricula)});
}

void addRadio(ContractDatabase &db, qint64 radio, const QString &serial, int state)
{
    db.exec(QStringLiteral("insert into tb_radio (Cd_Radio, Nr_Serial, Id_Status_Radio) values (?, ?, ?)"),
            {qlonglong(radio), serial, state});
}

qint64 insertRental(ContractDatabase &db, qint64 radio, qint64 matricula, const QDateTime &at, double fee)
{
    db.exec(QStringLiteral("insert into tb_locacao_radio (Cd_Radio, Nr_Matricula, Dt_Locacao, Cd_Usuario, Id_Categoria, "
                           "Vl_Pagamento, Vl_Locacao, Id_Status_Radio) values (?, ?, ?, 1, 1, 0, ?, 2)"),
            {qlonglong(radio), qlonglong(matricula), at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), fee});
    db.exec(QStringLiteral("update tb_radio set Id_Status_Radio = 2 where Cd_Radio = ?"), {qlonglong(radio)});
    return db.scalar(QStringLiteral("select max(Id_Locacao) from tb_locacao_radio")).toLongLong();
}

RowSet call(ContractDatabase &db, const QString &procedure, const QVariantList &args)
{
    QList<BoundValue> values;
    for (const QVariant &a : args)
        values.append(BoundValue{kindFromValue(a), a});
    return db.connection().callProcedure(procedure, values).rows;
}

qint64 rent(ContractDatabase &db, qint64 radio, qint64 matricula, double fee, double payment)
{
    const RowSet r = db.open(QStringLiteral("exec pri_locacao :aRadio,:aMatricula,:aUsuario,:aCategoria,:aPagamento,"
                                            ":aValor,:aStatus "),
                             {{QStringLiteral("aRadio"), qlonglong(radio)},
                              {QStringLiteral("aMatricula"), qlonglong(matricula)},
                              {QStringLiteral("aUsuario"), 1},
                              {QStringLiteral("aCategoria"), 1},
                              {QStringLiteral("aPagamento"), payment},
                              {QStringLiteral("aValor"), fee},
                              {QStringLiteral("aStatus"), 2}});
    return r.rows.value(0).value(r.indexOf(QStringLiteral("ID_LOCACAO"))).toLongLong();
}

void giveBack(ContractDatabase &db, qint64 rental, double payment)
{
    call(db, QStringLiteral("pri_devolucao"), {qlonglong(rental), 1, payment, 5});
}

QVariant value(const RowSet &rs, int row, const QString &column)
{
    const int c = rs.indexOf(column);
    if (c < 0 || row < 0 || row >= rs.rows.size())
        return {};
    return rs.rows[row].value(c);
}

QString ydm(const QDateTime &at)
{
    return at.toString(QStringLiteral("yyyy/dd/MM HH:mm:ss"));
}

} // namespace rv::test
