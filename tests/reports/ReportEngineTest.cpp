// The report engine without a database: project files, finding them, value
// formats, the project files the program ships, and the preview window.
#include "data/Errors.h"
#include "reports/engine/ProjectLocator.h"
#include "reports/engine/ReportFormat.h"
#include "reports/engine/ReportGenerator.h"
#include "reports/engine/ReportProject.h"
#include "reports/modules/ReportModules.h"
#include "reports/preview/ReportPreviewDialog.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace rv;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QString loadError(const QByteArray &json)
{
    try {
        ReportProject::fromJson(json, QStringLiteral("teste.rav"));
    } catch (const Error &e) {
        return e.text();
    }
    return {};
}

} // namespace

TEST(ReportProjectFile, FaultsNameTheFileAndThePlace)
{
    struct Case {
        const char *json;
        const char *message;
    };
    const Case cases[] = {
        {"{ \"reports\": [", "at character"},
        {"[]", "the file does not hold a report project"},
        {"{\"format\": \"outra-coisa\", \"reports\": []}", "format \"outra-coisa\""},
        {"{\"reports\": [{\"connection\": \"c\", \"columns\": [{\"field\": \"a\"}]}]}", "report 1 has no \"name\""},
        {"{\"reports\": [{\"name\": \"r\", \"columns\": [{\"field\": \"a\"}]}]}", "report \"r\": no \"connection\""},
        {"{\"reports\": [{\"name\": \"r\", \"connection\": \"c\", \"columns\": []}]}", "at least one column"},
        {"{\"reports\": [{\"name\": \"r\", \"connection\": \"c\", \"columns\": [{\"field\": \"a\", \"format\": \"moeda\"}]}]}",
         "column \"a\": unknown format \"moeda\""},
        {"{\"reports\": [{\"name\": \"r\", \"connection\": \"c\", \"columns\": [{\"field\": \"a\", \"total\": \"soma\"}]}]}",
         "unknown total \"soma\""},
        {"{\"reports\": [{\"name\": \"r\", \"connection\": \"c\", \"columns\": [{\"field\": \"a\", \"width\": 0}]}]}",
         "\"width\" must be greater than 0"},
        {"{\"reports\": [{\"name\": \"r\", \"connection\": \"c\", \"columns\": [{\"field\": \"a\"}], "
         "\"summary\": [{\"label\": \"x\", \"value\": \"sum(a) sum(b)\"}]}]}",
         "+ or - expected"},
        {"{\"reports\": [{\"name\": \"r\", \"connection\": \"c\", \"columns\": [{\"field\": \"a\"}], "
         "\"orientation\": \"deitado\"}]}",
         "portrait or landscape"},
        {"{\"reports\": [{\"name\": \"r\", \"connection\": \"c\", \"columns\": [{\"field\": \"a\"}]}, "
         "{\"name\": \"R\", \"connection\": \"c\", \"columns\": [{\"field\": \"a\"}]}]}",
         "two reports are named \"R\""},
    };
    for (const Case &c : cases) {
        const QString error = loadError(QByteArray(c.json));
        EXPECT_TRUE(error.startsWith(QStringLiteral("The reporting project could not be read:\n\"teste.rav\"\n")))
            << c.json << " -> " << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << c.json << " -> " << error.toStdString();
    }
}

TEST(ReportProjectFile, SummaryValuesAndDefaults)
{
    const ReportProject p = ReportProject::fromJson(
        "{\"company\": \"Empresa\", \"reports\": [{\"name\": \"rptX\", \"connection\": \"cnn\", "
        "\"columns\": [{\"field\": \"t\"}, {\"field\": \"v\", \"format\": \"currency\", \"total\": \"sum\"}],"
        "\"summary\": [{\"label\": \"Saldo\", \"value\": \"sum(r) - sum(d) + count\"}]}]}",
        QStringLiteral("x"));
    const ReportLayout *l = p.find(QStringLiteral("RPTx"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(p.company, QStringLiteral("Empresa"));
    EXPECT_EQ(l->orientation, QPageLayout::Portrait);
    EXPECT_EQ(l->columns[0].title, QStringLiteral("t"));
    EXPECT_EQ(l->columns[0].alignment, Qt::AlignLeft);
    EXPECT_EQ(l->columns[1].alignment, Qt::AlignRight);
    ASSERT_EQ(l->summary.size(), 1);
    const QList<SummaryTerm> &t = l->summary[0].terms;
    ASSERT_EQ(t.size(), 3);
    EXPECT_EQ(t[0].sign, 1);
    EXPECT_EQ(t[0].field, QStringLiteral("r"));
    EXPECT_EQ(t[1].sign, -1);
    EXPECT_EQ(t[1].field, QStringLiteral("d"));
    EXPECT_EQ(t[2].aggregate, Aggregate::Count);
    EXPECT_TRUE(t[2].field.isEmpty());
}

TEST(ReportProjectFile, LocatedWithBackslashesAndAnyCaseThenBelowTheExecutable)
{
    QTemporaryDir current;
    QTemporaryDir program;
    writeFile(current.filePath(QStringLiteral("RELATORIOS/rvFinanceiro.rav")), "{}");
    writeFile(program.filePath(QStringLiteral("RELATORIOS/pedidos.rav")), "{}");
    const QStringList folders{current.path(), program.path()};
    const QString financeiro = QDir(current.path()).filePath(QStringLiteral("RELATORIOS/rvFinanceiro.rav"));
    EXPECT_EQ(locateProjectFile(QStringLiteral("RELATORIOS\\rvFinanceiro.rav"), folders), financeiro);
    EXPECT_EQ(locateProjectFile(QStringLiteral("relatorios\\RVFINANCEIRO.RAV"), folders), financeiro);
    EXPECT_EQ(locateProjectFile(QStringLiteral("Relatorios/rvfinanceiro.rav"), folders), financeiro);
    EXPECT_EQ(locateProjectFile(QStringLiteral("relatorios\\pedidos.rav"), folders),
              QDir(program.path()).filePath(QStringLiteral("RELATORIOS/pedidos.rav")));
    EXPECT_TRUE(locateProjectFile(QStringLiteral("RELATORIOS\\adm.rav"), folders).isEmpty());
    // A folder of the file's name is not the file.
    QDir(current.path()).mkpath(QStringLiteral("RELATORIOS/rvradio.rav"));
    EXPECT_TRUE(locateProjectFile(QStringLiteral("RELATORIOS\\rvradio.rav"), {current.path()}).isEmpty());
}

TEST(ReportFormats, ValuesAsReportsShowThem)
{
    struct Case {
        QVariant value;
        FieldKind kind;
        ValueFormat format;
        FormatPurpose purpose;
        const char *text;
    };
    const Case cases[] = {
        {1234.5, FieldKind::Decimal, ValueFormat::Currency, FormatPurpose::Print, "R$ 1.234,50"},
        {-0.004, FieldKind::Decimal, ValueFormat::Currency, FormatPurpose::Print, "R$ 0,00"},
        {-0.004, FieldKind::Decimal, ValueFormat::Currency, FormatPurpose::Data, "0,00"},
        {1234567.891, FieldKind::Decimal, ValueFormat::Number, FormatPurpose::Print, "1.234.567,89"},
        {1234567.891, FieldKind::Decimal, ValueFormat::Number, FormatPurpose::Data, "1234567,89"},
        {qlonglong(32241234), FieldKind::Integer, ValueFormat::Automatic, FormatPurpose::Print, "32241234"},
        {12.0, FieldKind::Currency, ValueFormat::Automatic, FormatPurpose::Print, "R$ 12,00"},
        {QStringLiteral("2024/15/03 00:00:00"), FieldKind::Text, ValueFormat::Date, FormatPurpose::Print, "15/03/2024"},
        {QStringLiteral("2024/09/03 19:00:00"), FieldKind::Text, ValueFormat::DateTime, FormatPurpose::Print,
         "09/03/2024 19:00"},
        {QDateTime(QDate(2024, 3, 1), QTime(0, 0)), FieldKind::DateTime, ValueFormat::Automatic, FormatPurpose::Print,
         "01/03/2024"},
        {QDateTime(QDate(2024, 3, 1), QTime(8, 5)), FieldKind::DateTime, ValueFormat::Automatic, FormatPurpose::Print,
         "01/03/2024 08:05"},
        {QStringLiteral("não é data"), FieldKind::Text, ValueFormat::Date, FormatPurpose::Print, "não é data"},
        {QStringLiteral("CENTRO%"), FieldKind::Text, ValueFormat::Pattern, FormatPurpose::Print, "CENTRO"},
        {true, FieldKind::Boolean, ValueFormat::Automatic, FormatPurpose::Print, "Sim"},
        {QVariant(), FieldKind::Decimal, ValueFormat::Currency, FormatPurpose::Print, ""},
    };
    for (const Case &c : cases) {
        FormatSpec spec;
        spec.format = c.format;
        EXPECT_EQ(formatValue(c.value, c.kind, spec, c.purpose), QString::fromUtf8(c.text)) << c.text;
    }
    const auto lookup = [](const QString &n) -> std::optional<QVariant> {
        if (n == QLatin1String("ano"))
            return QVariant(2024);
        return std::nullopt;
    };
    EXPECT_EQ(expandTemplate(QStringLiteral("Ano: {ano} {desconhecido}{{x}}"), lookup), QStringLiteral("Ano: 2024 {x}"));
}

TEST(ReportProjectFile, TheShippedProjectsHoldEveryReportTheProgramRuns)
{
    // The modules that need no connection; the cash module's reports are run
    // against a database in the run tests.
    TRVMOTOQUEIRO motoqueiro;
    TRVPEDIDOS pedidos;
    TrvRadio radio;
    TRMAdm adm;
    TDM_REL rel;
    struct Expect {
        ReportModule *module;
        QStringList reports;
    };
    const Expect expected[] = {
        {&motoqueiro, {QStringLiteral("rptextratodiaria"), QStringLiteral("rptMotoqueiroturno")}},
        {&pedidos, {QStringLiteral("rptpedidodata")}},
        {&radio, {QStringLiteral("rptradioausente")}},
        {&adm, {QStringLiteral("rptTbTrajeto"), QStringLiteral("rptRelbairroTurno"), QStringLiteral("rptvalefuncionario")}},
        {&rel, {}},
    };
    for (const Expect &e : expected) {
        SCOPED_TRACE(e.module->moduleName().toStdString());
        const QString path = locateProjectFile(e.module->projectFile(), {QStringLiteral(RAVELTO_REPORT_PROJECTS_DIR "/..")});
        ASSERT_FALSE(path.isEmpty()) << e.module->projectFile().toStdString();
        const ReportProject project = ReportProject::load(path);
        EXPECT_EQ(project.name, e.module->projectName());
        for (const QString &name : e.reports)
            EXPECT_NE(project.find(name), nullptr) << name.toStdString();
        for (const ReportLayout &l : project.reports)
            EXPECT_TRUE(e.module->hasConnection(l.connection)) << l.name.toStdString();
    }
    const ReportProject cash = ReportProject::load(QStringLiteral(RAVELTO_REPORT_PROJECTS_DIR "/rvFinanceiro.rav"));
    EXPECT_EQ(cash.find(QStringLiteral("rptRelatorioCaixa"))->connection, QStringLiteral("RvDsCaixa"));
    EXPECT_EQ(cash.find(QStringLiteral("rptCaixaanual"))->connection, QStringLiteral("rvCnnCaixaAnual"));
}

TEST(ReportPreviewWindow, ShowsOnePageAtATimeAndSavesAsPdf)
{
    const ReportProject p = ReportProject::fromJson(
        "{\"reports\": [{\"name\": \"rptLongo\", \"connection\": \"c\", \"title\": \"Longo\", "
        "\"columns\": [{\"field\": \"a\"}]}]}",
        QStringLiteral("x"));
    ReportDocument doc = generateReport(*p.find(QStringLiteral("rptLongo")), nullptr, {});
    doc.pages.append(doc.pages.first());
    doc.pages.append(doc.pages.first());
    ReportTitles titles{QStringLiteral("Estado"), QStringLiteral("Consulta Pedido "), QStringLiteral("Consulta pedido")};

    ReportPreviewDialog dialog(doc, titles);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Consulta Pedido "));
    auto *next = dialog.findChild<QToolButton *>(QStringLiteral("btnNext"));
    auto *first = dialog.findChild<QToolButton *>(QStringLiteral("btnFirst"));
    auto *last = dialog.findChild<QToolButton *>(QStringLiteral("btnLast"));
    auto *page = dialog.findChild<QSpinBox *>(QStringLiteral("spnPage"));
    auto *view = dialog.findChild<QLabel *>(QStringLiteral("pageView"));
    ASSERT_TRUE(next && first && last && page && view);
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("lblPages"))->text(), QStringLiteral("of 3"));
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(view->pixmap().isNull());
    // 100 percent: an A4 page is as wide as 210 mm on this screen.
    EXPECT_NEAR(view->width(), 210.0 / 25.4 * dialog.logicalDpiX(), 2.0);

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(dialog.currentPage(), 2);
    EXPECT_EQ(page->value(), 2);
    QTest::mouseClick(last, Qt::LeftButton);
    EXPECT_EQ(dialog.currentPage(), 3);
    EXPECT_FALSE(next->isEnabled());
    page->setValue(1);
    EXPECT_EQ(dialog.currentPage(), 1);

    QTemporaryDir out;
    EXPECT_TRUE(dialog.saveAsPdf(out.filePath(QStringLiteral("longo.pdf"))));
    EXPECT_GT(QFileInfo(out.filePath(QStringLiteral("longo.pdf"))).size(), 0);
    EXPECT_FALSE(dialog.saveAsPdf(out.filePath(QStringLiteral("sem/pasta/longo.pdf"))));
    EXPECT_TRUE(dialog.findChild<QLabel *>(QStringLiteral("lblStatus"))->text().startsWith(QStringLiteral("The file could not be written:")));
}
