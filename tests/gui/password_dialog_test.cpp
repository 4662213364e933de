// The passwords dialog: what a write needs before it goes out, what the
// answers show, the opener, and a round against the virtual instrument.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/device/px530_page.h"
#include "gui/modules/password_dialog.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

const QString kRange = QString::fromUtf8("A jelszó csak 0..9999 közötti szám lehet.");
const QString kUserWrong = QString::fromUtf8("A kezelői jelszó hibás. ") + kRange;
const QString kSupervisorWrong = QString::fromUtf8("A mérnöki jelszó hibás. ") + kRange;
const QString kBothWrong = QString::fromUtf8("A kezelői és a mérnöki jelszó is hibás. ") + kRange;
const QString kEqual = QString::fromUtf8("A kezelői jelszó és a mérnöki jelszó nem lehet ugyanaz!");

struct PasswordDialog : WindowFixture {
    TForm_Password* d = nullptr;
    void SetUp() override {
        Create();
        Plug();
        d = w->Form_Password;
    }
};

TEST_F(PasswordDialog, WriteGoesOutOnlyForTwoDifferentNumbers) {
    struct Case {
        const char *user, *supervisor;
        QString message;  // empty: the write goes out
        Bytes sent;
    } cases[] = {
        {"", "", kBothWrong, {}},
        {"abc", "1234", kUserWrong, {}},
        {"1234", "x1", kSupervisorWrong, {}},
        {"-5", "1234", kUserWrong, {}},
        {"12.5", "1234", kUserWrong, {}},
        {"12", "12", kEqual, {}},
        {"0012", "12", kEqual, {}},
        {"1234", "4321", {}, {0xD2, 0x04, 0xE1, 0x10}},
        {"0", "9999", {}, {0x00, 0x00, 0x0F, 0x27}},
    };
    for (const auto& c : cases) {
        informed.clear();
        d->Edit_PasswordUser->setText(c.user);
        d->Edit_PasswordSupervisor->setText(c.supervisor);
        d->SpeedButton_WriteToDevice->click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(informed.isEmpty()) << c.user << " / " << c.supervisor;
            EXPECT_EQ(Serve(), 222);
            EXPECT_EQ(lastRequest, c.sent);
            EXPECT_EQ(Serve({c.sent.begin(), c.sent.end()}), 220) << "a read-back follows every write";
            EXPECT_TRUE(d->Label_WriteState->text().startsWith(QString::fromUtf8("Beírva és visszaolvasva ")))
                << d->Label_WriteState->text().toStdString();
        } else {
            EXPECT_EQ(informed, QStringList{c.message}) << c.user << " / " << c.supervisor;
            EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
            EXPECT_EQ(Serve(), 101) << "nothing sent";
        }
    }
}

// The instrument keeps other passwords than were written: the dialog says so.
TEST_F(PasswordDialog, AReadBackOtherThanWrittenIsShown) {
    Status(tRX{});
    d->Edit_PasswordUser->setText("1234");
    d->Edit_PasswordSupervisor->setText("4321");
    d->SpeedButton_WriteToDevice->click();
    EXPECT_EQ(Serve(), 222);
    EXPECT_EQ(Serve({0, 0, 0x0F, 0x27}), 220);
    EXPECT_TRUE(
        d->Label_WriteState->text().contains(QString::fromUtf8("a visszaolvasott adatok eltérnek a beírtaktól")))
        << d->Label_WriteState->text().toStdString();
    EXPECT_EQ(d->Label_WriteState->palette().color(QPalette::WindowText), colors::kRed);
}

TEST_F(PasswordDialog, AtMostFourCharactersTyped) {
    d->Edit_PasswordUser->clear();
    QTest::keyClicks(d->Edit_PasswordUser, "123456");
    EXPECT_EQ(d->Edit_PasswordUser->text(), "1234");
}

TEST_F(PasswordDialog, ReleasingThePressedWriteChecksNothing) {
    d->Edit_PasswordUser->setText("1");
    d->Edit_PasswordSupervisor->setText("2");
    d->SpeedButton_WriteToDevice->click();
    d->Edit_PasswordUser->setText("");
    d->SpeedButton_WriteToDevice->click();
    EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
    EXPECT_TRUE(informed.isEmpty());
    EXPECT_EQ(Serve(), 101);
}

TEST_F(PasswordDialog, EditedAfterTheCheckTheCheckedPairGoesOut) {
    Status(tRX{});  // nothing that changes an instrument goes out before it has answered
    d->Edit_PasswordUser->setText("1");
    d->Edit_PasswordSupervisor->setText("2");
    d->SpeedButton_WriteToDevice->click();
    d->Edit_PasswordSupervisor->setText("1");  // equal now: never sent
    EXPECT_EQ(Serve(), 222);
    EXPECT_EQ(lastRequest, (Bytes{1, 0, 2, 0}));
}

TEST_F(PasswordDialog, AnswersShowFourDigits) {
    d->SpeedButton_ReadFromDevice->setChecked(true);
    EXPECT_EQ(Serve({7, 0, 0x0F, 0x27}), 220);
    EXPECT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
    EXPECT_EQ(d->Edit_PasswordUser->text(), "0007");
    EXPECT_EQ(d->Edit_PasswordSupervisor->text(), "9999");
    EXPECT_EQ(w->recRX.uJelszoSupervisor, 9999);
    d->SpeedButton_ReadDefault->setChecked(true);
    EXPECT_EQ(Serve({0x10, 0x27, 0, 0}), 221);
    EXPECT_FALSE(d->SpeedButton_ReadDefault->isChecked());
    EXPECT_EQ(d->Edit_PasswordUser->text(), "10000") << "what the instrument sent, whole";
}

TEST_F(PasswordDialog, OpenedFromBothIndicatorPagesWithARead) {
    for (QPushButton* opener : {w->px530Page->Button1, Find<QPushButton>("Button_ChangePassword_PX210")}) {
        w->bFoKimenetiModulVanNyitva = opener == w->px530Page->Button1;
        const bool flag = w->bFoKimenetiModulVanNyitva;
        QString caption;
        QTimer::singleShot(0, d, [&] {
            caption = d->windowTitle();
            EXPECT_TRUE(d->SpeedButton_ReadFromDevice->isChecked());
            d->reject();
        });
        opener->click();
        EXPECT_EQ(caption, QString::fromUtf8("Jelszó módosítása")) << opener->objectName().toStdString();
        EXPECT_EQ(w->bFoKimenetiModulVanNyitva, flag) << "the slot flag stays";
        EXPECT_EQ(Serve({1, 0, 2, 0}), 220);
    }
}

TEST(PasswordDialogWithInstrument, NewPasswordsReachTheInstrument) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 530;
    InstrumentProgram program(cfg);
    auto& hid = program.hid;
    TForm1* w = program.w;
    TForm_Password* d = w->Form_Password;
    WAIT_FOR(w->recMBU.bOnline, 2000);
    d->SpeedButton_ReadFromDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(d->Edit_PasswordSupervisor->text(), "0001");
    d->Edit_PasswordUser->setText("2468");
    d->Edit_PasswordSupervisor->setText("1357");
    d->SpeedButton_WriteToDevice->click();
    WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked() && !d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(hid.Instrument().Settings().passwords, (PasswordBlock{2468, 1357}));
    EXPECT_EQ(d->Edit_PasswordUser->text(), "2468") << "read back";
}

}  // namespace
}  // namespace velmar
