#pragma once
// Couriers, radios and rentals for the contract tests: the few rows a test
// needs, with every column the tables require filled with plain values.
//
//   addCourier(db, 1234, "JOSE DA SILVA");   // day shift, category 1, limit 50
//   addRadio(db, 12, "SN-012");
//   rent(db, 12, 1234, 10.0);                // pri_locacao as the rental screen calls it

#include "ContractDatabase.h"

#include <QDateTime>
#include <QString>

namespace rv::test {

// A working courier. shift: tb_turno (1 DIA, 2 NOITE, 3 FREE LANCER, 4 24 HORAS,
// 5 12 POR 36); category: tb_categoria_motoqueiro (1 fee 10, 2 fee 6, 3 exempt);
// limit: Vl_Limite_Debito.
void addCourier(ContractDatabase &db, qint64 matricula, const QString &name, int shift = 1, int category = 1,
                double limit = 50);
// The courier left the business at that time, for that reason.
void setLeft(ContractDatabase &db, qint64 matricula, const QDateTime &at, const QString &reason = QString());
void addRadio(ContractDatabase &db, qint64 radio, const QString &serial, int state = 1);

// A rental row written directly, at a given time (as if made then); the radio
// gets state 2. Returns its Id_Locacao.
qint64 insertRental(ContractDatabase &db, qint64 radio, qint64 matricula, const QDateTime &at, double fee = 10);

// pri_locacao with the values the rental screen sends (user 1, category 1,
// state 2); returns ID_LOCACAO.
qint64 rent(ContractDatabase &db, qint64 radio, qint64 matricula, double fee, double payment = 0);
// pri_devolucao with the values the return screen sends (user 1, state 5).
void giveBack(ContractDatabase &db, qint64 rental, double payment = 0);

// A call as the screens write it ("exec name :a, :b"), every argument by
// position as given (an invalid QVariant goes as NULL).
RowSet call(ContractDatabase &db, const QString &procedure, const QVariantList &args = {});

// The value of a column (by name, without regard to case) of a row; an
// invalid QVariant when there is no such row or column.
QVariant value(const RowSet &rs, int row, const QString &column);

// Year/day/month date-time text the screens send ("2009/21/01 00:00:00").
QString ydm(const QDateTime &at);

} // namespace rv::test
