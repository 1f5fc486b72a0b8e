#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace rv {

QString MessageService::errorBoxText(const QString &text)
{
    if (!text.isEmpty() && text.at(text.size() - 1) > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void MessageService::error(const QString &text)
{
    ask({MessageIcon::Error, applicationTitle(), errorBoxText(text), {MessageButton::Ok}});
}

void MessageService::information(const QString &text, const QString &title)
{
    ask({MessageIcon::Information, title.isEmpty() ? applicationTitle() : title, text, {MessageButton::Ok}});
}

void MessageService::warning(const QString &text, const QString &title)
{
    ask({MessageIcon::Warning, title.isEmpty() ? applicationTitle() : title, text, {MessageButton::Ok}});
}

void MessageService::warningYes(const QString &text, const QString &title)
{
    ask({MessageIcon::Warning, title.isEmpty() ? applicationTitle() : title, text, {MessageButton::Yes}});
}

bool MessageService::confirm(const QString &text, const QString &title, MessageIcon icon)
{
    return ask({icon, title.isEmpty() ? applicationTitle() : title, text, {MessageButton::Yes, MessageButton::No}})
        == MessageButton::Yes;
}

MessageButton QtMessageService::ask(const MessageRequest &request)
{
    QMessageBox box(QApplication::activeWindow());
    switch (request.icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    box.setWindowTitle(request.title.isEmpty() ? applicationTitle() : request.title);
    // Texts separate their lines with carriage returns.
    QString shown = request.text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    QHash<QAbstractButton *, MessageButton> buttons;
    for (MessageButton b : request.buttons) {
        QAbstractButton *button = nullptr;
        switch (b) {
        case MessageButton::Ok: button = box.addButton(QMessageBox::Ok); break;
        case MessageButton::Yes: button = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole); break;
        case MessageButton::No: button = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole); break;
        case MessageButton::Cancel: button = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole); break;
        }
        buttons.insert(button, b);
    }
    box.exec();
    const auto it = buttons.constFind(box.clickedButton());
    if (it != buttons.constEnd())
        return *it;
    // closed without a button: the last one (No, or the only OK)
    return request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.last();
}

} // namespace rv
