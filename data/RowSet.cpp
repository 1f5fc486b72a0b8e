#include "RowSet.h"

namespace rv {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int RowSet::indexOf(const QString &name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (sameName(columns[i].name, name))
            return i;
    return -1;
}

} // namespace rv
