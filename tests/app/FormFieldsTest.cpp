#include "app/common/FormFields.h"
#include "data/Errors.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace rv;

namespace {

// A small form whose declared order differs from both its creation order and
// its tab order.
struct OrderForm {
    QWidget form;
    QWidget *panel = new QWidget(&form);
    QLineEdit *edtValor = new QLineEdit(panel);
    QLineEdit *edtNome = new QLineEdit(&form);
    QLineEdit *edtDestino = new QLineEdit(&form);
    QLineEdit *edtObs = new QLineEdit(&form); // not required

    OrderForm()
    {
        edtValor->setObjectName(QStringLiteral("edtValor"));
        edtNome->setObjectName(QStringLiteral("edtNome"));
        edtDestino->setObjectName(QStringLiteral("edtDestino"));
        QWidget::setTabOrder(edtNome, edtValor);
        QWidget::setTabOrder(edtValor, edtDestino);
        declareFields(&form, {edtDestino, edtObs, edtValor, edtNome});
        markRequired(edtNome, QStringLiteral("Nome"));
        markRequired(edtValor, QStringLiteral("Valor Dia"));
        markRequired(edtDestino, QStringLiteral("Destino"));
    }
};

QString refusal(QWidget *form)
{
    try {
        VerificaCamposRequeridos(form);
    } catch (const ValidationError &e) {
        return e.text();
    }
    return {};
}

} // namespace

TEST(VerificaCamposRequeridos, ListsTheEmptyRequiredFieldsInTheDeclaredOrder)
{
    OrderForm f;
    f.edtDestino->setText(QStringLiteral("JARDIM"));
    EXPECT_EQ(refusal(&f.form), QStringLiteral("Os Seguintes campos são requeridos para conclusão do pedido : \r"
                                               "Valor Dia\rNome\r"));
}

TEST(VerificaCamposRequeridos, SpacesCountAsTextAndUnmarkedFieldsAreIgnored)
{
    OrderForm f;
    f.edtNome->setText(QStringLiteral(" "));
    f.edtValor->setText(QStringLiteral("10"));
    f.edtDestino->setText(QStringLiteral("JARDIM"));
    EXPECT_EQ(refusal(&f.form), QString()); // edtObs is empty but not required
}

TEST(VerificaCamposRequeridos, UndeclaredFieldsFollowTheDeclaredOnes)
{
    OrderForm f;
    declareFields(&f.form, {f.edtNome});
    EXPECT_EQ(refusal(&f.form), QStringLiteral("Os Seguintes campos são requeridos para conclusão do pedido : \r"
                                               "Nome\rValor Dia\rDestino\r"));
}

TEST(LimpaCampos, EmptiesEveryPlainEditAndLeavesOtherControlsAlone)
{
    QWidget form;
    auto *visible = new QLineEdit(QStringLiteral("A"), &form);
    auto *hidden = new QLineEdit(QStringLiteral("12"), &form);
    hidden->hide();
    auto *readOnly = new QLineEdit(QStringLiteral("SP"), &form);
    readOnly->setReadOnly(true);
    auto *combo = new QComboBox(&form);
    combo->setEditable(true);
    combo->setEditText(QStringLiteral("NOME"));
    auto *date = new QDateEdit(QDate(2009, 1, 21), &form);
    auto *spin = new QSpinBox(&form);
    spin->setValue(7);
    auto *masked = new QLineEdit(&form);
    masked->setInputMask(QStringLiteral("99/99/9999"));
    masked->setText(QStringLiteral("21012009"));
    const QString maskedText = masked->text();

    LimpaCampos(&form);

    EXPECT_EQ(visible->text(), QString());
    EXPECT_EQ(hidden->text(), QString());
    EXPECT_EQ(readOnly->text(), QString());
    EXPECT_EQ(combo->currentText(), QStringLiteral("NOME"));
    EXPECT_EQ(date->date(), QDate(2009, 1, 21));
    EXPECT_EQ(spin->value(), 7);
    EXPECT_EQ(masked->text(), maskedText);
}

TEST(LimpaCampos, RunsTheChangeHandlersInTheDeclaredOrder)
{
    OrderForm f;
    QStringList changed;
    for (QLineEdit *e : {f.edtValor, f.edtNome, f.edtDestino}) {
        e->setText(QStringLiteral("X"));
        QObject::connect(e, &QLineEdit::textChanged, e, [&changed, e](const QString &text) {
            changed << e->objectName() + QLatin1Char('=') + text;
        });
    }
    LimpaCampos(&f.form);
    EXPECT_EQ(changed, (QStringList{QStringLiteral("edtDestino="), QStringLiteral("edtValor="), QStringLiteral("edtNome=")}));
}

TEST(LimpaCampos, LeavesTheEditsOfAScreenOpenedOverTheForm)
{
    QWidget form;
    auto *own = new QLineEdit(QStringLiteral("A"), &form);
    auto *dialog = new QWidget(&form, Qt::Dialog);
    auto *other = new QLineEdit(QStringLiteral("B"), dialog);
    LimpaCampos(&form);
    EXPECT_EQ(own->text(), QString());
    EXPECT_EQ(other->text(), QStringLiteral("B"));
}
