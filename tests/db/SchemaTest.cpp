// The schema on both backends: it creates, refuses texts longer than their
// columns, compares text without regard to case, stamps registration times.
#include "data/Connection.h"
#include "data/Errors.h"
#include "data/Query.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace rv;
using rv::test::TestDatabase;

namespace {

class SchemaTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db = std::make_unique<TestDatabase>(GetParam());
        conn = std::make_unique<Connection>(db->settings(), nullptr);
        db::createSchema(*conn);
    }
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> conn;
};

} // namespace

TEST_P(SchemaTest, EveryTableExistsAndASecondCreationIsRefused)
{
    for (const db::TableDef &t : db::tables())
        EXPECT_NO_THROW(conn->serverQuery(QStringLiteral("select * from %1 where 1 = 0").arg(t.name), {})) << t.name.toStdString();
    EXPECT_THROW(db::createSchema(*conn), DatabaseError);
}

TEST_P(SchemaTest, ATextLongerThanItsColumnIsRefusedNamingIt)
{
    conn->serverExec(QStringLiteral("insert into bairro (BAIRRO, PONTO) values (?, ?)"),
                     {QString(50, QLatin1Char('A')), QStringLiteral("P")});
    try {
        conn->serverExec(QStringLiteral("insert into bairro (BAIRRO, PONTO) values (?, ?)"),
                         {QString(51, QLatin1Char('A')), QStringLiteral("P")});
        FAIL() << "a 51-character name was stored";
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("bairro.BAIRRO > 50 caracteres"))) << e.text().toStdString();
    }
}

TEST_P(SchemaTest, TextComparesWithoutRegardToCaseAndTimesAreStamped)
{
    conn->serverExec(QStringLiteral("insert into bairro (BAIRRO) values (?)"), {QStringLiteral("Centro Norte")});
    Query q(*conn);
    q.setText(QStringLiteral("select * from bairro where bairro = :b or bairro like :l"));
    q.paramByName(QStringLiteral("b")).setAsString(QStringLiteral("CENTRO NORTE"));
    q.paramByName(QStringLiteral("l")).setAsString(QStringLiteral("nada%"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
    q.paramByName(QStringLiteral("b")).setAsString(QStringLiteral("x"));
    q.paramByName(QStringLiteral("l")).setAsString(QStringLiteral("centro%"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);

    conn->serverExec(QStringLiteral("insert into tb_caixa (id_caixa, ds_caixa) values (99, 'CAIXA')"), {});
    Query c(*conn);
    c.setText(QStringLiteral("select dt_abertura from tb_caixa where id_caixa = 99"));
    c.open();
    const QDateTime stamped = c.fieldByName(QStringLiteral("dt_abertura")).asDateTime();
    EXPECT_LE(qAbs(stamped.secsTo(QDateTime::currentDateTime())), 5) << stamped.toString().toStdString();
}

TEST_P(SchemaTest, LikeOnAnIntegerColumnWithATextPattern)
{
    Query q(*conn);
    q.setText(QStringLiteral("select * from tb_turno where Cd_Turno like :p"));
    q.paramByName(QStringLiteral("p")).setAsString(QStringLiteral("1%"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
}

RV_BOTH_BACKENDS(SchemaTest);
