// Running the program's reports from their project files over held results:
// opening the project, names, missing files, empty results, the cash report's
// rows and totals, long reports, missing columns, and the file exports.
#include "ReportFixture.h"

#include "data/Errors.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rv;
using rv::test::ReportFixture;

namespace {

class ReportRunTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        RV_REQUIRE_BACKEND(GetParam());
        fx = std::make_unique<ReportFixture>(GetParam());
    }

    void TearDown() override { fx.reset(); }

    // The cash report of 15/03/2024 as the one-day screen prepares it.
    void prepareCash()
    {
        HeldResult &cds = fx->financeiro->cdsCaixa;
        cds.close();
        cds.paramByName(QStringLiteral("datainicial")).setAsString(QStringLiteral("2024/15/03 00:00:00"));
        cds.paramByName(QStringLiteral("datafinal")).setAsString(QStringLiteral("2024/15/03 23:59:59"));
        cds.open();
    }

    void addThreeCashEntries()
    {
        fx->addCashEntry(QStringLiteral("08:15 "), QStringLiteral("PAGAMENTO DE RÁDIO"), 30, 12, QStringLiteral("MARIA"), 0,
                         30, 30);
        fx->addCashEntry(QStringLiteral("09:40 "), QStringLiteral("VALE FUNCIONÁRIO"), 25.5, QVariant(),
                         QStringLiteral("JOÃO"), 25.5, 0, 4.5);
        fx->addCashEntry(QStringLiteral("10:05 "), QStringLiteral("RECEBIMENTO AVULSO"), 1250, 7, QStringLiteral("MARIA"),
                         0, 1250, 1254.5);
    }

    static QString runError(ReportModule &module, const QString &report)
    {
        try {
            module.run(report);
        } catch (const Error &e) {
            return e.text();
        }
        return QStringLiteral("(no error)");
    }

    std::unique_ptr<ReportFixture> fx;
};

} // namespace

TEST_P(ReportRunTest, CashReportListsTheEntriesNumberedWithTheirTotals)
{
    addThreeCashEntries();
    prepareCash();
    fx->financeiro->run(QStringLiteral("rptRelatorioCaixa"));

    ASSERT_EQ(fx->capture.count(), 1);
    EXPECT_EQ(fx->capture.shown().last().titles.preview, QStringLiteral("Caixa"));
    const ReportDocument &doc = fx->capture.last();
    ASSERT_EQ(doc.pageCount(), 1);
    const QStringList lines = doc.lines(0);
    const QString text = doc.text();
    EXPECT_EQ(lines.first(), QStringLiteral("Ravelto Moto Táxi Ltda."));
    EXPECT_TRUE(lines.contains(QStringLiteral("Movimento do caixa")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Período: 15/03/2024 a 15/03/2024"))) << text.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Nº\tHora\tLançamento\tMoto\tUsuário\tValor\tReceita\tDespesa\tSaldo")));
    // Rows in the server's order, numbered; a courier left NULL prints nothing.
    const QStringList expectedRows{
        QStringLiteral("1\t08:15\tPAGAMENTO DE RÁDIO\t12\tMARIA\tR$ 30,00\tR$ 30,00\tR$ 0,00\tR$ 30,00"),
        QStringLiteral("2\t09:40\tVALE FUNCIONÁRIO\tJOÃO\tR$ 25,50\tR$ 0,00\tR$ 25,50\tR$ 4,50"),
        QStringLiteral("3\t10:05\tRECEBIMENTO AVULSO\t7\tMARIA\tR$ 1.250,00\tR$ 1.250,00\tR$ 0,00\tR$ 1.254,50"),
    };
    int at = -1;
    for (const QString &row : expectedRows) {
        const int found = int(lines.indexOf(row));
        EXPECT_GT(found, at) << row.toStdString() << "\n" << text.toStdString();
        at = found;
    }
    EXPECT_TRUE(lines.contains(QStringLiteral("Totais do período\tR$ 1.280,00\tR$ 25,50"))) << text.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Lançamentos:\t3")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Total de receitas:\tR$ 1.280,00")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Total de despesas:\tR$ 25,50")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Saldo do período:\tR$ 1.254,50")));
    EXPECT_TRUE(text.contains(QStringLiteral("Página 1 de 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("Impresso em ")));
}

TEST_P(ReportRunTest, ReportNamesAreComparedWithoutRegardToCase)
{
    addThreeCashEntries();
    prepareCash();
    fx->financeiro->setClock([] { return QDateTime(QDate(2024, 3, 15), QTime(18, 0)); });
    for (const char *name : {"rptRelatorioCaixa", "rptrelatoriocaixa", "RPTRELATORIOCAIXA"})
        fx->financeiro->run(QString::fromLatin1(name));
    ASSERT_EQ(fx->capture.count(), 3);
    EXPECT_EQ(fx->capture.shown()[0].document.text(), fx->capture.shown()[1].document.text());
    EXPECT_EQ(fx->capture.shown()[0].document.text(), fx->capture.shown()[2].document.text());

    // A name the project lacks shows nothing and says nothing.
    EXPECT_NO_THROW(fx->financeiro->run(QStringLiteral("rptNaoExiste")));
    EXPECT_EQ(fx->capture.count(), 3);
}

TEST_P(ReportRunTest, MissingProjectFileIsReportedAndTheNextRunTriesAgain)
{
    fx->removeProjects();
    const QString expected = QStringLiteral("The following reporting project does not exist:\n\"%1\"")
                                 .arg(QDir::toNativeSeparators(QDir(fx->folder()).filePath(QStringLiteral("RELATORIOS/rvFinanceiro.rav"))));
    EXPECT_EQ(runError(*fx->financeiro, QStringLiteral("rptRelatorioCaixa")), expected);
    EXPECT_FALSE(fx->financeiro->isProjectOpen());
    EXPECT_EQ(runError(*fx->financeiro, QStringLiteral("rptRelatorioCaixa")), expected);
    // Even a report the project would lack: the file is looked for first.
    EXPECT_EQ(runError(*fx->financeiro, QStringLiteral("rptNaoExiste")), expected);
    EXPECT_TRUE(fx->capture.isEmpty());

    fx->copyProjects();
    prepareCash();
    fx->financeiro->run(QStringLiteral("rptRelatorioCaixa"));
    EXPECT_TRUE(fx->financeiro->isProjectOpen());
    EXPECT_EQ(fx->capture.count(), 1);
}

TEST_P(ReportRunTest, AnOpenedProjectIsNotReadAgain)
{
    prepareCash();
    fx->financeiro->run(QStringLiteral("rptRelatorioCaixa"));
    ASSERT_TRUE(QFile::remove(fx->projectPath(QStringLiteral("rvFinanceiro.rav"))));

    fx->exec(QStringLiteral("insert into caixa_anual values (3, 41, 1530.75, 'MARÇO', 'META ATINGIDA')"));
    HeldResult &anual = fx->financeiro->cdsCaixaAnual;
    anual.close();
    anual.paramByName(QStringLiteral("ano")).setAsInteger(2024);
    anual.open();
    fx->financeiro->run(QStringLiteral("rptCaixaanual"));
    ASSERT_EQ(fx->capture.count(), 2);
    const QStringList lines = fx->capture.last().lines(0);
    EXPECT_TRUE(lines.contains(QStringLiteral("Ano: 2024")));
    EXPECT_TRUE(lines.contains(QStringLiteral("3\tMARÇO\t41\tR$ 1.530,75\tMETA ATINGIDA")))
        << fx->capture.last().text().toStdString();

    // A project that cannot be parsed stays closed, and is read again next time.
    QFile broken(fx->projectPath(QStringLiteral("Motoqueiro.rav")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("{ \"reports\": [ ");
    broken.close();
    EXPECT_TRUE(runError(*fx->motoqueiro, QStringLiteral("rptMotoqueiroturno"))
                    .startsWith(QStringLiteral("The reporting project could not be read:\n\"")));
    EXPECT_FALSE(fx->motoqueiro->isProjectOpen());
    QFile::remove(fx->projectPath(QStringLiteral("Motoqueiro.rav")));
    QFile::copy(QStringLiteral(RAVELTO_REPORT_PROJECTS_DIR "/Motoqueiro.rav"), fx->projectPath(QStringLiteral("Motoqueiro.rav")));
    fx->cdsRelMotoTurno->open();
    fx->motoqueiro->run(QStringLiteral("rptMotoqueiroturno"));
    EXPECT_TRUE(fx->motoqueiro->isProjectOpen());
}

TEST_P(ReportRunTest, AnEmptyResultStillGivesAReport)
{
    prepareCash();
    fx->financeiro->run(QStringLiteral("rptRelatorioCaixa"));
    ASSERT_EQ(fx->capture.count(), 1);
    const ReportDocument &doc = fx->capture.last();
    ASSERT_EQ(doc.pageCount(), 1);
    const QStringList lines = doc.lines(0);
    EXPECT_TRUE(lines.contains(QStringLiteral("Nenhum lançamento no período.")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Totais do período\tR$ 0,00\tR$ 0,00")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Saldo do período:\tR$ 0,00")));

    // A closed result, and a connection bound to nothing, print as no rows.
    fx->cdsRadioAusentes->close();
    fx->radio->run(QStringLiteral("rptradioausente"));
    fx->radio->bind(QStringLiteral("RvDsRadio"), {});
    fx->radio->run(QStringLiteral("rptradioausente"));
    ASSERT_EQ(fx->capture.count(), 3);
    EXPECT_TRUE(fx->capture.last().lines(0).contains(QStringLiteral("Nenhum rádio ausente.")));
    EXPECT_TRUE(fx->capture.last().lines(0).contains(QStringLiteral("Rádios ausentes:\t0")));
}

TEST_P(ReportRunTest, LongReportRepeatsTheColumnTitlesAndEndsWithItsTotals)
{
    fx->addTrajetos(140);
    fx->cdsTbTrajeto->open();
    fx->adm->run(QStringLiteral("rptTbTrajeto"));
    ASSERT_EQ(fx->capture.count(), 1);
    EXPECT_EQ(fx->capture.shown().last().titles.preview, QStringLiteral("Ravelto Moto Táxi Ltda."));
    const ReportDocument &doc = fx->capture.last();
    ASSERT_GE(doc.pageCount(), 3);
    const QString titles = QStringLiteral("Nº\tTrajeto\tDia\tNoite\tPonto\tCadastro");
    int rows = 0;
    for (int p = 0; p < doc.pageCount(); ++p) {
        const QStringList lines = doc.lines(p);
        const QString page = doc.pageText(p);
        EXPECT_TRUE(lines.contains(QStringLiteral("Tabela de trajetos e valores"))) << p;
        EXPECT_TRUE(lines.contains(QStringLiteral("Trajetos que começam por: CENTRO"))) << p;
        EXPECT_TRUE(lines.contains(titles)) << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("Página %1 de %2").arg(p + 1).arg(doc.pageCount())));
        EXPECT_EQ(lines.contains(QStringLiteral("Trajetos:\t140")), p == doc.pageCount() - 1) << p;
        static const QRegularExpression row(QStringLiteral("^\\d+\\tCENTRO / "));
        for (const QString &l : lines)
            rows += row.match(l).hasMatch() ? 1 : 0;
    }
    EXPECT_EQ(rows, 140); // every row once, none lost at a page end
    const QStringList first = doc.lines(0);
    EXPECT_TRUE(first.contains(QStringLiteral("1\tCENTRO / VILA NOVA 1\tR$ 9,00\tR$ 13,50\tPONTO CENTRAL\t02/02/2009")))
        << doc.pageText(0).toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("3\tCENTRO / BOA VISTA 3\tR$ 11,00\tR$ 15,50\t04/04/2009")));
}

TEST_P(ReportRunTest, ColumnsTheResultLacksPrintBlank)
{
    fx->exec(QStringLiteral("insert into radio_ausente values (7, 120, 'CARLOS ALBERTO', ?)"),
             {QDateTime(QDate(2024, 3, 14), QTime(19, 30))});
    fx->cdsRadioAusentes->open();
    ASSERT_EQ(fx->cdsRadioAusentes->columnIndex(QStringLiteral("Nr_Serie")), -1);
    fx->radio->run(QStringLiteral("rptradioausente"));
    ASSERT_EQ(fx->capture.count(), 1);
    const QStringList lines = fx->capture.last().lines(0);
    EXPECT_TRUE(lines.contains(QStringLiteral("7\t120\tCARLOS ALBERTO\t14/03/2024 19:30")))
        << fx->capture.last().text().toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Rádios ausentes:\t1")));
}

TEST_P(ReportRunTest, GroupsCarryTheirSubtotals)
{
    const auto vale = [this](const char *name, int day, double amount) {
        fx->exec(QStringLiteral("insert into vale_funcionario values (?, ?, ?, 'VALE')"),
                 {QString::fromUtf8(name), QDateTime(QDate(2024, 3, day), QTime(12, 0)), amount});
    };
    vale("ANA", 2, 50);
    vale("BRUNO", 3, 20);
    vale("ANA", 9, 35.5);
    fx->cdsRelValeFuncionario->open();
    fx->adm->run(QStringLiteral("rptvalefuncionario"));
    ASSERT_EQ(fx->capture.count(), 1);
    const QStringList lines = fx->capture.last().lines(0);
    const QStringList expected{
        QStringLiteral("ANA"),
        QStringLiteral("02/03/2024 12:00\tVALE\tR$ 50,00"),
        QStringLiteral("09/03/2024 12:00\tVALE\tR$ 35,50"),
        QStringLiteral("Subtotal do funcionário\tR$ 85,50"),
        QStringLiteral("BRUNO"),
        QStringLiteral("03/03/2024 12:00\tVALE\tR$ 20,00"),
        QStringLiteral("Subtotal do funcionário\tR$ 20,00"),
        QStringLiteral("Total dos vales\tR$ 105,50"),
    };
    EXPECT_TRUE(lines.contains(QStringLiteral("Funcionário: todos")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Período: 01/03/2024 a 31/03/2024")));
    const int start = int(lines.indexOf(QStringLiteral("ANA")));
    ASSERT_GE(start, 0) << fx->capture.last().text().toStdString();
    EXPECT_EQ(lines.mid(start, expected.size()), expected) << fx->capture.last().text().toStdString();
}

TEST_P(ReportRunTest, ExportsWriteTheReportToPdfAndCsv)
{
    addThreeCashEntries();
    prepareCash();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("caixa.pdf"));
    const QString csv = out.filePath(QStringLiteral("caixa.csv"));
    ASSERT_TRUE(fx->financeiro->exportPdf(QStringLiteral("rptrelatoriocaixa"), pdf));
    ASSERT_TRUE(fx->financeiro->exportCsv(QStringLiteral("rptRelatorioCaixa"), csv));
    EXPECT_FALSE(fx->financeiro->exportPdf(QStringLiteral("rptNaoExiste"), pdf));
    EXPECT_TRUE(fx->capture.isEmpty()); // no preview

    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")); // spreadsheets read it as UTF-8
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)),
              QStringLiteral("Nº;Hora;Lançamento;Moto;Usuário;Valor;Receita;Despesa;Saldo\r\n"
                             "1;08:15;PAGAMENTO DE RÁDIO;12;MARIA;30,00;30,00;0,00;30,00\r\n"
                             "2;09:40;VALE FUNCIONÁRIO;;JOÃO;25,50;0,00;25,50;4,50\r\n"
                             "3;10:05;RECEBIMENTO AVULSO;7;MARIA;1250,00;1250,00;0,00;1254,50\r\n"));

    if (!rv::test::pdfToolAvailable())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = rv::test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Movimento do caixa"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("PAGAMENTO DE RÁDIO")));
    EXPECT_TRUE(text.contains(QStringLiteral("RECEBIMENTO AVULSO")));
    static const QRegularExpression balance(QStringLiteral("Saldo do período:\\s+R\\$ 1\\.254,50"));
    EXPECT_TRUE(balance.match(text).hasMatch()) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Página 1 de 1")));
}


namespace {

// Plausible rows for every report the program runs.
void fillEveryDataset(ReportFixture &fx)
{
    fx.exec(QStringLiteral("BEGIN"));
    const QStringList kinds{QStringLiteral("PAGAMENTO DE RÁDIO"), QStringLiteral("RECEBIMENTO AVULSO"),
                            QStringLiteral("VALE FUNCIONÁRIO"), QStringLiteral("COMPRA DE MATERIAL DE LIMPEZA")};
    double balance = 0;
    for (int i = 0; i < 24; ++i) {
        const bool expense = i % 4 == 2 || i % 4 == 3;
        const double amount = 10 + (i * 7) % 45 + (i % 2 ? 0.5 : 0);
        balance += expense ? -amount : amount;
        fx.addCashEntry(QStringLiteral("%1:%2").arg(7 + i / 3, 2, 10, QLatin1Char('0')).arg((i * 17) % 60, 2, 10, QLatin1Char('0')),
                        kinds[i % 4], amount, expense ? QVariant() : QVariant(100 + i), QStringLiteral("ATENDENTE %1").arg(1 + i % 3),
                        expense ? amount : 0, expense ? 0 : amount, balance);
    }
    const QStringList months{QStringLiteral("JANEIRO"), QStringLiteral("FEVEREIRO"), QStringLiteral("MARÇO"),
                             QStringLiteral("ABRIL"), QStringLiteral("MAIO"), QStringLiteral("JUNHO"),
                             QStringLiteral("JULHO"), QStringLiteral("AGOSTO"), QStringLiteral("SETEMBRO"),
                             QStringLiteral("OUTUBRO"), QStringLiteral("NOVEMBRO"), QStringLiteral("DEZEMBRO")};
    for (int m = 1; m <= 12; ++m)
        fx.exec(QStringLiteral("insert into caixa_anual values (?, ?, ?, ?, ?)"),
                {m, 300 + m * 13, 8200.0 + m * 310.25, months[m - 1],
                 m % 3 ? QStringLiteral("META ATINGIDA") : QStringLiteral("ABAIXO DA META")});
    for (int i = 0; i < 9; ++i)
        fx.exec(QStringLiteral("insert into extrato_diaria values (12, ?, 1, ?, 25, 3)"),
                {5000 + i, QDateTime(QDate(2024, 3, 1 + i * 3), QTime(8, 30))});
    const QStringList names{QStringLiteral("ANTÔNIO CARLOS DA SILVA"), QStringLiteral("BENEDITO FERREIRA"),
                            QStringLiteral("CLÁUDIO MARTINS"), QStringLiteral("DOUGLAS PEREIRA SANTOS")};
    for (int i = 0; i < 12; ++i)
        fx.exec(QStringLiteral("insert into moto_turno values (?, ?, 'NOITE')"), {110 + i * 7, names[i % 4]});
    for (int i = 1; i <= 34; ++i)
        fx.exec(QStringLiteral("insert into pedido_rel values (?, ?, ?, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {i, 32240000 + i * 37, QStringLiteral("SOLICITANTE NÚMERO %1").arg(i),
                 QStringLiteral("RUA DESEMBARGADOR JOAQUIM DE OLIVEIRA %1, APTO 302 BLOCO B").arg(i * 11),
                 i % 2 ? QStringLiteral("CENTRO") : QStringLiteral("JARDIM AMÉRICA"),
                 QStringLiteral("CENTRO / JARDIM AMÉRICA PASSANDO PELA AVENIDA PRINCIPAL E PELO TERMINAL %1").arg(i),
                 8 + i % 5, i % 3 ? QStringLiteral("RESIDENCIAL") : QStringLiteral("ORELHÃO"),
                 QStringLiteral("ATEND%1").arg(i % 3), i % 4 ? QString() : QStringLiteral("CLIENTE PEDE PARA BUZINAR DUAS VEZES"),
                 QStringLiteral("%1:%2").arg(8 + i / 4, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')),
                 QDateTime(QDate(2024, 3, 15 + i / 20), QTime(8 + i / 4, i % 60)), QString::number(100 + i % 9)});
    for (int i = 0; i < 4; ++i)
        fx.exec(QStringLiteral("insert into radio_ausente values (?, ?, ?, ?)"),
                {10 + i, 120 + i, names[i], QDateTime(QDate(2024, 3, 10 + i), QTime(19, 0))});
    const QStringList bairros{QStringLiteral("CENTRO"), QStringLiteral("JARDIM AMÉRICA"), QStringLiteral("VILA NOVA"),
                              QStringLiteral("SÃO JOSÉ"), QStringLiteral("BOA VISTA")};
    for (int i = 0; i < 5; ++i)
        fx.exec(QStringLiteral("insert into bairro_turno values (?, ?)"), {bairros[i], 120 - i * 17});
    for (int i = 0; i < 6; ++i)
        fx.exec(QStringLiteral("insert into vale_funcionario values (?, ?, ?, 'VALE')"),
                {i % 2 ? QStringLiteral("MARIA DAS GRAÇAS") : QStringLiteral("JOSÉ ROBERTO"),
                 QDateTime(QDate(2024, 3, 2 + i * 4), QTime(12, 0)), 20.0 + i * 5});
    fx.exec(QStringLiteral("COMMIT"));
    fx.addTrajetos(140);
}

} // namespace

// Every report the screens run exists in its module's project, reads one of
// the module's connections and comes out with its rows. With
// RAVELTO_REPORT_SAMPLES naming a folder, the reports are also written there
// as PDF files, to be looked at.
TEST_P(ReportRunTest, EveryReportTheProgramRunsComesOutOfItsProject)
{
    fillEveryDataset(*fx);
    prepareCash();
    HeldResult &anual = fx->financeiro->cdsCaixaAnual;
    anual.close();
    anual.paramByName(QStringLiteral("ano")).setAsInteger(2024);
    anual.open();
    for (HeldResult *h : {fx->cdsExtratodiaria.get(), fx->cdsRelMotoTurno.get(), fx->cdspedidodata.get(),
                          fx->cdsRadioAusentes.get(), fx->cdsTbTrajeto.get(), fx->cdsRelBairroTurno.get(),
                          fx->cdsRelValeFuncionario.get()})
        h->open();

    struct Run {
        ReportModule *module;
        const char *report;
        const char *title;
        const char *firstRow;
    };
    const Run runs[] = {
        {fx->financeiro.get(), "rptRelatorioCaixa", "Movimento do caixa", "1\t07:00\tPAGAMENTO DE RÁDIO\t100"},
        {fx->financeiro.get(), "rptCaixaanual", "Movimentação anual do caixa", "1\tJANEIRO\t313\tR$ 8.510,25\tMETA ATINGIDA"},
        {fx->motoqueiro.get(), "rptextratodiaria", "Extrato de diárias do motoqueiro", "12\t5000\t1\t01/03/2024 08:30\tR$ 25,00\t3"},
        {fx->motoqueiro.get(), "rptMotoqueiroturno", "Motoqueiros por turno", "110\tANTÔNIO CARLOS DA SILVA\tNOITE"},
        {fx->pedidos.get(), "rptpedidodata", "Consulta de pedidos por período", "1\t15/03/2024\t08:01\t101\t32240037"},
        {fx->radio.get(), "rptradioausente", "Rádios ausentes", "10\t120\tANTÔNIO CARLOS DA SILVA\t10/03/2024 19:00"},
        {fx->adm.get(), "rptTbTrajeto", "Tabela de trajetos e valores", "1\tCENTRO / VILA NOVA 1"},
        {fx->adm.get(), "rptRelbairroTurno", "Chamadas por bairro no turno", "CENTRO\t120"},
        {fx->adm.get(), "rptvalefuncionario", "Vales de funcionário", "02/03/2024 12:00\tVALE\tR$ 20,00"},
    };
    const QString samples = qEnvironmentVariable("RAVELTO_REPORT_SAMPLES");
    for (const Run &run : runs) {
        SCOPED_TRACE(run.report);
        fx->capture.clear();
        run.module->run(QString::fromLatin1(run.report));
        ASSERT_EQ(fx->capture.count(), 1);
        const ReportDocument &doc = fx->capture.last();
        EXPECT_EQ(doc.lines(0).value(1), QString::fromUtf8(run.title));
        bool found = false;
        for (const QString &l : doc.lines(0))
            found = found || l.startsWith(QString::fromUtf8(run.firstRow));
        EXPECT_TRUE(found) << doc.pageText(0).toStdString();
        EXPECT_TRUE(doc.pageText(doc.pageCount() - 1).contains(QStringLiteral("Página %1 de %1").arg(doc.pageCount())));
        if (!samples.isEmpty())
            doc.writePdf(QDir(samples).filePath(QString::fromLatin1(run.report) + QStringLiteral(".pdf")),
                         run.module->titles().job);
    }
}

RV_BOTH_BACKENDS(ReportRunTest);
