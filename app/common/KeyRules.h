#pragma once
// How fields treat the keyboard: the digits-only filter, upper-casing of typed
// letters, Enter moving to the next field, and the leave action of a field.
//
//   SomenteDigitos(edtTelefone);                 // typed letters never arrive
//   forceUpperCase(edtNome);                     // typed "ana" shows "ANA"
//   installEnterAsTab(this);                     // the form's FormKeyPress
//   onLeave(edtSolicitante, ctx.messages, [this] { edtSolicitanteExit(); });
//
// The filters act on typed keys only: text set by the program (setText) or
// pasted through the context menu passes unchanged. Each helper attaches a
// small object to the widget that lives and dies with it.

#include "MessageService.h"

#include <QString>
#include <functional>

class QWidget;

namespace rv {

// Accept only Backspace and the digits 0 to 9 as typed characters: letters,
// signs, spaces, the decimal comma and control characters typed with Ctrl are
// discarded before they reach the field. Editing and navigation keys (arrows,
// Delete, Tab, Enter, Escape) are not characters and pass.
void SomenteDigitos(QWidget *field);

// Typed letters arrive in upper case (accented ones too); text set by the
// program is left as it is.
void forceUpperCase(QWidget *field);

// The letters a to z in upper case; accented letters, digits and signs unchanged.
QString upperCaseAZ(const QString &text);

// Enter as Tab for a whole form (its window): the form sees Enter before the
// focused field, swallows it and moves the focus to the next control in tab
// order that is a tab stop, visible and enabled, wrapping from the last to the
// first. No other key is changed.
void installEnterAsTab(QWidget *form);
// The move itself, for screens that need it elsewhere.
void focusNextField(QWidget *form);

// The leave action of a field (its ...Exit handler): runs when the focus moves
// from the field to another control of the same window, by Tab, Enter, a click
// or the program. A focus that goes to another window (a message box, a screen
// opened over this one) and comes back is not a leave; nor is the window
// closing. Errors of the action are shown in the program's error box.
void onLeave(QWidget *field, MessageService &messages, std::function<void()> action);

} // namespace rv
