#pragma once
// Screens by kind name ("TfrmCadCliente"): the shell registers a factory for
// every screen, so that a screen can open another one without depending on
// the library that holds it.
//
//   ctx.screens.add<TfrmCadCliente>("TfrmCadCliente");   // in the shell
//   AbreFormModal(ctx, "TfrmCadCliente");                // anywhere

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace rv {

class AppContext;

class ScreenRegistry {
public:
    // Creates the screen as a child window of parent.
    using Factory = std::function<std::unique_ptr<QDialog>(AppContext &, QWidget *parent)>;

    void add(const QString &kind, Factory factory) { m_factories.insert(kind, std::move(factory)); }
    // A screen class constructed as T(AppContext &, QWidget *parent).
    template <class T>
    void add(const QString &kind)
    {
        add(kind, [](AppContext &ctx, QWidget *parent) { return std::unique_ptr<QDialog>(new T(ctx, parent)); });
    }

    bool contains(const QString &kind) const { return m_factories.contains(kind); }
    QStringList kinds() const { return m_factories.keys(); }

    // Throws Error when no screen of that kind is registered.
    std::unique_ptr<QDialog> create(const QString &kind, AppContext &ctx, QWidget *parent) const;

private:
    QHash<QString, Factory> m_factories;
};

} // namespace rv
