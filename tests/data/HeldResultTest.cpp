// Held results: opening, declared columns, row numbers, filters, locate,
// edits, and the grid model over them.
#include "data/DatasetModel.h"
#include "data/Errors.h"
#include "data/HeldResult.h"
#include "tests/support/TestDatabase.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace rv;
using rv::test::TestDatabase;

namespace {

class HeldResultTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db = std::make_unique<TestDatabase>(GetParam());
        conn = std::make_unique<Connection>(db->settings(), nullptr);
        conn->serverExec(QStringLiteral("create table pessoa (id integer primary key, nome char(30), valor decimal(9,2))"), {});
        const char *names[] = {"ANA MARIA", "BRUNO", "ana paula", "O'BRIEN", "CARLOS", "ANTONIO"};
        int id = 1;
        for (const char *n : names)
            conn->serverExec(QStringLiteral("insert into pessoa values (?, ?, ?)"),
                             {id++, QString::fromLatin1(n), id * 10.5});
    }

    HeldResult *make(QList<ColumnDecl> columns = {})
    {
        held = std::make_unique<HeldResult>(*conn, QStringLiteral("cdsPessoa"),
                                            QStringLiteral("select * from pessoa order by id"), QList<ParamDecl>{},
                                            std::move(columns));
        return held.get();
    }

    QStringList visibleNames(HeldResult &h)
    {
        QStringList names;
        for (h.first(); !h.eof(); h.next())
            names << h.fieldByName(QStringLiteral("nome")).asString();
        return names;
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> conn;
    std::unique_ptr<HeldResult> held;
};

} // namespace

TEST_P(HeldResultTest, OpeningAnOpenResultKeepsItsRows)
{
    HeldResult &h = *make();
    h.open();
    EXPECT_EQ(h.recordCount(), 6);
    conn->serverExec(QStringLiteral("insert into pessoa values (7, 'NOVA', 1)"), {});
    h.open();
    EXPECT_EQ(h.recordCount(), 6);
    h.close();
    h.open();
    EXPECT_EQ(h.recordCount(), 7);
}

TEST_P(HeldResultTest, DeclaredColumnsAreCheckedAndOthersDropped)
{
    HeldResult &h = *make({col::recNo(QStringLiteral("RecNo")), col::fixed(QStringLiteral("NOME"), 30)});
    h.open();
    EXPECT_EQ(h.columnCount(), 2);
    EXPECT_EQ(h.columnIndex(QStringLiteral("valor")), -1);
    EXPECT_EQ(h.fieldByName(QStringLiteral("nome")).asString(), QStringLiteral("ANA MARIA")); // no trailing blanks

    HeldResult &missing = *make({col::integer(QStringLiteral("id")), col::fixed(QStringLiteral("apelido"), 10)});
    try {
        missing.open();
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("'apelido'"))) << e.text().toStdString();
    }
    EXPECT_FALSE(missing.active());

    HeldResult &mismatch = *make({col::integer(QStringLiteral("nome"))});
    EXPECT_THROW(mismatch.open(), DatabaseError);
}

TEST_P(HeldResultTest, RowNumbersFollowTheFilter)
{
    HeldResult &h = *make({col::recNo(QStringLiteral("RecNo"), true), col::integer(QStringLiteral("id")),
                           col::fixed(QStringLiteral("nome"), 30)});
    h.open();
    h.setFilter(QStringLiteral("Upper(NOME) like'AN%'"));
    h.setFiltered(true);
    EXPECT_EQ(visibleNames(h), (QStringList{QStringLiteral("ANA MARIA"), QStringLiteral("ana paula"), QStringLiteral("ANTONIO")}));
    h.first();
    h.next();
    EXPECT_EQ(h.fieldByName(QStringLiteral("RecNo")).asString(), QStringLiteral("2"));
    EXPECT_EQ(h.fieldByName(QStringLiteral("id")).asInteger(), 3);
    h.setFiltered(false);
    EXPECT_EQ(h.recordCount(), 6);
    h.last();
    EXPECT_EQ(h.fieldByName(QStringLiteral("RecNo")).asString(), QStringLiteral("6"));
    // a filter survives re-running the statement
    h.setFiltered(true);
    h.close();
    h.open();
    EXPECT_EQ(h.recordCount(), 3);
}

TEST_P(HeldResultTest, FilterQuotingAndAnUnknownColumn)
{
    HeldResult &h = *make();
    h.open();
    h.setFilter(QStringLiteral("Upper(nome) like'O''B%'"));
    h.setFiltered(true);
    EXPECT_EQ(visibleNames(h), QStringList{QStringLiteral("O'BRIEN")});
    // a bad column leaves the result as it was
    try {
        h.setFilter(QStringLiteral("Upper(APELIDO) like'A%'"));
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("APELIDO")));
    }
    EXPECT_EQ(h.recordCount(), 1);
    EXPECT_EQ(h.filter(), QStringLiteral("Upper(nome) like'O''B%'"));
    h.setFiltered(false);
    h.setFilter(QStringLiteral("Upper(nada) like'A%'"));
    EXPECT_THROW(h.setFiltered(true), DatabaseError);
    EXPECT_FALSE(h.filtered());
    EXPECT_EQ(h.recordCount(), 6);
}

TEST_P(HeldResultTest, LocateByPrefixOrByNumber)
{
    HeldResult &h = *make();
    h.open();
    EXPECT_TRUE(h.locate(QStringLiteral("nome"), QStringLiteral("ana p")));
    EXPECT_EQ(h.fieldByName(QStringLiteral("id")).asInteger(), 3);
    EXPECT_TRUE(h.locate(QStringLiteral("id"), QStringLiteral("5")));
    EXPECT_EQ(h.fieldByName(QStringLiteral("nome")).asString(), QStringLiteral("CARLOS"));
    EXPECT_FALSE(h.locate(QStringLiteral("nome"), QStringLiteral("ZÉ")));
    EXPECT_EQ(h.fieldByName(QStringLiteral("nome")).asString(), QStringLiteral("CARLOS")); // stays
    EXPECT_FALSE(h.locate(QStringLiteral("id"), QStringLiteral("5x")));
}

TEST_P(HeldResultTest, AnEditedCellIsPostedAndTheHookRuns)
{
    HeldResult &h = *make({col::integer(QStringLiteral("id")).required(), col::fixed(QStringLiteral("nome"), 30)});
    h.open();
    QList<int> posted;
    h.setAfterPost([&](HeldResult &r) { posted << r.fieldByName(QStringLiteral("id")).asInteger(); });
    DatasetModel model(&h, {gridColumn(QStringLiteral("id")).asEditable().titled(QStringLiteral("Id")),
                            gridColumn(QStringLiteral("nome"))});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(model.setData(model.index(2, 0), QStringLiteral("30")));
    EXPECT_EQ(posted, QList<int>{30});
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), QStringLiteral("30"));
    EXPECT_FALSE(model.flags(model.index(2, 1)) & Qt::ItemIsEditable);
    // an empty required cell cannot be posted
    QStringList errors;
    model.setErrorSink([&](const std::exception &e) { errors << QString::fromUtf8(e.what()); });
    EXPECT_FALSE(model.setData(model.index(1, 0), QString()));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(posted.size(), 1);
    h.close();
    h.open();
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Id"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("nome"));
}

TEST_P(HeldResultTest, TheGridShowsMoneyAsCurrency)
{
    HeldResult &h = *make();
    h.open();
    DatasetModel model(&h, {gridColumn(QStringLiteral("valor")).asCurrency(), gridColumn(QStringLiteral("nome"))});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("R$ 21,00"));
    h.setFilter(QStringLiteral("Upper(nome) like'B%'"));
    h.setFiltered(true);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(formatCurrency(1234567.891), QStringLiteral("R$ 1.234.567,89"));
    EXPECT_EQ(formatCurrency(-5), QStringLiteral("-R$ 5,00"));
}

RV_BOTH_BACKENDS(HeldResultTest);
