#include "StoredProc.h"
#include "RowSet.h"

namespace rv {

namespace {
bool isReturnSlot(const QString &name)
{
    return sameName(name, QStringLiteral("@RETURN_VALUE"));
}
} // namespace

StoredProc::StoredProc(Connection &connection, QString name, QString procedure, QList<ParamDecl> params)
    : m_connection(connection), m_name(std::move(name)), m_procedure(std::move(procedure))
{
    for (const ParamDecl &p : params)
        m_params.append(Param(p.name, p.kind));
}

void StoredProc::execute()
{
    QList<BoundValue> args;
    int returnSlot = -1;
    for (int i = 0; i < m_params.count(); ++i) {
        if (isReturnSlot(m_params.at(i).name())) {
            returnSlot = i;
            continue;
        }
        args.append(m_params.at(i).bound());
    }
    Connection::Result r = m_connection.callProcedure(m_procedure, args);
    m_rows = std::move(r.rows);
    if (returnSlot >= 0)
        m_params.at(returnSlot).setAsInteger(0);
}

} // namespace rv
