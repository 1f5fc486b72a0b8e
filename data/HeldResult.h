#pragma once
// A result fetched whole into memory, for grids, lookup lists and filters.
//
//   HeldResult cds(conn, "cdspedidoTop5ped",
//       "select top 5 * from VW_PEDIDO_NEW where telefone like :pTelefone order by id_pedido desc",
//       {{"pTelefone", FieldKind::Integer}},
//       {col::integer("ID_PEDIDO").required(), col::fixed("SOLICITANTE", 50), ...});
//   cds.close(); cds.param(0).setAsInteger(...); cds.open();
//
// Opening an open result does nothing and keeps its rows; close then open runs
// the statement again. Declared columns must all be in the result (else the
// open fails naming the column); undeclared result columns are dropped. A
// declared calculated row number (RecNo) is the row's 1-based position under
// the current filter. Nothing is ever written back by itself: an edited cell
// is posted to the in-memory row and the after-post hook writes what it must.

#include "Connection.h"
#include "Field.h"
#include "FieldKind.h"
#include "Params.h"
#include "RowSet.h"

#include <QObject>
#include <QRegularExpression>
#include <QString>

#include <functional>

namespace rv {

struct ColumnDecl {
    QString name;
    FieldKind kind = FieldKind::Unknown;
    int size = 0;          // text width
    int precision = 0;     // decimals: digits
    int scale = 0;         // decimals: digits after the point
    bool isRequired = false;
    bool isRecNo = false;  // calculated row number
    bool isCurrency = false;

    ColumnDecl required() const { ColumnDecl c = *this; c.isRequired = true; return c; }
    ColumnDecl currency() const { ColumnDecl c = *this; c.isCurrency = true; return c; }
};

// Column declarations, named after the SQL types they stand for.
namespace col {
ColumnDecl fixed(const QString &name, int size);   // char(N)
ColumnDecl text(const QString &name, int size = 20); // varchar(N) / nvarchar(N)
ColumnDecl integer(const QString &name);
ColumnDecl smallint(const QString &name);
ColumnDecl decimal(const QString &name, int precision, int scale);
ColumnDecl money(const QString &name);              // decimal(19,4), shown as currency
ColumnDecl dateTime(const QString &name);
ColumnDecl boolean(const QString &name);
ColumnDecl blob(const QString &name);
ColumnDecl recNo(const QString &name, bool asText = false);
} // namespace col

struct ParamDecl {
    QString name;
    FieldKind kind = FieldKind::Unknown;
};

class HeldResult : public QObject {
    Q_OBJECT

public:
    HeldResult(Connection &connection, QString name, QString commandText, QList<ParamDecl> params = {},
               QList<ColumnDecl> columns = {});

    const QString &name() const { return m_name; }
    const QString &commandText() const { return m_commandText; }
    void setCommandText(const QString &text);

    ParamList &params() { return m_params; }
    const ParamList &params() const { return m_params; }
    Param &param(int index) { return m_params.at(index); }
    Param &paramByName(const QString &name) { return m_params.byName(name); }

    void open();
    void close();
    bool active() const { return m_active; }

    // Walking the rows (under the filter, in the result's order).
    int recordCount() const { return int(m_visible.size()); }
    bool isEmpty() const { return m_visible.isEmpty(); }
    int recNo() const { return m_visible.isEmpty() ? 0 : m_current + 1; } // 1-based, 0 when empty
    void setRecNo(int recNo);
    bool eof() const { return m_current >= m_visible.size(); }
    void first();
    void next();
    void last();

    Field fieldByName(const QString &name) const;           // on the current row
    Field fieldAt(int visibleRow, int column) const;
    int columnCount() const { return int(m_columns.size()); }
    int columnIndex(const QString &name) const;             // -1 when absent
    const ResultColumn &column(int index) const { return m_columns[index]; }
    const ColumnDecl *declaration(int column) const;         // nullptr for undeclared results
    bool hasDeclaredColumns() const { return !m_declared.isEmpty(); }
    const QList<ColumnDecl> &declaredColumns() const { return m_declared; }

    // First row, in the current order, whose value in the column begins with the
    // text without regard to case (numeric column: equals the number).
    bool locate(const QString &column, const QVariant &value);

    // In-memory filter of the form Upper(COLUMN) like'PATTERN%'.
    void setFilter(const QString &expression);
    const QString &filter() const { return m_filter; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // Editing a cell: the value is converted to the column's kind and posted to
    // the held row, then the after-post hook runs with the edited row current.
    void editValue(int visibleRow, int column, const QVariant &value);
    void setAfterPost(std::function<void(HeldResult &)> hook) { m_afterPost = std::move(hook); }

Q_SIGNALS:
    void aboutToChange();     // rows, columns or filter about to be replaced
    void changed();           // ... replaced
    void rowEdited(int visibleRow);
    void currentChanged(int visibleRow);

private:
    struct FilterSpec {
        int column = -1;
        QRegularExpression pattern;
    };
    FilterSpec parseFilter(const QString &expression) const;
    QList<int> visibleRows(const FilterSpec *spec) const;
    QVariant valueAt(int visibleRow, int column) const;

    Connection &m_connection;
    QString m_name;
    QString m_commandText;
    ParamList m_params{true};
    QList<ColumnDecl> m_declared;

    bool m_active = false;
    QList<ResultColumn> m_columns;
    QList<Row> m_rows;
    QList<int> m_visible;
    int m_current = 0;

    QString m_filter;
    bool m_filtered = false;
    std::function<void(HeldResult &)> m_afterPost;
};

} // namespace rv
