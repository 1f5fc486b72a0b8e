#include "app/common/LookupList.h"
#include "data/HeldResult.h"
#include "data/Query.h"
#include "tests/support/ContractDatabase.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Ui.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

// A search edit, its list box, a hidden key field and a next field.
struct LookupForm {
    QWidget form;
    QLineEdit *edtDestino = new QLineEdit(&form);
    QListWidget *lstdestino = new QListWidget(&form);
    QLineEdit *edt_id_destinoPd = new QLineEdit(&form);
    QLineEdit *edtNext = new QLineEdit(&form);
    QListWidget *lstOther = new QListWidget(&form);
    ScriptedMessages messages;

    LookupForm()
    {
        auto *layout = new QVBoxLayout(&form);
        for (QWidget *w : std::initializer_list<QWidget *>{edtDestino, lstdestino, edt_id_destinoPd, edtNext, lstOther})
            layout->addWidget(w);
        edt_id_destinoPd->hide();
    }
};

} // namespace

// The change rule alone, over entries given directly.
TEST(LookupListRule, HighlightsTheFirstEntryBeginningWithTheTextFromTheSecondOn)
{
    LookupForm f;
    LookupList lookup(f.edtDestino, f.lstdestino, f.messages);
    lookup.setEntries({QStringLiteral("CENTRO"), QStringLiteral("CENTRO NORTE"), QStringLiteral("JARDIM"),
                       QStringLiteral("CENTRAL"), QStringLiteral("AÇUDE"), QStringLiteral("Jardim América")});
    const struct {
        const char *text;
        int row;
    } cases[] = {
        {"CEN", 1},        // CENTRO first, CENTRO NORTE second: the second wins
        {"CENTRO", 1},     // a name equal to the text loses to a longer one after it
        {"CENTRO ", 1},
        {"CENTRA", 3},
        {"CENTRO S", -1},
        {"jardim", 2},     // case does not matter
        {"JARDIM A", 5},
        {"açu", 4},
        {"", -1},          // an empty text matches nothing
    };
    for (const auto &c : cases)
        EXPECT_EQ(lookup.find(QString::fromUtf8(c.text)), c.row) << c.text;

    lookup.setEntries({QStringLiteral("CENTRO"), QStringLiteral("JARDIM")});
    EXPECT_EQ(lookup.find(QStringLiteral("CEN")), 0); // only the first matches
}

TEST(LookupListRule, TypingMovesTheHighlightShowsTheListAndEmptyHidesIt)
{
    LookupForm f;
    LookupList lookup(f.edtDestino, f.lstdestino, f.messages);
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many << QStringLiteral("RUA %1").arg(i, 3, 10, QLatin1Char('0'));
    many << QStringLiteral("ZONA");
    lookup.setEntries(many);
    showWindow(&f.form);
    EXPECT_FALSE(f.lstdestino->isVisible());
    EXPECT_EQ(lookup.highlight(), -1);

    type(f.edtDestino, QStringLiteral("zo"));
    EXPECT_TRUE(f.lstdestino->isVisible());
    EXPECT_EQ(lookup.highlightedText(), QStringLiteral("ZONA"));
    // the list scrolls to the highlight
    const QRect shown = f.lstdestino->visualItemRect(f.lstdestino->item(500));
    EXPECT_TRUE(f.lstdestino->viewport()->rect().intersects(shown));

    type(f.edtDestino, QStringLiteral("x")); // "zox" matches nothing: the highlight stays
    EXPECT_EQ(lookup.highlightedText(), QStringLiteral("ZONA"));
    erase(f.edtDestino);
    EXPECT_FALSE(f.lstdestino->isVisible());
    EXPECT_EQ(lookup.highlightedText(), QStringLiteral("ZONA"));

    f.edtDestino->setText(QStringLiteral("RUA 01")); // text set by the program counts too
    EXPECT_TRUE(f.lstdestino->isVisible());
    EXPECT_EQ(lookup.highlightedText(), QStringLiteral("RUA 010"));
}

// Leaving the edit, over a held result of the database.
class LookupListTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        db.emplace(GetParam());
        for (const auto &[id, name] : std::initializer_list<std::pair<int, const char *>>{
                 {10, "CENTRO"}, {11, "CENTRO NORTE"}, {12, "JARDIM"}, {13, "JARDIM AMÉRICA"}, {14, "AEROPORTO"}})
            db->exec(QStringLiteral("insert into bairro (ID_BAIRRO, BAIRRO, PONTO) values (?, ?, ?)"),
                     {id, QString::fromUtf8(name), QStringLiteral("P%1").arg(id)});
        source = std::make_unique<HeldResult>(
            db->connection(), QStringLiteral("cdslistabairro"),
            QStringLiteral("select * from bairro where ID_BAIRRO >= 10 order by ID_BAIRRO"), QList<ParamDecl>{},
            QList<ColumnDecl>{col::integer(QStringLiteral("ID_BAIRRO")).required(), col::text(QStringLiteral("BAIRRO"), 50),
                              col::text(QStringLiteral("PONTO"), 50)});
        lookup = std::make_unique<LookupList>(f.edtDestino, f.lstdestino, f.messages);
        lookup->setSource(*source, QStringLiteral("bairro"), QStringLiteral("id_bairro"), f.edt_id_destinoPd);
        lookup->fill();
        showWindow(&f.form);
    }

    std::optional<ContractDatabase> db;
    LookupForm f;
    std::unique_ptr<HeldResult> source;
    std::unique_ptr<LookupList> lookup;
};

TEST_P(LookupListTest, FillsInTheSourcesOrder)
{
    EXPECT_EQ(lookup->entries(), (QStringList{QStringLiteral("CENTRO"), QStringLiteral("CENTRO NORTE"),
                                              QStringLiteral("JARDIM"), QStringLiteral("JARDIM AMÉRICA"),
                                              QStringLiteral("AEROPORTO")}));
    EXPECT_EQ(f.lstdestino->count(), 5);
}

TEST_P(LookupListTest, LeavingAppliesTheHighlightedEntryAndItsKey)
{
    type(f.edtDestino, QStringLiteral("cen"));
    EXPECT_EQ(lookup->highlightedText(), QStringLiteral("CENTRO NORTE"));
    pressTab();
    EXPECT_EQ(f.edtDestino->text(), QStringLiteral("CENTRO NORTE"));
    EXPECT_EQ(f.edt_id_destinoPd->text(), QStringLiteral("11"));
    EXPECT_FALSE(f.lstdestino->isVisible());
    EXPECT_EQ(focused(), f.edtNext);
}

TEST_P(LookupListTest, ATextThatMatchesNothingKeepsTheEarlierHighlightWhichLeavingApplies)
{
    type(f.edtDestino, QStringLiteral("AER"));
    erase(f.edtDestino);
    type(f.edtDestino, QStringLiteral("VILA"));
    EXPECT_EQ(lookup->highlightedText(), QStringLiteral("AEROPORTO"));
    focus(f.edtNext);
    EXPECT_EQ(f.edtDestino->text(), QStringLiteral("AEROPORTO"));
    EXPECT_EQ(f.edt_id_destinoPd->text(), QStringLiteral("14"));
}

TEST_P(LookupListTest, AClickInTheListAppliesTheEarlierHighlightAndHighlightsTheClickedEntry)
{
    type(f.edtDestino, QStringLiteral("JARDIM A"));
    clickItem(f.lstdestino, 0); // CENTRO
    EXPECT_EQ(f.edtDestino->text(), QStringLiteral("JARDIM AMÉRICA"));
    EXPECT_EQ(f.edt_id_destinoPd->text(), QStringLiteral("13"));
    EXPECT_EQ(lookup->highlightedText(), QStringLiteral("CENTRO"));
}

TEST_P(LookupListTest, LeavingWithNothingHighlightedChangesNothing)
{
    f.edt_id_destinoPd->setText(QStringLiteral("99"));
    std::optional<bool> noMatch;
    lookup->setOnNoMatch([&](bool highlighted) { noMatch = highlighted; });
    type(f.edtDestino, QStringLiteral("VILA"));
    pressTab();
    EXPECT_EQ(f.edtDestino->text(), QStringLiteral("VILA"));
    EXPECT_EQ(f.edt_id_destinoPd->text(), QStringLiteral("99"));
    EXPECT_TRUE(f.lstdestino->isVisible());
    EXPECT_EQ(noMatch, std::optional<bool>(false));
}

TEST_P(LookupListTest, PreparationRunsFirstAndTheMatchStepsReadTheMatchedRow)
{
    QStringList steps;
    bool proceed = true;
    lookup->setPreparation([&] {
        steps << QStringLiteral("prepare:") + f.edtDestino->text();
        if (f.edtDestino->text().isEmpty())
            f.edtDestino->setText(QStringLiteral("jardim"));
        return proceed;
    });
    lookup->setOnMatch([&] { steps << QStringLiteral("ponto:") + lookup->field(QStringLiteral("PONTO")).asString(); });

    focus(f.edtDestino);
    pressTab();
    EXPECT_EQ(steps, (QStringList{QStringLiteral("prepare:"), QStringLiteral("ponto:P12")}));
    EXPECT_EQ(f.edt_id_destinoPd->text(), QStringLiteral("12"));

    steps.clear();
    proceed = false;
    type(f.edtDestino, QStringLiteral(" A")); // "JARDIM A"
    pressTab();
    EXPECT_EQ(steps, QStringList{QStringLiteral("prepare:JARDIM A")});
    EXPECT_EQ(f.edt_id_destinoPd->text(), QStringLiteral("12"));
}

TEST_P(LookupListTest, ASortedListOfNumbersMatchesTheRowWithThatNumber)
{
    // Couriers by registration number: the entries in text order, the row found by equality.
    for (int m : {1001, 120, 205, 12001})
        db->exec(QStringLiteral("insert into bairro (ID_BAIRRO, BAIRRO) values (?, ?)"), {m, QStringLiteral("M%1").arg(m)});
    HeldResult couriers(db->connection(), QStringLiteral("cdsRelRadioLocado"),
                        QStringLiteral("select ID_BAIRRO as Nr_Matricula from bairro where ID_BAIRRO > 100 order by BAIRRO desc"));
    LookupList motos(f.edtNext, f.lstOther, f.messages);
    motos.setSorted(true);
    motos.setSource(couriers, QStringLiteral("Nr_Matricula"));
    motos.fill();
    EXPECT_EQ(motos.entries(), (QStringList{QStringLiteral("1001"), QStringLiteral("120"), QStringLiteral("12001"),
                                            QStringLiteral("205")}));
    type(f.edtNext, QStringLiteral("12"));
    EXPECT_EQ(motos.highlightedText(), QStringLiteral("120"));
    focus(f.edtDestino);
    EXPECT_EQ(f.edtNext->text(), QStringLiteral("120"));
    EXPECT_EQ(couriers.fieldByName(QStringLiteral("Nr_Matricula")).asInteger(), 120);
}

TEST_P(LookupListTest, AQuerySourceWorksTheSameWay)
{
    Query qry(db->connection(), QStringLiteral("QryBairro"));
    qry.setText(QStringLiteral("Select * from bairro where ID_BAIRRO >= 10 order by bairro ;"));
    LookupList bairros(f.edtNext, f.lstOther, f.messages);
    bairros.setSorted(true);
    bairros.setSource(qry, QStringLiteral("bairro"), QStringLiteral("id_bairro"), f.edt_id_destinoPd);
    bairros.fill();
    EXPECT_EQ(bairros.entries().first(), QStringLiteral("AEROPORTO"));
    type(f.edtNext, QStringLiteral("jardim"));
    focus(f.edtDestino);
    EXPECT_EQ(f.edtNext->text(), QStringLiteral("JARDIM"));
    EXPECT_EQ(f.edt_id_destinoPd->text(), QStringLiteral("12"));
}

RV_BOTH_BACKENDS(LookupListTest);
