#pragma once
// The main window: the attendant's working screen and the hub from which
// every other screen is opened.

#include "app/common/AppContext.h"

#include <QMainWindow>

namespace rv {

class TfrmPrincipal : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char *DesignedCaption = "Ravelto Moto Táxi 24 hs:";

    explicit TfrmPrincipal(AppContext &context, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();

    AppContext &m_ctx;
};

} // namespace rv
