#pragma once
// Every message box and confirmation of the program goes through one service,
// so that tests can answer them and nothing blocks offscreen.

#include <QString>
#include <QStringList>

namespace rv {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButton { Ok, Yes, No, Cancel };

struct MessageRequest {
    MessageIcon icon = MessageIcon::Information;
    QString title;  // empty: the application's title, "Ravelto"
    QString text;
    QList<MessageButton> buttons{MessageButton::Ok};
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Show the message and return the button chosen.
    virtual MessageButton ask(const MessageRequest &request) = 0;

    // The program's error box: title "Ravelto", error icon, OK; a full stop is
    // added when the text ends in a character after '.' (a letter or a digit).
    void error(const QString &text);
    // Information with one OK button ("Seja bem vindo").
    void information(const QString &text, const QString &title = {});
    // A warning with one OK button.
    void warning(const QString &text, const QString &title = {});
    // A warning with one Yes button ("Nome do logradouro invalido").
    void warningYes(const QString &text, const QString &title = {});
    // A Yes/No question; true for Yes.
    bool confirm(const QString &text, const QString &title = {}, MessageIcon icon = MessageIcon::Question);

    static QString applicationTitle() { return QStringLiteral("Ravelto"); }
    // The text the error box shows for an error text.
    static QString errorBoxText(const QString &text);
};

// Real message boxes.
class QtMessageService final : public MessageService {
public:
    MessageButton ask(const MessageRequest &request) override;
};

} // namespace rv
