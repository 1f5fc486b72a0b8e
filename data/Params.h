#pragma once
// Statement parameters. A parameter is named after its marker; names are
// matched without regard to case. Values keep the kind they were set with,
// which decides how they are bound (text, integer, currency, ...).

#include "FieldKind.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

namespace rv {

struct BoundValue {
    FieldKind kind = FieldKind::Unknown; // Unknown with a null value: NULL of no particular kind
    QVariant value;                      // invalid QVariant: NULL
    bool isNull() const { return !value.isValid() || value.isNull(); }
};

class Param {
public:
    Param() = default;
    Param(QString name, FieldKind declaredKind = FieldKind::Unknown)
        : m_name(std::move(name)), m_kind(declaredKind) {}

    const QString &name() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    bool isSet() const { return m_set; }
    bool isNull() const { return !m_value.isValid(); }
    const QVariant &value() const { return m_value; }

    void setAsString(const QString &v) { assign(FieldKind::Text, QVariant(v)); }
    void setAsInteger(qint64 v) { assign(FieldKind::Integer, QVariant(qlonglong(v))); }
    void setAsSmallInt(int v) { assign(FieldKind::SmallInt, QVariant(qlonglong(v))); }
    void setAsCurrency(double v) { assign(FieldKind::Currency, QVariant(v)); }
    void setAsFloat(double v) { assign(FieldKind::Float, QVariant(v)); }
    void setAsDecimal(double v) { assign(FieldKind::Decimal, QVariant(v)); }
    void setAsBoolean(bool v) { assign(FieldKind::Boolean, QVariant(v)); }
    void setAsDateTime(const QDateTime &v) { assign(FieldKind::DateTime, QVariant(v)); }
    // Set to NULL (keeps the declared kind).
    void clear();
    // Back to the state of never having been set.
    void unset();

    BoundValue bound() const { return {m_kind, m_value}; }

private:
    void assign(FieldKind kind, QVariant v);

    QString m_name;
    FieldKind m_kind = FieldKind::Unknown;
    QVariant m_value;
    bool m_set = false;
};

class ParamList {
public:
    // unsetIsNull: declared parameters (held results, procedures) go as NULL when
    // nothing set them; the parameters of a query whose text is set at run time
    // have no kind until set, and an unset one refuses the statement.
    explicit ParamList(bool unsetIsNull = false) : m_unsetIsNull(unsetIsNull) {}

    // Replace the list by parameters of the given names, keeping the values of
    // names that stay.
    void rebuild(const QStringList &names);
    void append(Param p) { m_params.append(std::move(p)); }
    void clear() { m_params.clear(); }

    int count() const { return int(m_params.size()); }
    Param &at(int index);
    const Param &at(int index) const;
    Param &byName(const QString &name);        // throws DatabaseError naming it when absent
    const Param *find(const QString &name) const;
    bool unsetIsNull() const { return m_unsetIsNull; }

    // The value of a marker as it goes to the statement; throws when the
    // parameter is missing or unset and unset ones are refused.
    BoundValue valueFor(const QString &marker) const;

private:
    QList<Param> m_params;
    bool m_unsetIsNull = false;
};

} // namespace rv
