// The list of rented radios, refreshed every second (the tests run the
// refresh themselves), and what the refresh does while the database fails.
#include "MainWindowFixture.h"

#include "app/login/Tfrmlog.h"
#include "tests/support/CourierFixture.h"

#include <QApplication>
#include <QTimer>

#include <QScopeGuard>

#include <functional>

using namespace rv;
using namespace rv::test;

namespace {

// Answers through the scripted messages, after running a step of the test
// while the message is "showing" (the moment a real box runs its own loop
// and the timer goes on ticking).
class MessagesWithAStepInside final : public MessageService {
public:
    explicit MessagesWithAStepInside(MessageService &answers) : m_answers(answers) {}
    std::function<void(const MessageRequest &)> inside;

    MessageButton ask(const MessageRequest &request) override
    {
        if (inside)
            inside(request);
        return m_answers.ask(request);
    }

private:
    MessageService &m_answers;
};

QStringList entries(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

class RadioRefreshTest : public MainWindowTest {
protected:
    // The rentals table out of reach and back: the refresh procedure fails meanwhile.
    void breakRentals() { db().exec(QStringLiteral("alter table tb_locacao_radio rename to tb_locacao_radio_fora")); }
    void repairRentals() { db().exec(QStringLiteral("alter table tb_locacao_radio_fora rename to tb_locacao_radio")); }
    QString count() { return find<QLabel>(&window(), QStringLiteral("lbltotalradio"))->text(); }
};

TEST_P(RadioRefreshTest, ANewRentalShowsWithinTwoRefreshes)
{
    openMainWindow();
    stopRefresh();
    const QStringList three = {QStringLiteral("012 - 1234 - JOSE DA SILVA"), QStringLiteral("013 - 120 - ANTONIO LIMA"),
                               QStringLiteral("014 - 1001 - CARLOS NUNES")};
    EXPECT_EQ(entries(list("lstMotoqueiroRadio")), three);
    window().timerTimer();
    EXPECT_EQ(count(), QStringLiteral("3"));

    rent(db(), 15, 205, 10);
    window().timerTimer(); // the rows fetched a second ago
    EXPECT_EQ(list("lstMotoqueiroRadio")->count(), 3);
    window().timerTimer();
    EXPECT_EQ(list("lstMotoqueiroRadio")->count(), 4);
    EXPECT_EQ(list("lstMotoqueiroRadio")->item(3)->text(), QStringLiteral("015 - 205 - PAULO REIS"));
    EXPECT_EQ(count(), QStringLiteral("4"));
    // The courier list was loaded once; leaving the field checks the fresh rows.
    EXPECT_EQ(list("lstMotoqueiro")->count(), 3);
    EXPECT_TRUE(window().refreshStatus().isEmpty());
}

TEST_P(RadioRefreshTest, AnUnchangedListKeepsTheEntryTheAttendantPicked)
{
    openMainWindow();
    stopRefresh();
    QListWidget *radios = list("lstMotoqueiroRadio");
    clickItem(radios, 1);
    ASSERT_EQ(radios->currentRow(), 1);
    window().timerTimer();
    window().timerTimer();
    EXPECT_EQ(radios->currentRow(), 1);
    EXPECT_EQ(radios->count(), 3);
}

TEST_P(RadioRefreshTest, AFailingRefreshIsReportedOnceAndItsRecoveryIsShown)
{
    MessagesWithAStepInside service(messages);
    AppContext context(modules(), service, clock);
    const auto closing = qScopeGuard([this] { closeMainWindow(); }); // before the context goes
    openMainWindowIn(context);
    stopRefresh();
    window().timerTimer();
    const QStringList before = entries(list("lstMotoqueiroRadio"));

    // While the error box shows, the timer ticks on: those ticks run nothing.
    qint64 statementsDuringTheBox = -1;
    service.inside = [&](const MessageRequest &request) {
        if (request.icon != MessageIcon::Error)
            return;
        const qint64 sent = modules().connection().statementCount();
        window().timerTimer();
        window().timerTimer();
        statementsDuringTheBox = modules().connection().statementCount() - sent;
    };
    breakRentals();
    ExpectedMessage failure;
    failure.icon = MessageIcon::Error;
    failure.title = QStringLiteral("Ravelto");
    messages.expect(failure);
    for (int tick = 0; tick < 5; ++tick)
        window().timerTimer();
    messages.verify();
    EXPECT_EQ(statementsDuringTheBox, 0);
    EXPECT_EQ(messages.requests().size(), 2); // the welcome and the one failure
    EXPECT_FALSE(messages.requests().last().text.isEmpty()); // the database's own text
    EXPECT_TRUE(window().refreshStatus().contains(QStringLiteral("Sem comunicação"))) << window().refreshStatus().toStdString();
    EXPECT_EQ(entries(list("lstMotoqueiroRadio")), before); // the last list stays

    // While it fails the refresh is tried every fifth tick only.
    const auto tickSends = [&] {
        const qint64 before = modules().connection().statementCount();
        window().timerTimer();
        return modules().connection().statementCount() > before;
    };
    int ticks = 1;
    while (!tickSends() && ticks < 5)
        ++ticks;
    for (int tick = 0; tick < 4; ++tick)
        EXPECT_FALSE(tickSends());
    EXPECT_TRUE(tickSends());

    // Back: no box, the status line says so, the list goes on.
    repairRentals();
    rent(db(), 15, 205, 10);
    for (int tick = 0; tick < 5; ++tick)
        window().timerTimer();
    window().timerTimer();
    EXPECT_EQ(messages.requests().size(), 2);
    EXPECT_EQ(window().refreshStatus(), QStringLiteral("Comunicação com o banco de dados restabelecida às 10:00:00."));
    EXPECT_EQ(list("lstMotoqueiroRadio")->count(), 4);
    EXPECT_EQ(count(), QStringLiteral("4"));

    // A later failure is a new one, reported again.
    breakRentals();
    messages.expect(failure);
    window().timerTimer();
    window().timerTimer();
    EXPECT_EQ(messages.requests().size(), 3);
    repairRentals();
}

TEST_P(RadioRefreshTest, TheRefreshRunsWhileTheLoginShows)
{
    bool ticking = false;
    onModal<Tfrmlog>([&](Tfrmlog &frmlog) {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *main = qobject_cast<TfrmPrincipal *>(w)) {
                ticking = find<QTimer>(main, QStringLiteral("timer"))->isActive();
                main->timerTimer();
                EXPECT_EQ(find<QLabel>(main, QStringLiteral("lbltotalradio"))->text(), QStringLiteral("3"));
            }
        click(find<QPushButton>(&frmlog, QStringLiteral("btnCancela")));
    });
    TfrmPrincipal main(ctx());
    EXPECT_TRUE(ticking);
    // The program ends: the refresh stops with the connection closed.
    EXPECT_FALSE(find<QTimer>(&main, QStringLiteral("timer"))->isActive());
    EXPECT_FALSE(modules().connection().isOpen());
}

RV_BOTH_BACKENDS(RadioRefreshTest);
