#pragma once
// The message service of screen tests: every message box the program asks for
// is recorded (icon, title, text, buttons) and answered from a queue of
// expectations the test sets beforehand. A message nobody expected fails the
// test (and is answered with its last button, as a close box would); an
// expectation that no message met fails it at verify().
//
//   messages.expect("Fechar pedido ?", MessageButton::Yes);
//   messages.expectError("'' is not a valid integer value");   // the error box
//   click(btnRegistraPD);
//   messages.verify();

#include "app/common/MessageService.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace rv::test {

struct ExpectedMessage {
    std::optional<MessageIcon> icon;
    std::optional<QString> title;
    std::optional<QString> text;
    std::optional<QList<MessageButton>> buttons;
    MessageButton answer = MessageButton::Ok;
};

class ScriptedMessages final : public MessageService {
public:
    // The next message has this text (any icon, title and buttons).
    ScriptedMessages &expect(const QString &text, MessageButton answer = MessageButton::Ok);
    // ... and this icon.
    ScriptedMessages &expect(MessageIcon icon, const QString &text, MessageButton answer = MessageButton::Ok);
    // The program's error box for an error text: error icon, "Ravelto", OK,
    // the text as the box shows it (with its full stop where one is added).
    ScriptedMessages &expectError(const QString &errorText);
    // Anything checked field by field.
    ScriptedMessages &expect(ExpectedMessage expected);

    MessageButton ask(const MessageRequest &request) override;

    const QList<MessageRequest> &requests() const { return m_requests; }
    QStringList texts() const;
    qsizetype pending() const { return m_expected.size(); }
    // Fails the test for every expectation still waiting, then forgets them.
    void verify();
    void clear();

    static QString describe(const MessageRequest &request);

private:
    QList<ExpectedMessage> m_expected;
    QList<MessageRequest> m_requests;
};

} // namespace rv::test
