#pragma once
// A grid over a held result: one line per visible row, the columns a screen
// lists with their titles and widths, the current line following the held
// result's current row and the other way round. Errors of an edited cell go
// to the program's error box; the edit is not posted.
//
//   grdPedido = new DatasetGrid(ctx.messages, this);
//   grdPedido->setObjectName("grdPedido");
//   grdPedido->bind(&dm.cdspedidoTop5ped, {gridColumn("ID_MOTOQUEIRO").titled("Moto").wide(70).centred(), ...});

#include "MessageService.h"
#include "data/DatasetModel.h"

#include <QTableView>

namespace rv {

class DatasetGrid : public QTableView {
    Q_OBJECT

public:
    explicit DatasetGrid(MessageService &messages, QWidget *parent = nullptr);

    // No columns: every column of the result. Editable only where a column says so.
    void bind(HeldResult *dataset, QList<GridColumn> columns = {});
    DatasetModel *datasetModel() const { return m_model; }
    HeldResult *dataset() const { return m_model ? m_model->dataset() : nullptr; }

private:
    void applyWidths();
    void followDataset(int visibleRow);

    MessageService &m_messages;
    DatasetModel *m_model = nullptr;
    QList<QMetaObject::Connection> m_links;
};

} // namespace rv
