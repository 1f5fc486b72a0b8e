#include "Ui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace rv::test {

void uiFailure(const QString &what)
{
    throw std::runtime_error(what.toStdString());
}

void showWindow(QWidget *window)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        uiFailure(QStringLiteral("window %1 did not become active").arg(window->objectName()));
}

QWidget *focused()
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        uiFailure(QStringLiteral("no widget has the focus"));
    return w;
}

void focus(QWidget *widget)
{
    if (!widget->isVisible() || !widget->isEnabled())
        uiFailure(QStringLiteral("%1 cannot take the focus (hidden or disabled)").arg(widget->objectName()));
    if (!widget->window()->isActiveWindow())
        showWindow(widget->window());
    widget->setFocus(Qt::MouseFocusReason);
    if (!widget->hasFocus())
        uiFailure(QStringLiteral("%1 did not take the focus").arg(widget->objectName()));
}

void type(QWidget *widget, const QString &text)
{
    if (!widget->hasFocus())
        focus(widget);
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
            continue;
        }
        // Letters beyond ASCII: Latin-1 ones have their own key codes.
        const QChar upper = c.toUpper();
        const Qt::Key key = upper.unicode() <= 0xff ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), key, modifiers);
}

void erase(QWidget *widget)
{
    auto *edit = qobject_cast<QLineEdit *>(widget);
    if (!edit)
        uiFailure(QStringLiteral("%1 is not an edit").arg(widget->objectName()));
    if (!edit->hasFocus())
        focus(edit);
    edit->end(false);
    for (qsizetype n = edit->text().size(); n > 0; --n)
        QTest::keyClick(edit, Qt::Key_Backspace);
}

void click(QAbstractButton *button)
{
    if (!button->isVisible() || !button->isEnabled())
        uiFailure(QStringLiteral("button %1 cannot be clicked (hidden or disabled)").arg(button->objectName()));
    if (!button->window()->isActiveWindow())
        showWindow(button->window());
    // The press moves the focus, so the leave action of the field runs first.
    if (button->focusPolicy() & Qt::ClickFocus)
        button->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void clickItem(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    if (!item || !list->isVisible())
        uiFailure(QStringLiteral("list %1 shows no entry %2").arg(list->objectName()).arg(row));
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    if (list->focusPolicy() & Qt::ClickFocus)
        list->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

bool isOfClass(const QObject *object, const QString &className)
{
    for (const QMetaObject *m = object->metaObject(); m; m = m->superClass()) {
        const QString name = QString::fromLatin1(m->className());
        if (name == className || name.section(QStringLiteral("::"), -1) == className)
            return true;
    }
    return false;
}

void onModal(const QString &className, std::function<void(QDialog &)> act, int timeoutMs)
{
    auto *timer = new QTimer(qApp);
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, className, act, timeoutMs] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        const bool ours = dialog && dialog->isVisible() && isOfClass(dialog, className);
        if (ours && (dialog->isActiveWindow() || clock->elapsed() > timeoutMs / 2)) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            try {
                act(*dialog);
            } catch (const std::exception &e) {
                ADD_FAILURE() << "inside " << className.toStdString() << ": " << e.what();
                if (dialog->isVisible())
                    dialog->reject();
            }
            return;
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            ADD_FAILURE() << "no modal " << className.toStdString() << " opened within " << timeoutMs << " ms";
            if (dialog)
                dialog->reject();
        }
    });
    timer->start();
}

void closeLeftoverModals()
{
    for (int guard = 0; guard < 20; ++guard) {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ADD_FAILURE() << "modal " << dialog->metaObject()->className() << " left open";
        dialog->reject();
    }
}

class ModalWatchdog::Timer : public QTimer {
public:
    explicit Timer(int limitMs) : m_limit(limitMs)
    {
        setInterval(100);
        connect(this, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal != m_seen) {
                m_seen = modal;
                m_since.start();
                return;
            }
            if (modal && m_since.elapsed() > m_limit) {
                ADD_FAILURE() << "modal " << modal->metaObject()->className() << " open for more than " << m_limit
                              << " ms; closed";
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
                m_seen = nullptr;
            }
        });
        start();
    }

private:
    int m_limit;
    QPointer<QWidget> m_seen;
    QElapsedTimer m_since;
};

ModalWatchdog::ModalWatchdog(int limitMs) : m_timer(new Timer(limitMs)) {}

ModalWatchdog::~ModalWatchdog()
{
    delete m_timer;
}

} // namespace rv::test
