// The procedures of radios and couriers on both backends: result columns as
// the screens read them, the calls made at start-up with NULL parameters, the
// rental rules and the courier account.
#include "data/Errors.h"
#include "db/Contract.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/CourierFixture.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class RadioProceduresTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        addCourier(*db, 1234, QStringLiteral("JOSE DA SILVA"), 1, 1, 50);
        addCourier(*db, 2001, QStringLiteral("MARIA SOUZA"), 2, 2, 30);
        addRadio(*db, 12, QStringLiteral("SN-012"));
        addRadio(*db, 13, QStringLiteral("SN-013"));
    }
    std::optional<ContractDatabase> db;
};

QStringList names(const RowSet &rs)
{
    QStringList n;
    for (const ResultColumn &c : rs.columns)
        n << c.name;
    return n;
}

QStringList declaredNames(const QString &procedure)
{
    QStringList n;
    for (const ResultColumn &c : db::contractProcedures().find(procedure)->result)
        n << c.name;
    return n;
}

// Every column a screen reads is there, and the call returns its declared shape.
void expectShape(const RowSet &rs, const QString &procedure, const QStringList &read)
{
    EXPECT_EQ(names(rs), declaredNames(procedure)) << procedure.toStdString();
    for (const QString &c : read)
        EXPECT_GE(rs.indexOf(c), 0) << procedure.toStdString() << " lacks " << c.toStdString();
}

} // namespace

TEST_P(RadioProceduresTest, StartUpCallsWithNullParametersReturnTheirColumnsAndNoRows)
{
    insertRental(*db, 12, 1234, QDateTime::currentDateTime());
    const struct {
        const char *text;
        const char *procedure;
        QStringList read;
    } calls[] = {
        {"proc_consulta_devolucao_radio :aMatricula ", "proc_consulta_devolucao_radio",
         {"nm_motoqueiro", "cd_radio", "NR_SERIAL", "Categoria_diaria", "vl_limite_debito", "valor_locacao",
          "id_locacao"}},
        {"PROC_lista_Radio_locado :aMoto", "PROC_lista_Radio_locado", {"Nr_Matricula", "Nm_Motoqueiro"}},
        {"prs_verifica_radio_locado :Motoqueiro", "prs_verifica_radio_locado", {}},
        {"PRS_MOTOQUEIRO_TURNO :Turno", "PRS_MOTOQUEIRO_TURNO", {"NR_MATRICULA", "NM_MOTOQUEIRO", "TURNO"}},
        {"proc_saida_motoqueiro :datainicio ,:Datafim ", "proc_saida_motoqueiro", {}},
    };
    for (const auto &c : calls) {
        const QString text = QString::fromUtf8(c.text);
        QList<QPair<QString, QVariant>> nulls;
        for (const QString &marker : {QStringLiteral("aMatricula"), QStringLiteral("aMoto"),
                                      QStringLiteral("Motoqueiro"), QStringLiteral("Turno"),
                                      QStringLiteral("datainicio"), QStringLiteral("Datafim")})
            if (text.contains(QLatin1Char(':') + marker + QLatin1Char(' ')) || text.endsWith(QLatin1Char(':') + marker))
                nulls.append({marker, QVariant()});
        const RowSet rs = db->open(text, nulls);
        expectShape(rs, QString::fromUtf8(c.procedure), c.read);
        EXPECT_TRUE(rs.rows.isEmpty()) << c.text;
    }
    // Without parameters: the rented radio is away from the desk.
    const RowSet away = db->open(QStringLiteral("proc_radio_Ausente"));
    expectShape(away, QStringLiteral("proc_radio_Ausente"), {"Cd_Radio", "Nr_Matricula"});
    ASSERT_EQ(away.rows.size(), 1);
    EXPECT_EQ(away.rows[0][away.indexOf(QStringLiteral("Cd_Radio"))].toLongLong(), 12);
}

RV_BOTH_BACKENDS(RadioProceduresTest);
