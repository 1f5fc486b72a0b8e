#pragma once
// Opening a screen: create it, show it modally over a window (the main window
// unless another is given) and destroy it when it closes, whatever closed it
// (its own code, the close box, Escape). Nothing of the screen survives but
// what it wrote to the database or into the window below it.
//
//   AbreFormModal(ctx, QStringLiteral("TfrmCadCliente"));   // by kind, through the registry
//   AbreFormModal<TfrmConsultaPedido>(ctx);                 // by class
//   AbreFormModal<TfrmDetalhe>(ctx, this);                  // over another screen
//
// Returns the screen's result code (QDialog::Accepted / Rejected or its own).
// An error raised while the screen is created propagates to the caller's guard.

#include "AppContext.h"

#include <QDialog>
#include <memory>

namespace rv {

int showModalAndDestroy(std::unique_ptr<QDialog> screen);

int AbreFormModal(AppContext &ctx, const QString &kind, QWidget *over = nullptr);

template <class T>
int AbreFormModal(AppContext &ctx, QWidget *over = nullptr)
{
    return showModalAndDestroy(std::unique_ptr<QDialog>(new T(ctx, over ? over : ctx.mainWindow.data())));
}

} // namespace rv
