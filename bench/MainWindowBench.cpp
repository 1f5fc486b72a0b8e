// The main window on the database of benchmark size (ScaledDatabase.h),
// offscreen, driven as the attendant drives it, on SQLite and, when
// RAVELTO_PG_HOST is set, on PostgreSQL:
//
//   Keystroke         the eighth digit of a client's telephone typed: the caller
//                     lookup, the client's fields, the five latest orders in the
//                     grid, the panel opened and painted (goal: median under 2 ms on
//                     SQLite); handler_ms and paint_ms split the mean
//   LeaveDestination  leaving the destination with the full lists loaded: the
//                     neighbourhood taken and the route proposed (under 5 ms)
//   LeaveRoute        leaving the route: the route taken with its fares (under 5 ms)
//   Creation          the main window created, its login answered, its lists
//                     and the radio list loaded (under 500 ms)
#include "BenchDatabase.h"
#include "ScaledDatabase.h"

#include "app/common/AppContext.h"
#include "app/common/DataModules.h"
#include "app/login/Tfrmlog.h"
#include "db/Contract.h"
#include "orders/TfrmPrincipal.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QElapsedTimer>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace rv;

namespace {

class SilentMessages final : public MessageService {
public:
    MessageButton ask(const MessageRequest &request) override
    {
        if (request.icon == MessageIcon::Error)
            std::fprintf(stderr, "error: %s\n", qPrintable(request.text));
        return request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.first();
    }
};

// One program per backend: the modules over the scaled database and a context.
struct Seat {
    explicit Seat(Backend backend)
        : modules(bench::scaledDatabase(backend).settings, &db::contractProcedures()),
          context(modules, messages, clock)
    {
    }
    SilentMessages messages;
    SystemClock clock;
    DataModules modules;
    AppContext context;
};

Seat &seat(Backend backend)
{
    // Never destroyed, like the scaled databases: the process ends with them.
    static auto *seats = new std::map<Backend, std::unique_ptr<Seat>>;
    auto &s = (*seats)[backend];
    if (!s)
        s = std::make_unique<Seat>(backend);
    return *s;
}

// Answers the login window as soon as it shows.
void answerLogin()
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        auto *frmlog = qobject_cast<Tfrmlog *>(QApplication::activeModalWidget());
        if (!frmlog)
            return;
        poll->stop();
        poll->deleteLater();
        frmlog->findChild<QLineEdit *>(QStringLiteral("edtusuario"))->setText(QStringLiteral("ATENDENTE"));
        frmlog->findChild<QLineEdit *>(QStringLiteral("edtsenha"))->setText(QStringLiteral("1234"));
        frmlog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
    });
    poll->start();
}

std::unique_ptr<TfrmPrincipal> openWindow(Seat &s)
{
    answerLogin();
    auto window = std::make_unique<TfrmPrincipal>(s.context);
    // The refresh would run now and then inside the measured steps.
    window->findChild<QTimer *>(QStringLiteral("timer"))->stop();
    // The size of the desks' screens, whatever the offscreen screen's.
    window->setWindowState(Qt::WindowNoState);
    window->resize(1366, 768);
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the main window did not become active; figures include activation");
    return window;
}

QLineEdit *edit(TfrmPrincipal &w, const char *name)
{
    return w.findChild<QLineEdit *>(QLatin1String(name));
}

void keystroke(benchmark::State &state, Backend backend)
{
    Seat &s = seat(backend);
    const QList<qint64> phones = bench::sampleTelephones(*bench::scaledDatabase(backend).connection);
    std::unique_ptr<TfrmPrincipal> w = openWindow(s);
    QLineEdit *telefone = edit(*w, "edtTelefone");
    bench::Timings t;
    int i = 0;
    int identified = 0;
    QElapsedTimer part;
    double handlerNs = 0;
    double paintNs = 0;
    for (auto _ : state) {
        const QString phone = QString::number(phones[i++ % phones.size()]);
        telefone->setText(phone.left(phone.size() - 1));
        QCoreApplication::processEvents();
        // The handlers of the key, then the window painted.
        t.start();
        part.start();
        QTest::keyClick(telefone, phone.back().toLatin1());
        handlerNs += part.nsecsElapsed();
        part.restart();
        QCoreApplication::processEvents();
        paintNs += part.nsecsElapsed();
        t.stop();
        identified += edit(*w, "edtNome")->text().isEmpty() ? 0 : 1;
    }
    t.report(state);
    state.counters["handler_ms"] = benchmark::Counter(handlerNs / 1e6, benchmark::Counter::kAvgIterations);
    state.counters["paint_ms"] = benchmark::Counter(paintNs / 1e6, benchmark::Counter::kAvgIterations);
    state.counters["identified"] = benchmark::Counter(double(identified), benchmark::Counter::kAvgIterations);
}

// The entries of a list box, for texts to type.
QStringList entries(TfrmPrincipal &w, const char *list)
{
    auto *box = w.findChild<QListWidget *>(QLatin1String(list));
    QStringList texts;
    for (int r = 0; r < box->count(); ++r)
        texts << box->item(r)->text();
    return texts;
}

void identify(TfrmPrincipal &w, Backend backend)
{
    const QList<qint64> phones = bench::sampleTelephones(*bench::scaledDatabase(backend).connection);
    edit(w, "edtTelefone")->setText(QString::number(phones.first()));
    QCoreApplication::processEvents();
}

// Times leaving a lookup field: each round types a text from the list into
// it (not timed), then moves the focus to the next field (timed: the leave).
void timeLeaving(benchmark::State &state, QLineEdit *field, QLineEdit *next, const QStringList &texts, int stride,
                 int prefix = -1)
{
    bench::Timings t;
    int i = 0;
    for (auto _ : state) {
        field->setFocus();
        field->setText(texts[(i++ * stride) % texts.size()].left(prefix));
        QCoreApplication::processEvents();
        t.start();
        next->setFocus();
        QCoreApplication::processEvents();
        t.stop();
    }
    t.report(state);
}

void leaveDestination(benchmark::State &state, Backend backend)
{
    std::unique_ptr<TfrmPrincipal> w = openWindow(seat(backend));
    identify(*w, backend);
    const QStringList bairros = entries(*w, "lstdestino");
    timeLeaving(state, edit(*w, "edtDestino"), edit(*w, "edtTrajeto"), bairros, 37, 4);
    state.counters["neighbourhoods"] = bairros.size();
    state.counters["routes"] = entries(*w, "lsttrajeto").size();
}

void leaveRoute(benchmark::State &state, Backend backend)
{
    std::unique_ptr<TfrmPrincipal> w = openWindow(seat(backend));
    identify(*w, backend);
    const QStringList routes = entries(*w, "lsttrajeto");
    timeLeaving(state, edit(*w, "edtTrajeto"), edit(*w, "edtValorDia"), routes, 97);
    state.counters["routes"] = routes.size();
}

void creation(benchmark::State &state, Backend backend)
{
    Seat &s = seat(backend);
    TDMBUSCA &dm = s.modules.DMBUSCA();
    bench::Timings t;
    for (auto _ : state) {
        // Every list is read again, as at the start of the program.
        for (HeldResult *cds : {&dm.cdsListalogradouro, &dm.cdslistabairro, &dm.cdsListatrajeto, &dm.cdsRelRadioLocado})
            cds->close();
        dm.Qrylistabairro.close();
        t.start();
        answerLogin();
        auto w = std::make_unique<TfrmPrincipal>(s.context);
        t.stop();
        w->findChild<QTimer *>(QStringLiteral("timer"))->stop();
        w.reset();
        QCoreApplication::processEvents();
    }
    t.report(state);
    state.counters["streets"] = dm.cdsListalogradouro.recordCount();
}

[[maybe_unused]] const bool Registered = [] {
    QList<Backend> backends{Backend::SQLite};
    if (bench::postgresAvailable())
        backends << Backend::PostgreSQL;
    for (Backend b : backends) {
        const std::string suffix = b == Backend::SQLite ? "/SQLite" : "/PostgreSQL";
        benchmark::RegisterBenchmark(("Keystroke" + suffix).c_str(), keystroke, b)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(2.0);
        benchmark::RegisterBenchmark(("LeaveDestination" + suffix).c_str(), leaveDestination, b)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("LeaveRoute" + suffix).c_str(), leaveRoute, b)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Creation" + suffix).c_str(), creation, b)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
    }
    return true;
}();

} // namespace
