#pragma once
// One column value of the current row, read by name. NULL reads as the empty
// text, numbers as plain decimal text with a comma, date-times as
// "dd/MM/yyyy HH:mm:ss".

#include "FieldKind.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace rv {

class Field {
public:
    Field() = default;
    Field(QString name, FieldKind kind, QVariant value)
        : m_name(std::move(name)), m_kind(kind), m_value(std::move(value)) {}

    const QString &name() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    bool isNull() const { return !m_value.isValid() || m_value.isNull(); }
    const QVariant &value() const { return m_value; }

    QString asString() const;
    int asInteger() const;         // NULL: 0; text is converted (ConversionError)
    double asFloat() const;        // NULL: 0
    double asCurrency() const { return asFloat(); }
    QDateTime asDateTime() const;  // NULL: invalid
    bool asBoolean() const;

    // Text of a normalised value as the screens show it.
    static QString textOf(const QVariant &value);

private:
    QString m_name;
    FieldKind m_kind = FieldKind::Unknown;
    QVariant m_value;
};

} // namespace rv
