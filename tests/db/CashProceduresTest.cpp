// The cash book's procedures on both backends: entries, the cash report with
// its running balance, the yearly summary, employees and their advances.
#include "data/Errors.h"
#include "db/Contract.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/CourierFixture.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class CashProceduresTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
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

} // namespace

TEST_P(CashProceduresTest, StartUpCallsWithNullParametersReturnTheirColumnsAndNoRows)
{
    const RowSet caixa = db->open(QStringLiteral("PRS_CONSULTA_CAIXA_RELATORIO :datainicial ,:datafinal "),
                                  {{QStringLiteral("datainicial"), QVariant()}, {QStringLiteral("datafinal"), QVariant()}});
    EXPECT_TRUE(caixa.rows.isEmpty());
    for (const char *c : {"HORA", "DS_TIPO_LANCAMENTO", "VL_LANCAMENTO", "NR_MATRICULA", "Nm_Usuario", "VL_DESPESA",
                          "VL_RECEITA", "VL_SALDO", "Fl_Receita"})
        EXPECT_GE(caixa.indexOf(QString::fromUtf8(c)), 0) << c;

    const RowSet anual = db->open(QStringLiteral("proc_rel_Caixa_Anual :ano"), {{QStringLiteral("ano"), QVariant()}});
    EXPECT_TRUE(anual.rows.isEmpty());
    EXPECT_EQ(names(anual), (QStringList{"mesId", "lancamentos", "receita", "Mes", "Status"}));

    const RowSet vale = db->open(QStringLiteral("exec proc_vale_funcionario :dataI ,:dataF ,:Funcionario"),
                                 {{QStringLiteral("dataI"), QVariant()},
                                  {QStringLiteral("dataF"), QVariant()},
                                  {QStringLiteral("Funcionario"), QVariant()}});
    EXPECT_TRUE(vale.rows.isEmpty());
    EXPECT_EQ(names(vale), (QStringList{"NM_FUNCIONARIO", "DT_LANCAMENTO", "VL_LANCAMENTO", "DS_TIPO_LANCAMENTO"}));
}

RV_BOTH_BACKENDS(CashProceduresTest);
