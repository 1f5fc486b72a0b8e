#include "Query.h"
#include "Errors.h"

namespace rv {

Field fieldOf(const RowSet &rows, int row, const QString &name, const QString &dataset)
{
    const int c = rows.indexOf(name);
    if (c < 0) {
        if (dataset.isEmpty())
            throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
        throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(dataset, name));
    }
    const QVariant v = row >= 0 && row < rows.rows.size() ? rows.rows[row][c] : QVariant();
    return Field(rows.columns[c].name, rows.columns[c].kind, v);
}

Query::Query(Connection &connection, QString name) : m_connection(connection), m_name(std::move(name)) {}

void Query::setText(const QString &text)
{
    close();
    m_text = text;
    m_params.rebuild(text.isEmpty() ? QStringList() : parseStatementText(text).markers);
    // a new text starts with no values set
    for (int i = 0; i < m_params.count(); ++i)
        m_params.at(i).unset();
}

void Query::open()
{
    close();
    Connection::Result r = m_connection.run(m_text, m_params);
    if (!r.hasRows)
        throw DatabaseError(QStringLiteral("Cursor not returned from Query"), m_text);
    m_rows = std::move(r.rows);
    m_current = 0;
    m_active = true;
}

int Query::execute()
{
    close();
    Connection::Result r = m_connection.run(m_text, m_params);
    m_rowsAffected = r.rowsAffected;
    return m_rowsAffected;
}

void Query::close()
{
    m_rows = RowSet();
    m_current = 0;
    m_active = false;
}

void Query::next()
{
    if (m_current < m_rows.rows.size())
        ++m_current;
}

Field Query::fieldByName(const QString &name) const
{
    return fieldOf(m_rows, m_current, name, m_name);
}

} // namespace rv
