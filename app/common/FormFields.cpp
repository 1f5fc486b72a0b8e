#include "FormFields.h"

#include "data/Errors.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace rv {

namespace {

const char *const TagProperty = "Tag";
const char *const LabelProperty = "ImeName";
const char *const OrderName = "rvDeclaredFields";

// The declared order lives in a hidden child object of the form, so that it
// goes away with the form.
class DeclaredFields : public QObject {
public:
    explicit DeclaredFields(QObject *form) : QObject(form) { setObjectName(QLatin1String(OrderName)); }
    QList<QPointer<QWidget>> fields;
};

DeclaredFields *declarationOf(QWidget *form)
{
    for (QObject *child : form->children())
        if (child->objectName() == QLatin1String(OrderName))
            return static_cast<DeclaredFields *>(child);
    return nullptr;
}

bool belongsTo(QWidget *form, QWidget *w)
{
    // isAncestorOf also requires the same window: a screen opened over the
    // form is not part of it.
    return w && w != form && form->isAncestorOf(w);
}

} // namespace

void declareFields(QWidget *form, const QList<QWidget *> &fields)
{
    DeclaredFields *d = declarationOf(form);
    if (!d)
        d = new DeclaredFields(form);
    d->fields.clear();
    for (QWidget *w : fields)
        if (belongsTo(form, w))
            d->fields.append(w);
}

QList<QWidget *> declaredFields(QWidget *form)
{
    QList<QWidget *> result;
    if (const DeclaredFields *d = declarationOf(form))
        for (const QPointer<QWidget> &w : d->fields)
            if (w && belongsTo(form, w) && !result.contains(w.data()))
                result.append(w.data());
    const QList<QWidget *> all = form->findChildren<QWidget *>();
    for (QWidget *w : all)
        if (belongsTo(form, w) && !result.contains(w))
            result.append(w);
    return result;
}

void markRequired(QLineEdit *edit, const QString &label)
{
    edit->setProperty(TagProperty, 1);
    edit->setProperty(LabelProperty, label);
}

bool isRequired(const QWidget *widget)
{
    return widget->property(TagProperty).toInt() == 1;
}

QString requiredLabel(const QWidget *widget)
{
    return widget->property(LabelProperty).toString();
}

bool isPlainEdit(const QWidget *widget)
{
    if (!widget || widget->metaObject() != &QLineEdit::staticMetaObject)
        return false;
    if (!static_cast<const QLineEdit *>(widget)->inputMask().isEmpty())
        return false;
    const QWidget *parent = widget->parentWidget();
    return !qobject_cast<const QComboBox *>(parent) && !qobject_cast<const QAbstractSpinBox *>(parent);
}

QString requiredFieldsMessage(const QStringList &labels)
{
    QString text = QStringLiteral("Os Seguintes campos são requeridos para conclusão do pedido : \r");
    for (const QString &label : labels)
        text += label + QLatin1Char('\r');
    return text;
}

void VerificaCamposRequeridos(QWidget *form)
{
    QStringList missing;
    for (QWidget *w : declaredFields(form)) {
        if (!isPlainEdit(w) || !isRequired(w))
            continue;
        if (static_cast<QLineEdit *>(w)->text().isEmpty())
            missing << requiredLabel(w);
    }
    if (!missing.isEmpty())
        throw ValidationError(requiredFieldsMessage(missing));
}

void LimpaCampos(QWidget *form)
{
    // A change handler may hide, show or even delete widgets while this runs.
    QList<QPointer<QLineEdit>> edits;
    for (QWidget *w : declaredFields(form))
        if (isPlainEdit(w))
            edits.append(static_cast<QLineEdit *>(w));
    for (const QPointer<QLineEdit> &edit : edits)
        if (edit)
            edit->setText(QString());
}

} // namespace rv
