#include "AbreFormModal.h"

#include "data/Errors.h"

#include <QPointer>

namespace rv {

std::unique_ptr<QDialog> ScreenRegistry::create(const QString &kind, AppContext &ctx, QWidget *parent) const
{
    const auto it = m_factories.constFind(kind);
    if (it == m_factories.constEnd())
        throw Error(QStringLiteral("Tela não encontrada: %1").arg(kind));
    return (*it)(ctx, parent);
}

int showModalAndDestroy(std::unique_ptr<QDialog> screen)
{
    // A screen may also delete itself on closing; the guard tells.
    QPointer<QDialog> guard(screen.release());
    int result = QDialog::Rejected;
    try {
        result = guard->exec();
    } catch (...) {
        delete guard.data();
        throw;
    }
    delete guard.data();
    return result;
}

int AbreFormModal(AppContext &ctx, const QString &kind, QWidget *over)
{
    return showModalAndDestroy(ctx.screens.create(kind, ctx, over ? over : ctx.mainWindow.data()));
}

} // namespace rv
