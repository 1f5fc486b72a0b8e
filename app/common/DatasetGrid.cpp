#include "DatasetGrid.h"

#include "data/Errors.h"

#include <QHeaderView>

namespace rv {

DatasetGrid::DatasetGrid(MessageService &messages, QWidget *parent) : QTableView(parent), m_messages(messages)
{
    verticalHeader()->setDefaultSectionSize(verticalHeader()->minimumSectionSize() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DatasetGrid::bind(HeldResult *dataset, QList<GridColumn> columns)
{
    for (const auto &l : std::as_const(m_links))
        disconnect(l);
    m_links.clear();
    delete m_model;

    bool editable = false;
    for (const GridColumn &c : std::as_const(columns))
        editable = editable || c.editable;
    m_model = new DatasetModel(dataset, std::move(columns), this);
    m_model->setErrorSink([this](const std::exception &e) {
        if (const auto *error = dynamic_cast<const Error *>(&e))
            m_messages.error(error->text());
        else
            m_messages.error(QString::fromUtf8(e.what()));
    });
    setModel(m_model);
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed
                             : QAbstractItemView::NoEditTriggers);
    applyWidths();

    m_links << connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        if (HeldResult *d = this->dataset(); d && d->recordCount() > 0)
            followDataset(d->recNo() - 1);
    });
    m_links << connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                       [this](const QModelIndex &current) {
                           HeldResult *d = this->dataset();
                           if (d && current.isValid() && d->recNo() != current.row() + 1)
                               d->setRecNo(current.row() + 1);
                       });
    if (dataset)
        m_links << connect(dataset, &HeldResult::currentChanged, this, &DatasetGrid::followDataset);
}

void DatasetGrid::applyWidths()
{
    if (!m_model)
        return;
    const QList<GridColumn> &columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].width > 0)
            setColumnWidth(i, columns[i].width);
}

void DatasetGrid::followDataset(int visibleRow)
{
    if (!m_model || visibleRow < 0 || visibleRow >= m_model->rowCount())
        return;
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == visibleRow)
        return;
    setCurrentIndex(m_model->index(visibleRow, current.isValid() ? current.column() : 0));
}

} // namespace rv
