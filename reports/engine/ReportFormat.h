#pragma once
// How report values become text: the display formats a layout names for its
// columns, totals and header placeholders, and the expansion of the
// placeholders ("Período: {datainicial|date} a {datafinal|date}").

#include "data/Field.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace rv {

enum class ValueFormat {
    Automatic, // by the value's kind: currency-declared, number, date-time, text
    Text,
    Integer,   // plain digits, no separators (registration numbers, telephones)
    Number,    // grouped thousands, decimal comma, fixed decimals
    Currency,  // "R$ 1.234,56"
    Date,      // "dd/MM/yyyy"
    DateTime,  // "dd/MM/yyyy HH:mm"
    Time,      // "HH:mm"
    Boolean,   // "Sim" / "Não"
    Pattern,   // a search pattern shown without its trailing '%'
};

// The format named in a project file ("currency", "date", ...); nullopt when
// the name is not one of them.
std::optional<ValueFormat> valueFormatFromName(const QString &name);

// Where the text goes: print shows grouped numbers and the currency sign; a
// file for spreadsheets gets plain numbers with a decimal comma.
enum class FormatPurpose { Print, Data };

struct FormatSpec {
    ValueFormat format = ValueFormat::Automatic;
    int decimals = 2;        // Number and Currency
    bool currencyKind = false; // the column is declared as an amount of money
};

// The text of one value. NULL is the empty text; a value that does not read
// as the format asks (a text under "date") is shown as it is.
QString formatValue(const QVariant &value, FieldKind kind, const FormatSpec &spec,
                    FormatPurpose purpose = FormatPurpose::Print);

// The number a value holds: numbers, texts with a decimal comma, booleans as
// 1 and 0; nullopt for NULL and for a text that is no number.
std::optional<double> numberOf(const QVariant &value);

// A number with grouped thousands and a decimal comma: 1234.5 -> "1.234,50".
QString formatGroupedNumber(double value, int decimals);

// Expand "{name}" and "{name|format}" placeholders; lookup returns the value of
// a name, or nullopt for a name it does not know (expanded to nothing).
// "{{" and "}}" stand for literal braces.
QString expandTemplate(const QString &text, const std::function<std::optional<QVariant>(const QString &)> &lookup);

} // namespace rv
