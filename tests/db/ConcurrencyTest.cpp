// Several seats on one database: two connections, each on its own thread,
// renting at the same moment. The rental checks and records under the locks
// of the courier's and the radio's rows, so exactly one of two competing
// rentals is made and the other is refused with its reason.
#include "data/Connection.h"
#include "data/Errors.h"
#include "db/Contract.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/CourierFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <mutex>
#include <thread>

using namespace rv;
using namespace rv::test;

namespace {

class ConcurrencyTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
    }
    std::optional<ContractDatabase> db;
};

struct Attempt {
    qint64 radio;
    qint64 matricula;
};

struct Outcome {
    int rented = 0;
    QStringList refusals;
};

// Both attempts start together, each on a connection of its own.
Outcome race(const ConnectionSettings &settings, const Attempt (&attempts)[2])
{
    std::barrier start(2);
    std::mutex lock;
    Outcome outcome;
    auto seat = [&](const Attempt &a) {
        Connection c(settings, &db::contractProcedures());
        // Warm up: the connection is open and its statements known before the race.
        c.callProcedure(QStringLiteral("PRC_SEL_RADIO_DISPONIVEL"), {{FieldKind::Integer, qlonglong(a.radio)}});
        c.callProcedure(QStringLiteral("prs_verifica_radio_locado"), {{FieldKind::Integer, qlonglong(a.matricula)}});
        start.arrive_and_wait();
        try {
            c.callProcedure(QStringLiteral("pri_locacao"),
                            {{FieldKind::Integer, qlonglong(a.radio)}, {FieldKind::Integer, qlonglong(a.matricula)},
                             {FieldKind::Integer, 1}, {FieldKind::Integer, 1}, {FieldKind::Float, 0.0},
                             {FieldKind::Float, 10.0}, {FieldKind::Integer, 2}});
            std::lock_guard g(lock);
            ++outcome.rented;
        } catch (const DatabaseError &e) {
            std::lock_guard g(lock);
            outcome.refusals << e.text();
        }
    };
    std::thread first(seat, attempts[0]);
    std::thread second(seat, attempts[1]);
    first.join();
    second.join();
    return outcome;
}

} // namespace

TEST_P(ConcurrencyTest, TwoSeatsRentingTheSameRadioOrToTheSameCourierAtOnceMakeOneRental)
{
    constexpr int Rounds = 8;
    for (int i = 0; i < Rounds; ++i) {
        addRadio(*db, 100 + i, QStringLiteral("SN-%1").arg(100 + i));
        addRadio(*db, 200 + i, QStringLiteral("SN-%1").arg(200 + i));
        addRadio(*db, 300 + i, QStringLiteral("SN-%1").arg(300 + i));
        addCourier(*db, 1000 + i, QStringLiteral("PRIMEIRO %1").arg(i));
        addCourier(*db, 2000 + i, QStringLiteral("SEGUNDO %1").arg(i));
    }
    for (int i = 0; i < Rounds; ++i) {
        // The same radio for two couriers.
        const Outcome sameRadio = race(db->settings(), {{100 + i, 1000 + i}, {100 + i, 2000 + i}});
        EXPECT_EQ(sameRadio.rented, 1) << "round " << i;
        ASSERT_EQ(sameRadio.refusals.size(), 1) << "round " << i;
        EXPECT_TRUE(sameRadio.refusals[0].contains(QStringLiteral("não está disponível"))) << sameRadio.refusals[0].toStdString();
        EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from tb_locacao_radio where Cd_Radio = ?"), {100 + i}).toInt(), 1);

        // Two radios for the same courier (the one who did not get the first radio).
        const qint64 courier = db->scalar(QStringLiteral("select count(*) from tb_locacao_radio where Nr_Matricula = ?"),
                                          {1000 + i}).toInt() == 1 ? 2000 + i : 1000 + i;
        const Outcome sameCourier = race(db->settings(), {{200 + i, courier}, {300 + i, courier}});
        EXPECT_EQ(sameCourier.rented, 1) << "round " << i;
        ASSERT_EQ(sameCourier.refusals.size(), 1) << "round " << i;
        EXPECT_TRUE(sameCourier.refusals[0].contains(QStringLiteral("já tem o rádio"))) << sameCourier.refusals[0].toStdString();
        EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from tb_locacao_radio where Nr_Matricula = ?"), {courier}).toInt(), 1);
    }
    // Every rental charged its fee once.
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from tb_motoqueiro_movimento")).toInt(), 2 * Rounds);
}

RV_BOTH_BACKENDS(ConcurrencyTest);
