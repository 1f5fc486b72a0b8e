#include "DatasetModel.h"
#include "Convert.h"

#include <QLocale>
#include <cmath>

namespace rv {

GridColumn gridColumn(const QString &field)
{
    GridColumn c;
    c.field = field;
    return c;
}

QString formatCurrency(double value)
{
    const qint64 cents = std::llround(value * 100.0);
    const qint64 whole = std::llabs(cents) / 100;
    const int frac = int(std::llabs(cents) % 100);
    QString digits = QString::number(whole);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char('.'));
    return QStringLiteral("%1R$ %2,%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), digits)
        .arg(frac, 2, 10, QLatin1Char('0'));
}

DatasetModel::DatasetModel(HeldResult *dataset, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)), m_allColumns(m_columns.isEmpty())
{
    setDataset(dataset);
}

void DatasetModel::setDataset(HeldResult *dataset)
{
    beginResetModel();
    for (const auto &l : std::as_const(m_links))
        disconnect(l);
    m_links.clear();
    m_dataset = dataset;
    connectDataset();
    endResetModel();
}

void DatasetModel::connectDataset()
{
    if (!m_dataset)
        return;
    m_links << connect(m_dataset, &HeldResult::aboutToChange, this, [this] { beginResetModel(); });
    m_links << connect(m_dataset, &HeldResult::changed, this, [this] { endResetModel(); });
    m_links << connect(m_dataset, &HeldResult::rowEdited, this, [this](int row) {
        if (rowCount() > 0 && columnCount() > 0)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    m_links << connect(m_dataset, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_dataset = nullptr;
        m_links.clear();
        endResetModel();
    });
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataset || !m_dataset->active())
        return 0;
    return m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (m_allColumns)
        return m_dataset ? m_dataset->columnCount() : 0;
    return int(m_columns.size());
}

int DatasetModel::sourceColumn(int column) const
{
    if (!m_dataset)
        return -1;
    if (m_allColumns)
        return column;
    return column >= 0 && column < m_columns.size() ? m_dataset->columnIndex(m_columns[column].field) : -1;
}

int DatasetModel::columnOfField(const QString &field) const
{
    if (m_allColumns)
        return m_dataset ? m_dataset->columnIndex(field) : -1;
    for (int i = 0; i < m_columns.size(); ++i)
        if (sameName(m_columns[i].field, field))
            return i;
    return -1;
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const GridColumn *spec = m_allColumns ? nullptr : &m_columns[index.column()];
    const int src = sourceColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        if (src < 0)
            return {};
        const Field f = m_dataset->fieldAt(index.row(), src);
        if (f.isNull())
            return QString();
        const ColumnDecl *decl = m_dataset->declaration(src);
        const bool currency = (spec && spec->currency) || (decl && decl->isCurrency);
        if (currency && isNumberKind(f.kind()) && role == Qt::DisplayRole)
            return formatCurrency(f.asFloat());
        return f.asString();
    }
    case Qt::TextAlignmentRole:
        return spec ? QVariant(int(spec->alignment)) : QVariant();
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        if (m_painter) {
            const QVariant painted = m_painter(*m_dataset, index.row(), role);
            if (painted.isValid())
                return painted;
        }
        if (!spec)
            return {};
        const QColor c = role == Qt::ForegroundRole ? spec->foreground : spec->background;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= columnCount())
        return {};
    if (!m_allColumns && !m_columns[section].title.isEmpty())
        return m_columns[section].title;
    if (!m_allColumns) {
        const int src = sourceColumn(section);
        if (src >= 0 && m_dataset && m_dataset->hasDeclaredColumns())
            return m_dataset->declaredColumns()[src].name;
        return m_columns[section].field;
    }
    return m_dataset ? m_dataset->column(section).name : QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_allColumns && m_columns[index.column()].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !m_dataset)
        return false;
    const int src = sourceColumn(index.column());
    if (src < 0)
        return false;
    try {
        m_dataset->editValue(index.row(), src, value);
    } catch (const std::exception &e) {
        if (!m_errorSink)
            throw;
        m_errorSink(e);
        return false;
    }
    return true;
}

} // namespace rv
