#include "ContractDatabase.h"

#include "db/Contract.h"
#include "db/Database.h"

namespace rv::test {

ContractDatabase::ContractDatabase(Backend backend) : m_database(backend)
{
    m_connection = std::make_unique<Connection>(m_database.settings(), &db::contractProcedures());
    db::createSchema(*m_connection);
}

ContractDatabase::~ContractDatabase() = default;

void ContractDatabase::exec(const QString &sql, const QVariantList &args)
{
    m_connection->serverExec(sql, args);
}

QVariant ContractDatabase::scalar(const QString &sql, const QVariantList &args)
{
    const RowSet rs = m_connection->serverQuery(sql, args);
    return rs.rows.isEmpty() ? QVariant() : rs.rows.first().value(0);
}

qint64 ContractDatabase::count(const QString &table)
{
    return scalar(QStringLiteral("select count(*) from %1").arg(table)).toLongLong();
}

RowSet ContractDatabase::open(const QString &text, const QList<QPair<QString, QVariant>> &params)
{
    Query q(*m_connection);
    q.setText(text);
    for (const auto &p : params) {
        Param &param = q.paramByName(p.first);
        switch (p.second.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
            param.setAsInteger(p.second.toLongLong());
            break;
        case QMetaType::Double:
            param.setAsFloat(p.second.toDouble());
            break;
        default:
            if (p.second.isValid())
                param.setAsString(p.second.toString());
            else
                param.clear();
        }
    }
    q.open();
    return q.rows();
}

} // namespace rv::test
