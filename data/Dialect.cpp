#include "Dialect.h"
#include "Errors.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QTimeZone>

namespace rv {

std::unique_ptr<Dialect> Dialect::forBackend(Backend backend)
{
    if (backend == Backend::SQLite)
        return std::make_unique<SqliteDialect>();
    return std::make_unique<PostgresDialect>();
}

QVariant Dialect::driverValue(const BoundValue &value) const
{
    if (value.isNull())
        return QVariant();
    switch (value.kind) {
    case FieldKind::Text:
    case FieldKind::FixedText:
        return QVariant(value.value.toString());
    case FieldKind::Integer:
    case FieldKind::SmallInt:
        return QVariant(value.value.toLongLong());
    case FieldKind::Currency:
    case FieldKind::Decimal:
    case FieldKind::Float:
        return QVariant(value.value.toDouble());
    case FieldKind::Boolean:
        return QVariant(value.value.toBool());
    case FieldKind::DateTime:
        // Both backends store local time; bound as text so no zone shift applies.
        return QVariant(value.value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    case FieldKind::Blob:
        return QVariant(value.value.toByteArray());
    case FieldKind::Unknown:
        break;
    }
    if (value.value.typeId() == QMetaType::QDateTime)
        return QVariant(value.value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return value.value;
}

QString replacePlaceholders(const QString &sql, const std::function<QString(int)> &replacement)
{
    QString out;
    out.reserve(sql.size() + 16);
    int index = 0;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            out.append(c);
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            out.append(c);
            continue;
        }
        if (c == QLatin1Char('?')) {
            out.append(replacement(index++));
            continue;
        }
        out.append(c);
    }
    return out;
}

// ---------------------------------------------------------------- SQLite

void SqliteDialect::configure(QSqlDatabase &db, const ConnectionSettings &settings) const
{
    db.setDatabaseName(settings.sqliteFile());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
}

QStringList SqliteDialect::sessionSetup(const ConnectionSettings &) const
{
    return {QStringLiteral("PRAGMA foreign_keys = ON")};
}

QVariant SqliteDialect::driverValue(const BoundValue &value) const
{
    if (!value.isNull() && value.kind == FieldKind::Boolean)
        return QVariant(qlonglong(value.value.toBool() ? 1 : 0));
    return Dialect::driverValue(value);
}

void SqliteDialect::learnResultKinds(QSqlDatabase &db, const QString &sql)
{
    if (m_kinds.contains(sql))
        return;
    QList<FieldKind> kinds;
    static const QRegularExpression selectStart(QStringLiteral("^\\s*(select|with)\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (selectStart.match(sql).hasMatch()) {
        const QString probe = replacePlaceholders(sql, [](int) { return QStringLiteral("NULL"); });
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("CREATE TEMP VIEW rv_result_probe AS ") + probe)) {
            if (q.exec(QStringLiteral("PRAGMA temp.table_info(rv_result_probe)")))
                while (q.next())
                    kinds << kindFromTypeName(q.value(2).toString());
            q.exec(QStringLiteral("DROP VIEW temp.rv_result_probe"));
        }
    }
    m_kinds.insert(sql, kinds);
}

QList<FieldKind> SqliteDialect::resultKinds(QSqlDatabase &, const QString &sql, const QSqlRecord &record)
{
    const auto it = m_kinds.constFind(sql);
    if (it != m_kinds.constEnd() && it->size() == record.count())
        return *it;
    return QList<FieldKind>(record.count(), FieldKind::Unknown);
}

// ---------------------------------------------------------------- PostgreSQL

namespace {

const QStringList &knownSettingKeys()
{
    static const QStringList keys = {
        QStringLiteral("DriverName"), QStringLiteral("HostName"), QStringLiteral("Database"),
        QStringLiteral("User_Name"), QStringLiteral("Password"), QStringLiteral("Port"),
        QStringLiteral("Schema"),
        // values of the original connection entry that mean nothing here
        QStringLiteral("OS Authentication"), QStringLiteral("MSSQL TransIsolation"),
        QStringLiteral("Prepare SQL"), QStringLiteral("BlobSize"), QStringLiteral("SchemaOverride"),
        QStringLiteral("GetDriverFunc"), QStringLiteral("LibraryName"), QStringLiteral("VendorLib"),
        QStringLiteral("LocaleCode"), QStringLiteral("ErrorResourceFile"), QStringLiteral("Mars_Connection"),
    };
    return keys;
}

QString quotedLiteral(QString s)
{
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString quotedIdentifier(QString s)
{
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

} // namespace

void PostgresDialect::configure(QSqlDatabase &db, const ConnectionSettings &settings) const
{
    db.setHostName(settings.value(QStringLiteral("HostName")));
    db.setDatabaseName(settings.value(QStringLiteral("Database")));
    db.setUserName(settings.value(QStringLiteral("User_Name")));
    db.setPassword(settings.value(QStringLiteral("Password")));
    const QString port = settings.value(QStringLiteral("Port"));
    if (!port.isEmpty())
        db.setPort(port.toInt());
    QStringList options;
    bool timeout = false;
    for (const auto &pair : settings.pairs()) {
        bool known = false;
        for (const QString &k : knownSettingKeys())
            if (pair.first.compare(k, Qt::CaseInsensitive) == 0)
                known = true;
        if (known)
            continue;
        if (pair.first.compare(QLatin1String("connect_timeout"), Qt::CaseInsensitive) == 0)
            timeout = true;
        options << pair.first + QLatin1Char('=') + pair.second;
    }
    if (!timeout)
        options << QStringLiteral("connect_timeout=5");
    db.setConnectOptions(options.join(QLatin1Char(';')));
}

QStringList PostgresDialect::sessionSetup(const ConnectionSettings &settings) const
{
    QStringList setup{QStringLiteral("SET client_min_messages TO warning")};
    // Registration times are stamped in the attendant's local time.
    const QByteArray zone = QTimeZone::systemTimeZoneId();
    static const QRegularExpression safeZone(QStringLiteral("^[A-Za-z0-9_/+-]+$"));
    const int offset = QDateTime::currentDateTime().offsetFromUtc();
    const QString offsetText = QStringLiteral("%1%2:%3")
                                   .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                   .arg(qAbs(offset) / 3600, 2, 10, QLatin1Char('0'))
                                   .arg((qAbs(offset) % 3600) / 60, 2, 10, QLatin1Char('0'));
    if (!zone.isEmpty() && safeZone.match(QString::fromLatin1(zone)).hasMatch())
        setup << QStringLiteral("SET TIME ZONE %1").arg(quotedLiteral(QString::fromLatin1(zone)));
    else
        setup << QStringLiteral("SET TIME ZONE INTERVAL %1 HOUR TO MINUTE").arg(quotedLiteral(offsetText));
    const QString schema = settings.value(QStringLiteral("Schema"));
    if (!schema.isEmpty())
        setup << QStringLiteral("SET search_path TO %1, public").arg(quotedIdentifier(schema));
    return setup;
}

QList<FieldKind> PostgresDialect::resultKinds(QSqlDatabase &, const QString &, const QSqlRecord &record)
{
    QList<FieldKind> kinds;
    kinds.reserve(record.count());
    for (int i = 0; i < record.count(); ++i) {
        switch (record.field(i).metaType().id()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UInt:
            kinds << FieldKind::Integer;
            break;
        case QMetaType::Double:
            kinds << FieldKind::Decimal;
            break;
        case QMetaType::QDateTime:
        case QMetaType::QDate:
            kinds << FieldKind::DateTime;
            break;
        case QMetaType::Bool:
            kinds << FieldKind::Boolean;
            break;
        case QMetaType::QByteArray:
            kinds << FieldKind::Blob;
            break;
        case QMetaType::QString:
            kinds << FieldKind::Text;
            break;
        default:
            kinds << FieldKind::Unknown;
        }
    }
    return kinds;
}

void PostgresDialect::adaptTextToNumber(QSqlDatabase &db, const QString &sqlNumbered, QList<BoundValue> &values)
{
    bool needed = false;
    for (const BoundValue &v : values)
        if (v.kind == FieldKind::Text && !v.isNull() && v.value.toString().trimmed().isEmpty())
            needed = true;
    if (!needed)
        return;
    auto it = m_paramTypes.find(sqlNumbered);
    if (it == m_paramTypes.end()) {
        QStringList types;
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("PREPARE rv_parameter_probe AS ") + sqlNumbered)) {
            if (q.exec(QStringLiteral("SELECT unnest(parameter_types)::text FROM pg_prepared_statements "
                                      "WHERE name = 'rv_parameter_probe'")))
                while (q.next())
                    types << q.value(0).toString();
            q.exec(QStringLiteral("DEALLOCATE rv_parameter_probe"));
        }
        it = m_paramTypes.insert(sqlNumbered, types);
    }
    static const QStringList numeric = {QStringLiteral("smallint"), QStringLiteral("integer"),
                                        QStringLiteral("bigint"), QStringLiteral("numeric"),
                                        QStringLiteral("real"), QStringLiteral("double precision"),
                                        QStringLiteral("money")};
    for (int i = 0; i < values.size() && i < it->size(); ++i) {
        BoundValue &v = values[i];
        if (v.kind == FieldKind::Text && !v.isNull() && v.value.toString().trimmed().isEmpty()
            && numeric.contains(it->at(i)))
            v = BoundValue{FieldKind::Integer, QVariant(qlonglong(0))};
    }
}

} // namespace rv
