#pragma once
// Qt values as failure messages show them: a QString as its text in quotes
// rather than as a list of UTF-16 code units.

#include <QString>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QVariant &value, std::ostream *os)
{
    *os << "QVariant(" << value.typeName() << ", \"" << value.toString().toStdString() << "\")";
}
