#include "app/common/KeyRules.h"
#include "data/Errors.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Ui.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

// Fields in tab order, some of which can take no focus.
struct EnterForm {
    QWidget form;
    QLineEdit *first = add<QLineEdit>("first");
    QLineEdit *hidden = add<QLineEdit>("hidden");
    QLineEdit *disabled = add<QLineEdit>("disabled");
    QLineEdit *noTab = add<QLineEdit>("noTab");
    QComboBox *combo = add<QComboBox>("combo");
    QDateEdit *date = add<QDateEdit>("date");
    QPushButton *button = add<QPushButton>("button");
    QLineEdit *last = add<QLineEdit>("last");

    template <class T>
    T *add(const char *name)
    {
        if (!form.layout())
            new QVBoxLayout(&form);
        auto *w = new T(&form);
        w->setObjectName(QString::fromLatin1(name));
        form.layout()->addWidget(w);
        return w;
    }

    EnterForm()
    {
        form.setObjectName(QStringLiteral("form"));
        hidden->hide();
        disabled->setEnabled(false);
        noTab->setFocusPolicy(Qt::ClickFocus);
        combo->setEditable(true);
        installEnterAsTab(&form);
    }
};

} // namespace

TEST(EnterAsTab, MovesThroughTheTabStopsAndWrapsFromTheLastToTheFirst)
{
    EnterForm f;
    showWindow(&f.form);
    int returnPressed = 0;
    QObject::connect(f.first, &QLineEdit::returnPressed, [&] { ++returnPressed; });

    focus(f.first);
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        pressEnter();
        visited << focused()->objectName();
    }
    // The combo box's own edit and the date picker's edit are reached through
    // their controls.
    EXPECT_EQ(visited, (QStringList{QStringLiteral("combo"), QStringLiteral("date"), QStringLiteral("button"),
                                    QStringLiteral("last"), QStringLiteral("first")}));
    EXPECT_EQ(returnPressed, 0); // the field never saw the Enter
}

TEST(EnterAsTab, EnterOnAButtonMovesOnWithoutClickingIt)
{
    EnterForm f;
    showWindow(&f.form);
    int clicks = 0;
    QObject::connect(f.button, &QPushButton::clicked, [&] { ++clicks; });
    focus(f.button);
    pressEnter();
    EXPECT_EQ(focused(), f.last);
    EXPECT_EQ(clicks, 0);
}

TEST(LeaveAction, RunsWhenTheFocusMovesToAnotherControlOnly)
{
    EnterForm f;
    ScriptedMessages messages;
    int leaves = 0;
    onLeave(f.first, messages, [&] { ++leaves; });
    showWindow(&f.form);

    focus(f.first);
    pressEnter();
    EXPECT_EQ(leaves, 1);

    focus(f.first);
    pressTab();
    EXPECT_EQ(leaves, 2);

    focus(f.first);
    click(f.button);
    EXPECT_EQ(leaves, 3);

    // A screen opened over the form takes the focus for a while: no leave.
    focus(f.first);
    {
        QDialog over(&f.form);
        auto *edit = new QLineEdit(&over);
        bool tookFocus = false;
        onModal(QStringLiteral("QDialog"), [&](QDialog &d) {
            focus(edit);
            tookFocus = edit->hasFocus();
            d.close();
        });
        over.exec();
        EXPECT_TRUE(tookFocus);
    }
    showWindow(&f.form);
    EXPECT_EQ(focused(), f.first);
    EXPECT_EQ(leaves, 3);
}

TEST(LeaveAction, AnActionMayKeepTheFocusInItsField)
{
    EnterForm f;
    ScriptedMessages messages;
    int leaves = 0, nextLeaves = 0;
    onLeave(f.first, messages, [&] {
        ++leaves;
        f.first->setFocus();
    });
    onLeave(f.combo, messages, [&] { ++nextLeaves; });
    showWindow(&f.form);
    focus(f.first);
    pressEnter();
    EXPECT_EQ(focused(), f.first);
    pressTab();
    EXPECT_EQ(focused(), f.first);
    EXPECT_EQ(leaves, 2);
    EXPECT_EQ(nextLeaves, 0); // the control that nearly got the focus was never left
}

TEST(LeaveAction, AnErrorIsShownInTheErrorBox)
{
    EnterForm f;
    ScriptedMessages messages;
    onLeave(f.first, messages, [] { throw ConversionError(QStringLiteral("'' is not a valid integer value")); });
    showWindow(&f.form);
    focus(f.first);
    messages.expectError(QStringLiteral("'' is not a valid integer value"));
    pressTab();
    messages.verify();
    EXPECT_EQ(messages.requests().size(), 1);
}

TEST(SomenteDigitos, TypedCharactersOtherThanDigitsAndBackspaceNeverArrive)
{
    QWidget form;
    auto *edit = new QLineEdit(&form);
    SomenteDigitos(edit);
    showWindow(&form);
    type(edit, QStringLiteral("12a-3 ,4.Zé5"));
    EXPECT_EQ(edit->text(), QStringLiteral("12345"));
    pressKey(Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));
    pressKey(Qt::Key_V, Qt::ControlModifier); // a control character
    pressKey(Qt::Key_Left);
    pressKey(Qt::Key_Delete);
    EXPECT_EQ(edit->text(), QStringLiteral("123"));
}

TEST(SomenteDigitos, TextSetByTheProgramIsKept)
{
    QLineEdit edit;
    SomenteDigitos(&edit);
    edit.setText(QStringLiteral("Não Informado"));
    EXPECT_EQ(edit.text(), QStringLiteral("Não Informado"));
}

TEST(UpperCase, TypedLettersArriveInUpperCaseAndProgramTextIsKept)
{
    QWidget form;
    auto *edit = new QLineEdit(&form);
    forceUpperCase(edit);
    int edits = 0;
    QObject::connect(edit, &QLineEdit::textEdited, [&] { ++edits; });
    showWindow(&form);
    type(edit, QStringLiteral("ana é 1/b"));
    EXPECT_EQ(edit->text(), QStringLiteral("ANA É 1/B"));
    EXPECT_EQ(edits, 9); // each key still reaches the field as typing
    edit->setText(QStringLiteral("não informado"));
    EXPECT_EQ(edit->text(), QStringLiteral("não informado"));
}

TEST(UpperCase, UpperCaseAZChangesOnlyTheLettersAToZ)
{
    EXPECT_EQ(upperCaseAZ(QStringLiteral("josé da silva 12-b")), QStringLiteral("JOSé DA SILVA 12-B"));
    EXPECT_EQ(upperCaseAZ(QStringLiteral("ÇÃO ção")), QStringLiteral("ÇÃO çãO"));
}
