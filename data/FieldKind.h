#pragma once
// Kinds of values that statements take and return. Result values are held
// normalised per kind: text as QString (trailing blanks removed), whole numbers
// as qlonglong, decimals and floats as double, date-times as QDateTime (local
// time), booleans as bool, large objects as QByteArray, NULL as an invalid QVariant.

#include <QString>
#include <QVariant>

namespace rv {

enum class FieldKind {
    Unknown,   // not declared and not reported by the backend: taken from the value
    Text,      // varchar / nvarchar
    FixedText, // char(N)
    Integer,   // int
    SmallInt,  // smallint
    Decimal,   // decimal(p,s) / numeric
    Currency,  // money and fixed-point amounts with four decimals
    Float,     // floating point
    DateTime,
    Boolean,   // bit
    Blob,      // image
};

bool isTextKind(FieldKind kind);
bool isWholeNumberKind(FieldKind kind);
bool isNumberKind(FieldKind kind);   // whole numbers and decimals
QString kindName(FieldKind kind);

// Map a SQL type name as written in a schema ("char(50)", "decimal(12,2)",
// "datetime", "int") to a kind; Unknown when it names nothing we know.
FieldKind kindFromTypeName(const QString &typeName);

// The kind a raw driver value suggests when nothing else is known.
FieldKind kindFromValue(const QVariant &raw);

// Bring a raw driver value to the normalised form of the kind.
QVariant normaliseValue(const QVariant &raw, FieldKind kind);

// Two kinds that a declared column and a result column may have without the
// open failing (whole numbers with whole numbers, text with text, ...).
bool kindsCompatible(FieldKind declared, FieldKind actual);

} // namespace rv
