#pragma once
// A table model over a held result, for the grids of the screens: one line
// per visible row in the result's order, the columns a screen lists (or every
// column), each with its title, alignment, colour and display format.

#include "HeldResult.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>

#include <functional>

namespace rv {

struct GridColumn {
    QString field;
    QString title;              // empty: the field's name
    int width = 0;              // 0: the grid's default
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor foreground;          // invalid: the grid's normal colour
    QColor background;
    bool currency = false;      // shown as "R$ 1.234,56"
    bool editable = false;
    bool readOnly = false;

    GridColumn titled(QString t) const { GridColumn c = *this; c.title = std::move(t); return c; }
    GridColumn wide(int w) const { GridColumn c = *this; c.width = w; return c; }
    GridColumn centred() const { GridColumn c = *this; c.alignment = Qt::AlignCenter; return c; }
    GridColumn coloured(QColor fg) const { GridColumn c = *this; c.foreground = fg; return c; }
    GridColumn shaded(QColor bg) const { GridColumn c = *this; c.background = bg; return c; }
    GridColumn asCurrency() const { GridColumn c = *this; c.currency = true; return c; }
    GridColumn asEditable() const { GridColumn c = *this; c.editable = true; return c; }
};

GridColumn gridColumn(const QString &field);

// Currency text in the Brazilian format: "R$ 1.234,56".
QString formatCurrency(double value);

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // No columns given: every column of the result, titled with its name.
    explicit DatasetModel(HeldResult *dataset, QList<GridColumn> columns = {}, QObject *parent = nullptr);

    HeldResult *dataset() const { return m_dataset; }
    void setDataset(HeldResult *dataset);
    const QList<GridColumn> &columns() const { return m_columns; }
    int columnOfField(const QString &field) const;

    // Per-row painting: the background of a visible row for a role, or an invalid QVariant.
    using RowPainter = std::function<QVariant(const HeldResult &, int visibleRow, int role)>;
    void setRowPainter(RowPainter painter) { m_painter = std::move(painter); }
    // Where errors of an edit go (the screen shows them); without one they are rethrown.
    void setErrorSink(std::function<void(const std::exception &)> sink) { m_errorSink = std::move(sink); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    int sourceColumn(int column) const;
    void connectDataset();

    HeldResult *m_dataset = nullptr;
    QList<GridColumn> m_columns;
    bool m_allColumns = false;
    RowPainter m_painter;
    std::function<void(const std::exception &)> m_errorSink;
    QList<QMetaObject::Connection> m_links;
};

} // namespace rv
