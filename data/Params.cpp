#include "Params.h"
#include "Errors.h"
#include "RowSet.h"

namespace rv {

void Param::assign(FieldKind kind, QVariant v)
{
    m_kind = kind;
    m_value = std::move(v);
    m_set = true;
}

void Param::clear()
{
    m_value = QVariant();
    m_set = true;
}

void Param::unset()
{
    m_value = QVariant();
    m_set = false;
}

void ParamList::rebuild(const QStringList &names)
{
    QList<Param> next;
    for (const QString &n : names) {
        const Param *old = find(n);
        next.append(old ? *old : Param(n));
    }
    m_params = std::move(next);
}

Param &ParamList::at(int index)
{
    if (index < 0 || index >= m_params.size())
        throw DatabaseError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_params[index];
}

const Param &ParamList::at(int index) const
{
    return const_cast<ParamList *>(this)->at(index);
}

const Param *ParamList::find(const QString &name) const
{
    for (const Param &p : m_params)
        if (sameName(p.name(), name))
            return &p;
    return nullptr;
}

Param &ParamList::byName(const QString &name)
{
    for (Param &p : m_params)
        if (sameName(p.name(), name))
            return p;
    throw DatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
}

BoundValue ParamList::valueFor(const QString &marker) const
{
    const Param *p = find(marker);
    if (!p)
        throw DatabaseError(QStringLiteral("Parameter '%1' not found").arg(marker));
    if (!p->isSet() && !m_unsetIsNull)
        throw DatabaseError(QStringLiteral("No value for parameter '%1'").arg(p->name()));
    return p->bound();
}

} // namespace rv
