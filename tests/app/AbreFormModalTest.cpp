#include "app/common/AbreFormModal.h"
#include "data/Errors.h"
#include "tests/support/ScreenTest.h"
#include "tests/support/Ui.h"

#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace rv;
using namespace rv::test;

namespace {

class TfrmTeste : public QDialog {
    Q_OBJECT
public:
    TfrmTeste(AppContext &, QWidget *parent) : QDialog(parent)
    {
        auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
        ok->setObjectName(QStringLiteral("btnOk"));
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        last = this;
    }
    static inline QPointer<TfrmTeste> last;
};

} // namespace

// Opening and destroying, without the data modules.
TEST(AbreFormModal, TheScreenIsDestroyedWhateverClosedIt)
{
    QWidget main;
    showWindow(&main);
    const struct {
        const char *how;
        std::function<void(QDialog &)> close;
        int result;
    } cases[] = {
        {"own button", [](QDialog &d) { click(find<QPushButton>(&d, QStringLiteral("btnOk"))); }, QDialog::Accepted},
        {"close box", [](QDialog &d) { d.close(); }, QDialog::Rejected},
        {"escape", [](QDialog &) { pressEscape(); }, QDialog::Rejected},
    };
    for (const auto &c : cases) {
        auto *screen = new QDialog(&main);
        auto *ok = new QPushButton(QStringLiteral("&Ok"), screen);
        ok->setObjectName(QStringLiteral("btnOk"));
        QObject::connect(ok, &QPushButton::clicked, screen, &QDialog::accept);
        QPointer<QDialog> alive(screen);
        bool wasModalOverMain = false;
        onModal(QStringLiteral("QDialog"), [&](QDialog &d) {
            wasModalOverMain = d.isModal() && d.parentWidget() == &main;
            c.close(d);
        });
        EXPECT_EQ(showModalAndDestroy(std::unique_ptr<QDialog>(screen)), c.result) << c.how;
        EXPECT_TRUE(wasModalOverMain) << c.how;
        EXPECT_TRUE(alive.isNull()) << c.how;
    }
}

// Opening by kind over the main window, through the context's registry.
class AbreFormModalTest : public ScreenTest {};

TEST_P(AbreFormModalTest, OpensARegisteredKindOverTheMainWindow)
{
    QWidget main;
    ctx().mainWindow = &main;
    showWindow(&main);
    ctx().screens.add<TfrmTeste>(QStringLiteral("TfrmTeste"));
    onModal<TfrmTeste>([&](TfrmTeste &d) {
        EXPECT_EQ(d.parentWidget(), &main);
        EXPECT_TRUE(d.isModal());
        click(find<QPushButton>(&d, QStringLiteral("btnOk")));
    });
    EXPECT_EQ(AbreFormModal(ctx(), QStringLiteral("TfrmTeste")), QDialog::Accepted);
    EXPECT_TRUE(TfrmTeste::last.isNull());

    onModal<TfrmTeste>([&](TfrmTeste &d) {
        EXPECT_EQ(d.parentWidget(), &main);
        d.close();
    });
    EXPECT_EQ(AbreFormModal<TfrmTeste>(ctx()), QDialog::Rejected);
    EXPECT_TRUE(TfrmTeste::last.isNull());

    EXPECT_THROW(AbreFormModal(ctx(), QStringLiteral("TfrmNenhuma")), Error);
}

RV_BOTH_BACKENDS(AbreFormModalTest);

#include "AbreFormModalTest.moc"
