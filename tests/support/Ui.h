#pragma once
// Driving real screens offscreen the way the attendant does: controls found
// by objectName, text typed key by key (so key filters and change handlers
// run), Enter and Tab, focus moves (so leave actions run), clicks, and
// modal screens acted on while they are open.
//
//   showWindow(&screen);
//   type(find<QLineEdit>(&screen, "edtTelefone"), "32221111");
//   pressEnter();
//   onModal("TfrmCadCliente", [&](QDialog &d) { ...; d.close(); });
//   click(find<QPushButton>(&screen, "btnRegistraPD"));
//
// Helpers that cannot do what they are asked (no such control, the window is
// not active, no modal screen came) throw, which fails the test with the reason.

#include <QAbstractButton>
#include <QDialog>
#include <QListWidget>
#include <QString>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>

namespace rv::test {

[[noreturn]] void uiFailure(const QString &what);

// The child of root (root itself included) with this objectName and kind.
template <class T = QWidget>
T *find(QObject *root, const QString &name)
{
    if (root && root->objectName() == name)
        if (T *self = qobject_cast<T *>(root))
            return self;
    T *found = root ? root->findChild<T *>(name) : nullptr;
    if (!found)
        uiFailure(QStringLiteral("no %1 named \"%2\" in %3")
                      .arg(QString::fromLatin1(T::staticMetaObject.className()), name,
                           root ? QString::fromLatin1(root->metaObject()->className()) : QStringLiteral("nothing")));
    return found;
}

// Show a window and wait until it is the active one (focus events need it).
void showWindow(QWidget *window);

// The widget that has the keyboard focus (throws when none has).
QWidget *focused();
// Move the focus to a widget, as a click into it does: the leave action of
// the field that had the focus runs.
void focus(QWidget *widget);
// Type text key by key into a widget, moving the focus there first when it is
// elsewhere.
void type(QWidget *widget, const QString &text);
// Keys sent to the focused widget.
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
inline void pressEnter() { pressKey(Qt::Key_Return); }
inline void pressTab() { pressKey(Qt::Key_Tab); }
inline void pressEscape() { pressKey(Qt::Key_Escape); }
// Backspace until the widget's text is empty (a line edit).
void erase(QWidget *widget);

// A left click in the middle of a button (the focus moves to it first, as it
// does for the user).
void click(QAbstractButton *button);
// A left click on an entry of a list box.
void clickItem(QListWidget *list, int row);

// Whether a window shows a class: the qualified or the plain class name
// ("rv::TfrmCadCliente" or "TfrmCadCliente"), or a base class of it.
bool isOfClass(const QObject *object, const QString &className);

// Run act once a modal screen of the class is open and active (arm it before
// the action that opens the screen). The screen stays open unless act closes
// it. No such screen within timeoutMs: the test fails and the modal screen
// that is open instead, if any, is closed so that the test can go on.
void onModal(const QString &className, std::function<void(QDialog &)> act, int timeoutMs = 5000);
template <class T>
void onModal(std::function<void(T &)> act, int timeoutMs = 5000)
{
    onModal(QString::fromLatin1(T::staticMetaObject.className()),
            [act](QDialog &d) { act(static_cast<T &>(d)); }, timeoutMs);
}

// Closes every modal screen still open, failing the test for each: a test
// must close what it opened. Called by the screen fixture after every test.
void closeLeftoverModals();

// While it lives, a modal screen left open for longer than the limit fails
// the test and is closed, so that a forgotten screen cannot hang the run.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int limitMs = 10000);
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog &) = delete;
    ModalWatchdog &operator=(const ModalWatchdog &) = delete;

private:
    class Timer;
    Timer *m_timer;
};

} // namespace rv::test
