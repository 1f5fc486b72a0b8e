// The call statistics on both backends: their columns, the calls made at
// start-up with NULL windows, the window bounds, and the counts of a small
// fixture whose totals are known.
#include "OrderFixture.h"

#include "data/Errors.h"
#include "data/HeldResult.h"
#include "data/StatementText.h"

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class StatisticsTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        fx.emplace(*db);
    }

    RowSet call(const QString &text, const QDateTime &from, const QDateTime &to)
    {
        const QStringList markers = parseStatementText(text).markers;
        return db->open(text, {{markers.value(0), ydm(from)}, {markers.value(1), ydm(to)}});
    }

    // Rows as "label=total" texts, in the order returned.
    static QStringList totals(const RowSet &rows, const QString &label, const QString &total)
    {
        QStringList out;
        const int l = rows.indexOf(label);
        const int t = rows.indexOf(total);
        for (const Row &r : rows.rows)
            out << r[l].toString() + QLatin1Char('=') + r[t].toString();
        return out;
    }

    std::optional<ContractDatabase> db;
    std::optional<OrderFixture> fx;
};

} // namespace

TEST_P(StatisticsTest, StartUpCallWithNullWindowGivesTheColumnsAndNoRows)
{
    HeldResult cds(db->connection(), QStringLiteral("cdsRelBairroTurno"),
                   QStringLiteral("proc_chamadasbairro_periodo :dataI ,:dataF"),
                   {{QStringLiteral("dataI"), FieldKind::Text}, {QStringLiteral("dataF"), FieldKind::Text}});
    fx->order(OrderRow(32221111, at(2009, 3, 10)));
    ASSERT_NO_THROW(cds.open());
    EXPECT_EQ(cds.recordCount(), 0);
    ASSERT_EQ(cds.columnCount(), 2);
    EXPECT_EQ(cds.column(0).name, QStringLiteral("bairro"));
    EXPECT_EQ(cds.column(1).name, QStringLiteral("Total"));
}

TEST_P(StatisticsTest, NightShiftWindowCountsFromSevenInTheEveningToSevenInTheMorning)
{
    const int centro = fx->bairro(QStringLiteral("CENTRO"));
    const int aldeota = fx->bairro(QStringLiteral("ALDEOTA"));
    fx->order(OrderRow(1, at(2009, 3, 9, 18, 59, 59)).inBairro(centro));  // day shift of the 9th
    fx->order(OrderRow(1, at(2009, 3, 9, 19, 0, 0)).inBairro(centro));
    fx->order(OrderRow(1, at(2009, 3, 10, 0, 0, 0)).inBairro(aldeota));
    fx->order(OrderRow(1, at(2009, 3, 10, 6, 59, 59)).inBairro(centro));
    fx->order(OrderRow(1, at(2009, 3, 10, 7, 0, 0)).inBairro(aldeota)); // day shift of the 10th

    const RowSet night = call(QStringLiteral("proc_chamadasbairro_periodo :dataI ,:dataF"),
                              at(2009, 3, 9, 19, 0, 0), at(2009, 3, 10, 6, 59, 59));
    EXPECT_EQ(totals(night, QStringLiteral("bairro"), QStringLiteral("Total")),
              QStringList({QStringLiteral("CENTRO=2"), QStringLiteral("ALDEOTA=1")}));
}

RV_BOTH_BACKENDS(StatisticsTest);
