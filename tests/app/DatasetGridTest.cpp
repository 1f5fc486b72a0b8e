#include "app/common/DatasetGrid.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Ui.h"

#include <QHeaderView>

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

class DatasetGridTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        for (int id : {10, 11, 12})
            db->exec(QStringLiteral("insert into bairro (ID_BAIRRO, BAIRRO) values (?, ?)"), {id, QStringLiteral("B%1").arg(id)});
        cds = std::make_unique<HeldResult>(
            db->connection(), QStringLiteral("cdsTbBairro"),
            QStringLiteral("select * from bairro where ID_BAIRRO >= 10 order by ID_BAIRRO"), QList<ParamDecl>{},
            QList<ColumnDecl>{col::integer(QStringLiteral("ID_BAIRRO")).required(),
                              col::text(QStringLiteral("BAIRRO"), 50).required()});
        cds->open();
        grid = std::make_unique<DatasetGrid>(messages);
        grid->bind(cds.get(), {gridColumn(QStringLiteral("ID_BAIRRO")).titled(QStringLiteral("Id")).wide(40),
                               gridColumn(QStringLiteral("BAIRRO")).wide(150).asEditable()});
        showWindow(grid.get());
    }
    void TearDown() override { messages.verify(); }

    std::optional<ContractDatabase> db;
    std::unique_ptr<HeldResult> cds;
    ScriptedMessages messages;
    std::unique_ptr<DatasetGrid> grid;
};

TEST_P(DatasetGridTest, ColumnsAndTheCurrentRowFollowTheHeldResult)
{
    EXPECT_EQ(grid->columnWidth(0), 40);
    EXPECT_EQ(grid->columnWidth(1), 150);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Id"));

    grid->setCurrentIndex(grid->model()->index(2, 1));
    EXPECT_EQ(cds->recNo(), 3);
    EXPECT_EQ(cds->fieldByName(QStringLiteral("BAIRRO")).asString(), QStringLiteral("B12"));

    ASSERT_TRUE(cds->locate(QStringLiteral("BAIRRO"), QStringLiteral("b11")));
    EXPECT_EQ(grid->currentIndex().row(), 1);

    // Re-running the result keeps the grid on the held result's current row.
    cds->close();
    cds->open();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->columnWidth(1), 150);
}

TEST_P(DatasetGridTest, AnEditThatFailsIsShownAndNotPosted)
{
    messages.expectError(QStringLiteral("Field 'BAIRRO' must have a value"));
    EXPECT_FALSE(grid->model()->setData(grid->model()->index(0, 1), QString()));
    cds->first();
    EXPECT_EQ(cds->fieldByName(QStringLiteral("BAIRRO")).asString(), QStringLiteral("B10"));
}

RV_BOTH_BACKENDS(DatasetGridTest);
