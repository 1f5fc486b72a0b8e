#pragma once
// A declared procedure call: parameters by position as the server declares
// them, the return-value slot first where the procedure has one.
//
//   StoredProc procBairroIns(conn, "procBairroIns", "proc_cad_bairro",
//       {{"@RETURN_VALUE", FieldKind::Integer}, {"@bairro", FieldKind::Text}, {"@ponto", FieldKind::Text}});
//   procBairroIns.paramByName("@bairro").setAsString(edtBairro->text());
//   procBairroIns.execute();
//
// A parameter nothing sets goes as NULL.

#include "Connection.h"
#include "HeldResult.h"
#include "Params.h"

namespace rv {

class StoredProc {
public:
    StoredProc(Connection &connection, QString name, QString procedure, QList<ParamDecl> params);

    const QString &name() const { return m_name; }
    const QString &procedure() const { return m_procedure; }
    Param &param(int index) { return m_params.at(index); }
    Param &paramByName(const QString &name) { return m_params.byName(name); }
    ParamList &params() { return m_params; }

    // Run the procedure; the rows it returned, if any, stay readable.
    void execute();
    const RowSet &rows() const { return m_rows; }

private:
    Connection &m_connection;
    QString m_name;
    QString m_procedure;
    ParamList m_params{true};
    RowSet m_rows;
};

} // namespace rv
