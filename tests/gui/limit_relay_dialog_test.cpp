// The limit relay dialog: its commands per slot through the scheduler, what
// the answers fill in, what the writes carry, the output test carried by the
// status request, and a round against the virtual instrument.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/modules/limit_relay_dialog.h"
#include "gui/views/lamp.h"
#include "gui/views/radio_group.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

struct LimitRelayDialog : WindowFixture {
    TForm_PXRL* d = nullptr;
    void SetUp() override {
        Create();
        Plug();
        w->DecimalSeparator = ',';
        d = w->Form_PXRL;
    }
    // Opens the dialog from a device page button as a user would; check runs
    // while it is shown, then it is closed with the close box.
    void OpenFrom(const char* button, const std::function<void()>& check = {}) {
        QTimer::singleShot(0, d, [&] {
            EXPECT_TRUE(d->isVisible());
            if (check) check();
            d->close();
        });
        Find<QPushButton>(button)->click();
    }
    // The limit force byte of the next status request.
    int ForceByte() {
        EXPECT_EQ(Serve(), 101);
        return lastRequest.at(8);
    }
};

TEST_F(LimitRelayDialog, OpenersChooseTheSlotOfTheirOutput) {
    struct Case {
        const char* button;
        const char* caption;
        int read, write;
    } cases[] = {
        {"Button_PX530_Rel2", "Rel2", 209, 210},
        {"Button_PX530_Rel1", "Rel1", 207, 208},
        {"Button_PX330_PXRL_Tovabbi", "Határérték kimenet 2 (RL)", 209, 210},
        {"Button_PX370_PXRL_Fo", "Határérték kimenet 1 (RL)", 207, 208},
    };
    for (const auto& c : cases) {
        bool readPressed = false;
        OpenFrom(c.button, [&] {
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption));
            readPressed = d->SpeedButton_ReadFromDevice->isChecked();
        });
        EXPECT_TRUE(readPressed) << c.button;
        EXPECT_EQ(Serve(Bytes(18)), c.read) << c.button;
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), c.write) << c.button;
        EXPECT_EQ(Serve(Bytes(18)), c.read) << "read-back after the write, " << c.button;
    }
}

TEST_F(LimitRelayDialog, WriteCarriesTheDialogAndReadFillsIt) {
    w->bFoKimenetiModulVanNyitva = true;
    d->SpeedButton_ReadFromDevice->setChecked(true);  // a write takes only settings read from the instrument
    ASSERT_EQ(Serve(), 207);
    d->RadioGroup_enuLimitMode->SetItemIndex(3);
    d->iA = 100;
    d->iB = 200;
    d->iHysteresis = 5;
    d->CheckBox_bHold->setChecked(true);
    d->Edit_uSec->setText("60");
    d->Edit_uPulseSec->setText("2");
    d->RadioGroup_PXRL_SourceInput->SetItemIndex(1);
    d->SpeedButton_WriteToDevice->setChecked(true);
    EXPECT_EQ(Serve(), 208);
    EXPECT_EQ(lastRequest, (Bytes{0x03, 0x64, 0, 0, 0, 0xC8, 0, 0, 0, 0x05, 0, 0, 0, 0x01, 0x3C, 0x00, 0x02, 0x02}));
    EXPECT_EQ(w->recTX.iHighLimitL1, 200);
    EXPECT_EQ(w->recTX.uSecL1, 60);

    // Mode 5, A -1, B 99999, hysteresis 250, hold 7 (any non-zero), time
    // base 40000, pulse 9, source 2, read for slot 2.
    w->bFoKimenetiModulVanNyitva = false;
    w->recRX.uDecimalPoint = 2;
    SetDecimalMask(w->recRX, 2);
    d->SpeedButton_ReadFromDevice->setChecked(true);
    EXPECT_EQ(Serve({5, 0xFF, 0xFF, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0, 0xFA, 0, 0, 0, 7, 0x40, 0x9C, 9, 2}), 209);
    EXPECT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
    EXPECT_EQ(d->RadioGroup_enuLimitMode->ItemIndex(), 5);
    EXPECT_EQ(d->Label_iSettingsA->text(), "-0,01");
    EXPECT_EQ(d->Label_iSettingsB->text(), "999,99");
    EXPECT_EQ(d->Label_iSettingsHysteresis->text(), "2,50");
    EXPECT_TRUE(d->CheckBox_bHold->isChecked());
    EXPECT_EQ(d->Edit_uSec->text(), "40000");
    EXPECT_EQ(d->Edit_uPulseSec->text(), "9");
    EXPECT_EQ(d->RadioGroup_PXRL_SourceInput->ItemIndex(), 1);
    EXPECT_EQ(w->recRX.uSecL2, 40000);
    EXPECT_TRUE(w->recRX.bHoldL2);
    EXPECT_EQ(w->recRX.iLowLimitL1, 0) << "slot 1 untouched";

    // Factory values land in slot 1's fields, whichever slot is open.
    d->SpeedButton_ReadDefault->setChecked(true);
    EXPECT_EQ(Serve({1, 0x40, 0x1F, 0, 0}), 213);
    EXPECT_FALSE(d->SpeedButton_ReadDefault->isChecked());
    EXPECT_EQ(w->recRX.iLowLimitL1, 8000);
    EXPECT_EQ(w->recRX.enuLimitModeL2, 5);
}

TEST_F(LimitRelayDialog, ValuesOutsideTheListsGoBackAsShown) {
    struct Case {
        uint8_t mode, source;
        int modeItem, sourceItem;
        uint8_t modeSent, sourceSent;
    } cases[] = {
        {10, 1, 10, 0, 10, 1},
        {11, 0, 10, -1, 10, 0},  // beyond the list: its last item; source 0: none, sent as 0
        {255, 3, 10, 1, 10, 2},
    };
    w->bFoKimenetiModulVanNyitva = true;
    for (const auto& c : cases) {
        Bytes answer(18);
        answer[0] = c.mode;
        answer[14] = 5;  // time base 5 s
        answer[16] = 3;
        answer[17] = c.source;
        d->SpeedButton_ReadFromDevice->setChecked(true);
        EXPECT_EQ(Serve(answer), 207);
        EXPECT_EQ(d->RadioGroup_enuLimitMode->ItemIndex(), c.modeItem);
        EXPECT_EQ(d->RadioGroup_PXRL_SourceInput->ItemIndex(), c.sourceItem);
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), 208);
        EXPECT_EQ(lastRequest.at(0), c.modeSent) << int(c.mode);
        EXPECT_EQ(lastRequest.at(17), c.sourceSent) << int(c.source);
        EXPECT_EQ(Serve(answer), 207);
    }
}

TEST_F(LimitRelayDialog, EditsAreSentWithinTheirRangeAndShowWhatWasSent) {
    struct Case {
        const char* timeBase;
        const char* pulse;
        uint16_t timeBaseSent;
        uint8_t pulseSent;
    } cases[] = {
        {"1", "300", 2, 255}, {"70000", "abc", 65535, 2},   {"abc", "-5", 2, 2},
        {"-5", "", 2, 2},     {"65535", "255", 65535, 255}, {"00060", "002", 60, 2},
    };
    w->bFoKimenetiModulVanNyitva = false;
    d->SpeedButton_ReadFromDevice->setChecked(true);
    ASSERT_EQ(Serve(), 209);
    for (const auto& c : cases) {
        d->Edit_uSec->setText(QString::fromUtf8(c.timeBase));
        d->Edit_uPulseSec->setText(QString::fromUtf8(c.pulse));
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), 210);
        EXPECT_EQ(lastRequest.at(14) | lastRequest.at(15) << 8, c.timeBaseSent) << c.timeBase;
        EXPECT_EQ(lastRequest.at(16), c.pulseSent) << c.pulse;
        EXPECT_EQ(d->Edit_uSec->text(), QString::number(c.timeBaseSent));
        EXPECT_EQ(d->Edit_uPulseSec->text(), QString::number(c.pulseSent));
        d->SpeedButton_ReadFromDevice->setChecked(false);
    }
}

TEST_F(LimitRelayDialog, EditorResultsLandInTheDialog) {
    w->recRX.uDecimalPoint = 1;
    SetDecimalMask(w->recRX, 1);
    for (int id : {5, 6, 7}) ASSERT_TRUE(w->valueDestinations.Deliver(id, 125 * id));
    EXPECT_EQ(d->iA, 625);
    EXPECT_EQ(d->Label_iSettingsA->text(), "62,5");
    EXPECT_EQ(d->Label_iSettingsB->text(), "75,0");
    EXPECT_EQ(d->Label_iSettingsHysteresis->text(), "87,5");
    EXPECT_TRUE(hid.written.empty()) << "an edit sends nothing by itself";
}

TEST_F(LimitRelayDialog, OutputTestTravelsInTheStatusRequest) {
    struct Case {
        bool slot1;
        bool test, force;
        uint8_t limits;  // output states of the last status answer
        int forceByte;
        bool buttonAfter, lamp;
    } cases[] = {
        {true, true, true, 0x00, 0x11, true, false},
        {true, true, false, 0x01, 0x10, false, true},
        {false, true, true, 0x00, 0x22, true, false},
        {true, false, false, 0x01, 0x00, true, true},  // the button mirrors output 1
        {false, false, true, 0x01, 0x00, false, false},  // and output 2 for slot 2
        {false, false, false, 0x02, 0x00, true, true},
    };
    for (const auto& c : cases) {
        w->bFoKimenetiModulVanNyitva = c.slot1;
        tRX rx;
        rx.uLimit = c.limits;
        Status(rx);
        EXPECT_EQ(d->Shape_DigitalOutPXRL->isLit(), c.lamp);
        d->CheckBox_DigitalOutForceEng->setChecked(c.test);
        d->SpeedButton_DigitalOut1Force->setChecked(c.force);
        EXPECT_EQ(ForceByte(), c.forceByte) << c.slot1 << c.test << c.force;
        EXPECT_EQ(d->SpeedButton_DigitalOut1Force->isChecked(), c.buttonAfter);
    }
}

TEST_F(LimitRelayDialog, ClosingEndsTheTest) {
    OpenFrom("Button_PX530_Rel1", [&] {
        d->CheckBox_DigitalOutForceEng->setChecked(true);
        d->SpeedButton_DigitalOut1Force->setChecked(true);
    });
    EXPECT_FALSE(d->CheckBox_DigitalOutForceEng->isChecked());
    EXPECT_EQ(Serve(Bytes(18)), 207);
    EXPECT_EQ(ForceByte(), 0) << "no forcing outlives the dialog";

    d->show();
    d->CheckBox_DigitalOutForceEng->setChecked(true);
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(d->CheckBox_DigitalOutForceEng->isChecked());
}

// Read, edit, write and read back against the virtual instrument; its output
// then switches by the new limit, and a test forces it.
TEST(LimitRelayWithInstrument, NewLimitSwitchesTheOutputAndATestForcesIt) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 530;
    InstrumentProgram program(cfg);  // the signal stands at 95 % of 0..100.00
    auto& hid = program.hid;
    TForm1* w = program.w;
    TForm_PXRL* d = w->Form_PXRL;
    auto* lamp = w->findChild<Lamp*>("Shape_DigitalOut2_PX530");
    ASSERT_NE(lamp, nullptr);
    WAIT_FOR(w->recMBU.bOnline, 2000);
    w->bFoKimenetiModulVanNyitva = false;
    d->SpeedButton_ReadFromDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(d->iA, 8000);
    EXPECT_EQ(d->RadioGroup_enuLimitMode->ItemIndex(), 1);
    WAIT_FOR(lamp->isLit() && d->Shape_DigitalOutPXRL->isLit(), 3000);  // 95.00 >= 80.00

    ASSERT_TRUE(w->valueDestinations.Deliver(5, 9700));
    d->SpeedButton_WriteToDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked() && !d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(hid.Instrument().Settings().limits[1].a, 9700);
    EXPECT_EQ(hid.Instrument().Settings().limits[0].a, 8000) << "output 1 untouched";
    EXPECT_EQ(d->iA, 9700) << "read back";
    WAIT_FOR(!lamp->isLit() && !d->Shape_DigitalOutPXRL->isLit(), 3000);
    WAIT_FOR(!d->SpeedButton_DigitalOut1Force->isChecked(), 3000);  // mirrors the real output

    d->show();
    d->CheckBox_DigitalOutForceEng->setChecked(true);
    d->SpeedButton_DigitalOut1Force->setChecked(true);
    WAIT_FOR(lamp->isLit(), 3000);
    d->close();
    WAIT_FOR(!lamp->isLit(), 3000);
}

}  // namespace
}  // namespace velmar
