// The order, address and route procedures on both backends: their columns,
// the calls made at start-up, date texts and window bounds.
#include "OrderFixture.h"

#include "data/Errors.h"
#include "data/HeldResult.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class ContractTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        fx.emplace(*db);
    }

    static QStringList column(const RowSet &rows, const QString &name)
    {
        QStringList out;
        const int c = rows.indexOf(name);
        for (const Row &r : rows.rows)
            out << r.value(c).toString();
        return out;
    }

    std::optional<ContractDatabase> db;
    std::optional<OrderFixture> fx;
};

class RouteProceduresTest : public ContractTest {};

const QList<ResultColumn> routeColumns{
    {QStringLiteral("id_trajeto"), FieldKind::Integer},   {QStringLiteral("TRAJETO"), FieldKind::FixedText},
    {QStringLiteral("VALORDIA"), FieldKind::Decimal},     {QStringLiteral("VALORNOITE"), FieldKind::Decimal},
    {QStringLiteral("DESCRICAO"), FieldKind::FixedText},  {QStringLiteral("id_categoria_valor"), FieldKind::Integer}};

} // namespace

TEST_P(RouteProceduresTest, RouteTableByCategoryOpensAtStartUpWithEveryRoute)
{
    const int cheap = fx->category(5.0, 7.5, QStringLiteral("CURTA"));
    const int dear = fx->category(12.0, 15.0, QStringLiteral("LONGA"));
    fx->route(QStringLiteral("CENTRO/MEIRELES"), dear);
    fx->route(QStringLiteral("ALDEOTA/CENTRO"), cheap);
    fx->route(QStringLiteral("CENTRO/ALDEOTA"), cheap);

    HeldResult cds(db->connection(), QStringLiteral("cdsRelTrajeto"), QStringLiteral("proc_relCategoriaTrajeto"));
    ASSERT_NO_THROW(cds.open());
    RowSet rows = db->open(QStringLiteral("proc_relCategoriaTrajeto"));
    expectColumns(rows, routeColumns);
    EXPECT_EQ(column(rows, QStringLiteral("TRAJETO")),
              QStringList({QStringLiteral("NÃO INFORMADO"), QStringLiteral("ALDEOTA/CENTRO"),
                           QStringLiteral("CENTRO/ALDEOTA"), QStringLiteral("CENTRO/MEIRELES")}));
    EXPECT_EQ(column(rows, QStringLiteral("VALORNOITE")).last(), QStringLiteral("15"));
    EXPECT_EQ(column(rows, QStringLiteral("DESCRICAO")).last(), QStringLiteral("LONGA"));
}

RV_BOTH_BACKENDS(RouteProceduresTest);
