#include "ScriptedMessages.h"

#include <gtest/gtest.h>

namespace rv::test {

namespace {

QString iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None: return QStringLiteral("none");
    case MessageIcon::Information: return QStringLiteral("information");
    case MessageIcon::Warning: return QStringLiteral("warning");
    case MessageIcon::Error: return QStringLiteral("error");
    case MessageIcon::Question: return QStringLiteral("question");
    }
    return {};
}

QString buttonName(MessageButton b)
{
    switch (b) {
    case MessageButton::Ok: return QStringLiteral("Ok");
    case MessageButton::Yes: return QStringLiteral("Yes");
    case MessageButton::No: return QStringLiteral("No");
    case MessageButton::Cancel: return QStringLiteral("Cancel");
    }
    return {};
}

QString visible(QString text)
{
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return text;
}

} // namespace

QString ScriptedMessages::describe(const MessageRequest &request)
{
    QStringList buttons;
    for (MessageButton b : request.buttons)
        buttons << buttonName(b);
    return QStringLiteral("[%1] \"%2\": \"%3\" (%4)")
        .arg(iconName(request.icon), request.title, visible(request.text), buttons.join(QLatin1Char('/')));
}

ScriptedMessages &ScriptedMessages::expect(const QString &text, MessageButton answer)
{
    ExpectedMessage e;
    e.text = text;
    e.answer = answer;
    return expect(std::move(e));
}

ScriptedMessages &ScriptedMessages::expect(MessageIcon icon, const QString &text, MessageButton answer)
{
    ExpectedMessage e;
    e.icon = icon;
    e.text = text;
    e.answer = answer;
    return expect(std::move(e));
}

ScriptedMessages &ScriptedMessages::expectError(const QString &errorText)
{
    ExpectedMessage e;
    e.icon = MessageIcon::Error;
    e.title = applicationTitle();
    e.text = errorBoxText(errorText);
    e.buttons = QList<MessageButton>{MessageButton::Ok};
    return expect(std::move(e));
}

ScriptedMessages &ScriptedMessages::expect(ExpectedMessage expected)
{
    m_expected.append(std::move(expected));
    return *this;
}

MessageButton ScriptedMessages::ask(const MessageRequest &request)
{
    m_requests.append(request);
    const MessageButton closeBox = request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.last();
    if (m_expected.isEmpty()) {
        ADD_FAILURE() << "unexpected message " << describe(request).toStdString();
        return closeBox;
    }
    const ExpectedMessage e = m_expected.takeFirst();
    bool ok = true;
    if (e.icon && *e.icon != request.icon)
        ok = false;
    if (e.title && *e.title != request.title)
        ok = false;
    if (e.text && *e.text != request.text)
        ok = false;
    if (e.buttons && *e.buttons != request.buttons)
        ok = false;
    if (!ok) {
        MessageRequest wanted{e.icon.value_or(request.icon), e.title.value_or(request.title),
                              e.text.value_or(request.text), e.buttons.value_or(request.buttons)};
        ADD_FAILURE() << "message " << describe(request).toStdString() << "\n  expected "
                      << describe(wanted).toStdString();
    }
    if (!request.buttons.isEmpty() && !request.buttons.contains(e.answer)) {
        ADD_FAILURE() << "answer " << buttonName(e.answer).toStdString() << " is not offered by "
                      << describe(request).toStdString();
        return closeBox;
    }
    return e.answer;
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    for (const MessageRequest &r : m_requests)
        result << r.text;
    return result;
}

void ScriptedMessages::verify()
{
    for (const ExpectedMessage &e : std::as_const(m_expected))
        ADD_FAILURE() << "expected message never came: \"" << visible(e.text.value_or(QStringLiteral("<any>"))).toStdString()
                      << "\"";
    m_expected.clear();
}

void ScriptedMessages::clear()
{
    m_expected.clear();
    m_requests.clear();
}

} // namespace rv::test
