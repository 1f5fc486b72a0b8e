#include "KeyRules.h"

#include "Guard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace rv {

namespace {

bool isDigits(const QString &text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// Keys from Escape on (Tab, Backspace, Return, Delete, arrows, F-keys...) edit
// or navigate; they type no character.
bool isSpecialKey(int key)
{
    return key >= Qt::Key_Escape && key < Qt::Key_unknown;
}

class DigitsFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (isSpecialKey(key->key()) || (key->modifiers() & Qt::AltModifier))
                return false; // Backspace, editing and navigation keys; accelerators
            if (key->modifiers() & Qt::ControlModifier)
                return true;  // Ctrl with a character key types a control character
            return !isDigits(key->text());
        }
        if (event->type() == QEvent::InputMethod) {
            auto *im = static_cast<QInputMethodEvent *>(event);
            return !isDigits(im->commitString());
        }
        return false;
    }
};

class UpperCaseFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_resending)
            return false;
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            const QString upper = key->text().toUpper();
            if (upper == key->text())
                return false;
            QKeyEvent again(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                            key->nativeVirtualKey(), key->nativeModifiers(), upper, key->isAutoRepeat(),
                            key->count());
            resend(watched, &again);
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            auto *im = static_cast<QInputMethodEvent *>(event);
            const QString upper = im->commitString().toUpper();
            if (upper == im->commitString())
                return false;
            QInputMethodEvent again(im->preeditString(), im->attributes());
            again.setCommitString(upper, im->replacementStart(), im->replacementLength());
            resend(watched, &again);
            return true;
        }
        return false;
    }

private:
    void resend(QObject *to, QEvent *event)
    {
        m_resending = true;
        QCoreApplication::sendEvent(to, event);
        m_resending = false;
    }
    bool m_resending = false;
};

// Sees the key events of the whole application and takes Enter when it is
// meant for a widget of its form's window.
class EnterAsTab : public QObject {
public:
    explicit EnterAsTab(QWidget *form) : QObject(form), m_form(form)
    {
        setObjectName(QLatin1String(Name));
        qApp->installEventFilter(this);
    }
    static constexpr const char *Name = "rvEnterAsTab";

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        auto *w = static_cast<QWidget *>(watched);
        QWidget *window = m_form->window();
        if (w != window && !window->isAncestorOf(w))
            return false;
        focusNextField(m_form);
        return true;
    }

private:
    QWidget *m_form;
};

QWidget *deepestFocusProxy(QWidget *w)
{
    while (w->focusProxy())
        w = w->focusProxy();
    return w;
}

class LeaveAction : public QObject {
public:
    LeaveAction(QWidget *field, MessageService &messages, std::function<void()> action)
        : QObject(field), m_field(field), m_messages(messages), m_action(std::move(action)),
          m_inside(field->hasFocus())
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_field)
            return false;
        if (event->type() == QEvent::FocusIn) {
            m_inside = true;
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            // Another window taking the focus for a while is not a leave.
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
                || reason == Qt::MenuBarFocusReason)
                return false;
            if (!m_inside || !m_field->window()->isVisible())
                return false;
            m_inside = false;
            guarded(m_messages, m_action);
        }
        return false;
    }

private:
    QWidget *m_field;
    MessageService &m_messages;
    std::function<void()> m_action;
    bool m_inside;
};

} // namespace

void SomenteDigitos(QWidget *field)
{
    field->installEventFilter(new DigitsFilter(field));
}

void forceUpperCase(QWidget *field)
{
    field->installEventFilter(new UpperCaseFilter(field));
}

QString upperCaseAZ(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return result;
}

void installEnterAsTab(QWidget *form)
{
    if (!form->findChild<QObject *>(QLatin1String(EnterAsTab::Name), Qt::FindDirectChildrenOnly))
        new EnterAsTab(form);
}

void focusNextField(QWidget *form)
{
    QWidget *window = form->window();
    QWidget *current = window->focusWidget();
    if (!current)
        current = window;
    for (QWidget *test = current->nextInFocusChain(); test && test != current; test = test->nextInFocusChain()) {
        if (test == window || !window->isAncestorOf(test))
            continue;
        QWidget *target = deepestFocusProxy(test);
        // The inner part of a compound control (the edit of a combo box) is
        // reached through the control itself.
        if (target != test && target->isAncestorOf(test))
            continue;
        if (target == current)
            continue;
        if (!target->isEnabled() || !(target->focusPolicy() & Qt::TabFocus))
            continue;
        if (!test->isVisibleTo(window) || !test->isEnabled())
            continue;
        test->setFocus(Qt::TabFocusReason);
        return;
    }
}

void onLeave(QWidget *field, MessageService &messages, std::function<void()> action)
{
    new LeaveAction(field, messages, std::move(action));
}

} // namespace rv
