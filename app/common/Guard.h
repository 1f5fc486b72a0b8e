#pragma once
// A handler that meets an error stops where it is, and the error is shown in
// the program's error box; what already ran stays done and the program goes on.
//
//   connectGuarded(btnRegistraPD, &QPushButton::clicked, this, messages, [this] { btnRegistraPDClick(); });

#include "MessageService.h"
#include "data/Errors.h"

#include <QObject>
#include <exception>

namespace rv {

template <class F>
void guarded(MessageService &messages, F &&handler)
{
    try {
        handler();
    } catch (const Error &e) {
        messages.error(e.text());
    } catch (const std::exception &e) {
        messages.error(QString::fromUtf8(e.what()));
    }
}

template <class Sender, class Signal, class F>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, QObject *context, MessageService &messages,
                                       F handler)
{
    return QObject::connect(sender, signal, context, [&messages, handler]() { guarded(messages, handler); });
}

} // namespace rv
