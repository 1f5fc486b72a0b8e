// The lookup list with 20,000 entries (a large street register): filling it,
// one keystroke of the change rule while typing a street name, the worst
// keystroke (every entry begins with the text), and leaving the edit (the row
// looked up in the source). A linear pass over the entries per keystroke is
// measured beside it for comparison.
#include "BenchDatabase.h"

#include "app/common/LookupList.h"
#include "app/common/MessageService.h"
#include "data/Connection.h"
#include "data/HeldResult.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <memory>

using namespace rv;

namespace {

constexpr int Entries = 20000;

class SilentMessages final : public MessageService {
public:
    MessageButton ask(const MessageRequest &) override { return MessageButton::Ok; }
};

struct Fixture {
    Fixture()
    {
        connection = std::make_unique<Connection>(bench::freshDatabase(Backend::SQLite, QStringLiteral("forms")), nullptr);
        connection->serverExec(QStringLiteral("create table rua (id integer primary key, nome varchar(60))"), {});
        connection->serverExec(
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                           "insert into rua select i, "
                           "(case i % 4 when 0 then 'RUA ' when 1 then 'AVENIDA ' when 2 then 'TRAVESSA ' else 'ALAMEDA ' end)"
                           " || (case (i / 4) % 8 when 0 then 'DAS FLORES ' when 1 then 'SANTOS DUMONT ' "
                           "when 2 then 'BARÃO DO RIO BRANCO ' when 3 then 'SÃO JOSÉ ' when 4 then 'DOM PEDRO II ' "
                           "when 5 then 'DAS PALMEIRAS ' when 6 then 'JOÃO PESSOA ' else 'TIRADENTES ' end) || i from n")
                .arg(Entries),
            {});
        // The one row that only the last entry leads to.
        connection->serverExec(QStringLiteral("insert into rua values (0, 'ZONA RURAL')"), {});
        source = std::make_unique<HeldResult>(*connection, QStringLiteral("cdsListalogradouro"),
                                              QStringLiteral("select * from rua order by id desc"));
        auto *layout = new QVBoxLayout(&form);
        edit = new QLineEdit(&form);
        list = new QListWidget(&form);
        key = new QLineEdit(&form);
        layout->addWidget(edit);
        layout->addWidget(list);
        layout->addWidget(key);
        lookup = std::make_unique<LookupList>(edit, list, messages, nullptr, LookupList::Leave::ByScreen);
        lookup->setSource(*source, QStringLiteral("nome"), QStringLiteral("id"), key);
        lookup->fill();
        form.resize(400, 600);
        form.show();
    }
    std::unique_ptr<Connection> connection;
    std::unique_ptr<HeldResult> source;
    SilentMessages messages;
    QWidget form;
    QLineEdit *edit;
    QListWidget *list;
    QLineEdit *key;
    std::unique_ptr<LookupList> lookup;
};

Fixture &fixture()
{
    // Never destroyed: its widgets and connection must not outlive the application.
    static auto *f = new Fixture;
    return *f;
}

void BM_LookupFill(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        f.lookup->fill();
    state.counters["entries"] = double(f.list->count());
}
BENCHMARK(BM_LookupFill)->Unit(benchmark::kMillisecond);

// Typing a street name key by key, then deleting it: one change per keystroke.
void BM_LookupKeystroke(benchmark::State &state)
{
    Fixture &f = fixture();
    f.lookup->fill();
    const QString name = QStringLiteral("travessa joão pessoa 1");
    QStringList steps;
    for (int i = 1; i <= name.size(); ++i)
        steps << name.left(i);
    for (int i = name.size() - 1; i >= 0; --i)
        steps << name.left(i);
    for (auto _ : state)
        for (const QString &text : steps)
            f.edit->setText(text);
    state.SetItemsProcessed(state.iterations() * steps.size());
}
BENCHMARK(BM_LookupKeystroke)->Unit(benchmark::kMicrosecond);

// Every entry begins with the text: the run of matching entries is the whole list.
void BM_LookupKeystrokeAllMatch(benchmark::State &state)
{
    Fixture &f = fixture();
    QStringList same;
    for (int i = 0; i < Entries; ++i)
        same << QStringLiteral("RUA %1").arg(Entries - i, 5, 10, QLatin1Char('0'));
    f.lookup->setEntries(same);
    const QStringList steps{QStringLiteral("R"), QStringLiteral("RU"), QStringLiteral("RUA"), QStringLiteral("RU")};
    for (auto _ : state)
        for (const QString &text : steps)
            f.edit->setText(text);
    state.SetItemsProcessed(state.iterations() * steps.size());
    f.edit->clear();
    f.lookup->fill();
}
BENCHMARK(BM_LookupKeystrokeAllMatch)->Unit(benchmark::kMicrosecond);

void BM_LookupKeystrokeNoMatch(benchmark::State &state)
{
    Fixture &f = fixture();
    f.lookup->fill();
    const QStringList steps{QStringLiteral("travessa joão pessoa 0"), QStringLiteral("travessa joão pessoa 00")};
    for (auto _ : state)
        for (const QString &text : steps)
            f.edit->setText(text);
    state.SetItemsProcessed(state.iterations() * steps.size());
}
BENCHMARK(BM_LookupKeystrokeNoMatch)->Unit(benchmark::kMicrosecond);

// Leaving the edit with the last entry highlighted: the source is searched to its last row.
void BM_LookupLeave(benchmark::State &state)
{
    Fixture &f = fixture();
    f.lookup->fill();
    const QString last = f.lookup->entries().last(); // ZONA RURAL
    f.edit->clear();
    f.edit->setText(last);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.lookup->apply());
    state.counters["key"] = f.key->text().toDouble();
}
BENCHMARK(BM_LookupLeave)->Unit(benchmark::kMicrosecond);

// For comparison: one pass over every entry for a keystroke whose text matches
// nothing (the index answers the same keystroke in BM_LookupKeystrokeNoMatch).
void BM_LinearScanPerKeystroke(benchmark::State &state)
{
    Fixture &f = fixture();
    f.lookup->fill();
    const QStringList &entries = f.lookup->entries();
    const QString text = QStringLiteral("travessa joão pessoa 0");
    for (auto _ : state) {
        int found = -1;
        for (int i = 1; i < entries.size() && found < 0; ++i)
            if (entries[i].startsWith(text, Qt::CaseInsensitive))
                found = i;
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LinearScanPerKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace
