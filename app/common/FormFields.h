#pragma once
// The fields of a form in the order the form declares them, and the two
// routines that walk them: the required-field check and the emptying of
// every plain edit.
//
//   declareFields(this, {edtSolicitante, edtnumeropd, edtDestino, edtTrajeto,
//                        edtValornoite, Edtnome_logradouroPD, edtValorDia});
//   markRequired(edtSolicitante, QStringLiteral("Solicitante"));
//   ...
//   VerificaCamposRequeridos(this); // throws ValidationError naming the empty ones
//   LimpaCampos(this);              // empties every plain edit, change handlers run
//
// The declared order is neither the tab order nor the position on the screen:
// each screen fixes it explicitly. Widgets a screen does not list are visited
// after the listed ones, in creation order within their parents.

#include <QList>
#include <QString>
#include <QStringList>

class QLineEdit;
class QWidget;

namespace rv {

// Fix the order in which the form's components are visited. Replaces an
// earlier declaration; widgets outside the form are ignored.
void declareFields(QWidget *form, const QList<QWidget *> &fields);

// Every widget of the form (its own window only, not screens opened over it),
// the declared ones first.
QList<QWidget *> declaredFields(QWidget *form);

// The required mark (dynamic property "Tag" = 1) and the label the refusal
// names (dynamic property "ImeName").
void markRequired(QLineEdit *edit, const QString &label);
bool isRequired(const QWidget *widget);
QString requiredLabel(const QWidget *widget);

// A plain edit: exactly a QLineEdit without an input mask, and not the edit
// inside a combo box, spin box or date picker.
bool isPlainEdit(const QWidget *widget);

// The refusal: the fixed sentence, a carriage return, and each label followed
// by a carriage return.
QString requiredFieldsMessage(const QStringList &labels);

// Refuses (ValidationError) when a required plain edit has no characters at
// all; a text of spaces passes. Nothing else happens on refusal.
void VerificaCamposRequeridos(QWidget *form);

// Empties every plain edit of the form, hidden and read-only ones included, in
// the declared order; each one that held text reports the change as typing would.
void LimpaCampos(QWidget *form);

} // namespace rv
