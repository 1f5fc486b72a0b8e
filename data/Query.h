#pragma once
// A query whose text a screen sets at run time and reads row by row.
//
//   Query &q = dm.QryConsultaCliente;
//   q.close();
//   q.setText("select * from VW_CONSULTA_CLIENTE_TEL where fone= :Pfone");
//   q.paramByName("Pfone").setAsString(edtTelefone->text());
//   q.open();
//   if (!q.isEmpty()) name = q.fieldByName("nome").asString();
//
// The parameters come from the text's markers; one left unset refuses the
// statement before it is sent, naming it.

#include "Connection.h"
#include "Field.h"
#include "Params.h"
#include "RowSet.h"

#include <QString>

namespace rv {

class Query {
public:
    Query(Connection &connection, QString name = {});

    const QString &name() const { return m_name; }

    // Replace the whole text; parameters are derived from its markers.
    void setText(const QString &text);
    void clearText() { setText(QString()); }
    const QString &text() const { return m_text; }

    Param &paramByName(const QString &name) { return m_params.byName(name); }
    ParamList &params() { return m_params; }

    // Run a statement that returns rows and stand on the first row.
    void open();
    // Run a statement that returns no rows; the rows affected.
    int execute();
    void close();

    bool active() const { return m_active; }
    bool isEmpty() const { return m_rows.rows.isEmpty(); }
    bool eof() const { return m_current >= m_rows.rows.size(); }
    void first() { m_current = 0; }
    void next();
    int recordCount() const { return int(m_rows.rows.size()); }
    int rowsAffected() const { return m_rowsAffected; }

    Field fieldByName(const QString &name) const;
    const RowSet &rows() const { return m_rows; }

private:
    Connection &m_connection;
    QString m_name;
    QString m_text;
    ParamList m_params{false};
    RowSet m_rows;
    int m_current = 0;
    int m_rowsAffected = 0;
    bool m_active = false;
};

// A field of a row set by name; throws "Field 'X' not found".
Field fieldOf(const RowSet &rows, int row, const QString &name, const QString &dataset = {});

} // namespace rv
