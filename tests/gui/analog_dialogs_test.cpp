// The analog input and output dialogs: their commands through the scheduler,
// what the answers fill in, what the writes carry, and a whole round against
// the virtual instrument.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/settings/settings_blocks.h"
#include "core/views/value_destinations.h"
#include "gui/modules/analog_input_dialog.h"
#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_typed.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

struct AnalogDialogs : WindowFixture {
    void SetUp() override {
        Create();
        Plug();
        w->DecimalSeparator = ',';
    }
};

TEST_F(AnalogDialogs, InputAnswerFillsTheDialogAndWriteSendsIt) {
    TForm_PXAI* d = w->Form_PXAI;
    d->SpeedButton_ReadFromDevice->setChecked(true);
    // count 24, type 2, decimals 1, low 0, high 1000, rounding 1
    EXPECT_EQ(Serve({24, 2, 1, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 1}), 201);
    EXPECT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
    EXPECT_EQ(d->RadioGroup_DisplayRefresh->ItemIndex(), 4);  // "300"
    EXPECT_EQ(d->RadioGroup_uInputTypeSettings->ItemIndex(), 2);
    EXPECT_EQ(d->RadioGroup_uDecimalPointSettings->ItemIndex(), 1);
    EXPECT_EQ(d->Label_iScaleLowSettings->text(), "0,0");
    EXPECT_EQ(d->Label_iScaleHighSettings->text(), "100,0");

    // An unknown count shows "300" as well; a type beyond the list its last item.
    d->SpeedButton_ReadDefault->setChecked(true);
    EXPECT_EQ(Serve({7, 9, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1}), 211);
    EXPECT_EQ(d->RadioGroup_DisplayRefresh->ItemIndex(), 4);
    EXPECT_EQ(d->RadioGroup_uInputTypeSettings->ItemIndex(), 4);

    d->RadioGroup_DisplayRefresh->SetItemIndex(5);
    d->RadioGroup_uInputTypeSettings->SetItemIndex(1);
    d->RadioGroup_uDecimalPointSettings->SetItemIndex(3);
    d->iScaleLowSettings = -500;
    d->iScaleHighSettings = 20000;
    d->SpeedButton_WriteToDevice->setChecked(true);
    EXPECT_EQ(Serve(), 202);
    EXPECT_EQ(lastRequest,
              (std::vector<uint8_t>{0x28, 0x01, 0x03, 0x0C, 0xFE, 0xFF, 0xFF, 0x20, 0x4E, 0x00, 0x00, 0x01}));
    EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
    EXPECT_TRUE(d->SpeedButton_ReadFromDevice->isChecked()) << "a read-back follows every write";
    EXPECT_EQ(Serve({1, 0, 0}), 201);
}

// One description of each field's limits: a dialog's value editor allows
// exactly what a settings file, the offline editor and velmar-cli take.
TEST_F(AnalogDialogs, ValueEditorsAllowWhatFilesTake) {
    const struct {
        QWidget* dialog;
        const char* button;
        const char* block;
        const char* field;
    } cases[] = {
        {w->Form_PXAI, "Button_ScaleLowSettings", "analogInput", "scaleLow"},
        {w->Form_PXAI, "Button_ScaleHighSettings", "analogInput", "scaleHigh"},
        {w->Form_PXAO, "Button_ScaleLowSettings", "analogOutput1", "scaleLow"},
        {w->Form_PXAO, "Button_ScaleHighSettings", "analogOutput1", "scaleHigh"},
        {w->Form_PXRL, "Button_SettingsA", "limit1", "a"},
        {w->Form_PXRL, "Button_SettingsB", "limit1", "b"},
        {w->Form_PXRL, "Button_SettingsHysteresis", "limit1", "hysteresis"},
    };
    TForm_IncDecEdit* e = w->Form_IncDecEdit;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.block) + "." + c.field);
        // With no decimals, what a file takes is the stored integer itself.
        const SettingsBlockInfo* info = FindSettingsBlock(c.block);
        std::pair<double, double> file{1, 0};
        for (const BlockField& f : info->fields(Bytes(info->size, 0), {0, 330}))
            if (f.name == c.field) file = FieldLimits(f);
        EXPECT_EQ(file, std::make_pair(-9999.0, 99999.0));
        bool opened = false;
        QTimer::singleShot(0, e, [&] {
            opened = true;
            EXPECT_EQ(std::make_pair(double(e->iMin), double(e->iMax)), file);
            e->reject();
        });
        c.dialog->findChild<QPushButton*>(c.button)->click();
        EXPECT_TRUE(opened);
    }
}

TEST_F(AnalogDialogs, EditorResultLandsInTheInputDialog) {
    TForm_PXAI* d = w->Form_PXAI;
    w->recRX.uDecimalPoint = 1;
    SetDecimalMask(w->recRX, 1);
    ASSERT_TRUE(w->valueDestinations.Deliver(1, 125));
    EXPECT_EQ(d->iScaleLowSettings, 125);
    EXPECT_EQ(d->Label_iScaleLowSettings->text(), "12,5");
    EXPECT_TRUE(hid.written.empty()) << "an edit sends nothing by itself";
}

TEST_F(AnalogDialogs, OutputDialogTalksToTheSlotItIsOpenFor) {
    TForm_PXAO* d = w->Form_PXAO;
    w->bFoKimenetiModulVanNyitva = false;
    d->SpeedButton_ReadFromDevice->setChecked(true);
    // type 4, low -1, high 99999, error high, disabled, source 2
    EXPECT_EQ(Serve({4, 0xFF, 0xFF, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0x00, 1, 1, 2}), 205);
    EXPECT_EQ(w->recRX.uAnalogueType_2, 4);
    EXPECT_EQ(w->recRX.iAnalogueHigh_2, 99999);
    EXPECT_EQ(w->recRX.uAnalogueType, 0) << "slot 1 untouched";
    EXPECT_FALSE(d->CheckBox_bEnableAnalogueError->isChecked());
    EXPECT_EQ(d->RadioGroup_PXAO_SourceInput->ItemIndex(), 1);

    d->SpeedButton_ReadDefault->setChecked(true);
    EXPECT_EQ(Serve({1, 0, 0, 0, 0, 0x10, 0x27, 0, 0, 0, 0, 1}), 212);
    EXPECT_EQ(w->recRX.uAnalogueType, 1) << "factory values land in slot 1's fields";

    // Type 0-10 V, scale 0..1000, error signalling on, source item 0.
    d->RadioGroup_uAnalogueType->SetItemIndex(2);
    d->iScaleLowSettings = 0;
    d->iScaleHighSettings = 1000;
    d->CheckBox_bAnalogueErrorHigh->setChecked(false);
    d->CheckBox_bEnableAnalogueError->setChecked(true);
    d->RadioGroup_PXAO_SourceInput->SetItemIndex(0);
    d->SpeedButton_WriteToDevice->click();  // a range from zero: the high level tells errors
    EXPECT_TRUE(d->CheckBox_bAnalogueErrorHigh->isChecked());
    EXPECT_EQ(Serve(), 206);
    EXPECT_EQ(lastRequest, (std::vector<uint8_t>{0x02, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x01, 0x00, 0x01}));
    EXPECT_EQ(w->recTX.uAnalogueType_2, 2);
    EXPECT_EQ(Serve({2}), 205) << "the read-back goes to the same slot";

    // 4-20 mA leaves the error level as the user set it.
    d->RadioGroup_uAnalogueType->SetItemIndex(0);
    d->CheckBox_bAnalogueErrorHigh->setChecked(false);
    d->SpeedButton_WriteToDevice->click();
    EXPECT_FALSE(d->CheckBox_bAnalogueErrorHigh->isChecked());
}

TEST_F(AnalogDialogs, OpenersSetTheSlotAndAskForARead) {
    struct Case {
        const char* button;
        bool primary;
        const char* caption;
    } cases[] = {
        {"Button_PX330_PXAO_Tovabbi", false, "Analóg kimenet 2 (UI)"},
        {"Button_PX350_PXAO_Fo", true, "Analóg kimenet 1 (UI)"},
    };
    for (const auto& c : cases) {
        TForm_PXAO* d = w->Form_PXAO;
        bool seen = false;
        QTimer::singleShot(0, d, [&] {
            seen = d->isVisible() && d->SpeedButton_ReadFromDevice->isChecked();
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption));
            d->reject();
        });
        Find<QPushButton>(c.button)->click();
        EXPECT_TRUE(seen) << c.button;
        EXPECT_EQ(w->bFoKimenetiModulVanNyitva, c.primary) << c.button;
        EXPECT_EQ(Serve({}), c.primary ? 203 : 205);
    }
}

TEST_F(AnalogDialogs, ScaleGroupHiddenWithAModbusInput) {
    TForm_PXAO* d = w->Form_PXAO;
    w->recRX.uPXOptIn = 8;
    d->show();
    EXPECT_TRUE(d->GroupBox_ScaleAnalogOutput->isHidden());
    d->hide();
    w->recRX.uPXOptIn = 1;
    d->show();
    EXPECT_FALSE(d->GroupBox_ScaleAnalogOutput->isHidden());
    d->hide();
}

// Read, edit, write and read back against the virtual instrument, and the
// header following the new scale.
TEST(AnalogDialogsWithInstrument, ScaleEditReachesTheInstrumentAndTheHeader) {
    sim::InstrumentConfig cfg;
    InstrumentProgram program(cfg);  // the signal stands at 95 % of its range
    auto& hid = program.hid;
    TForm1* w = program.w;
    TForm_PXAI* d = w->Form_PXAI;
    WAIT_FOR(w->recMBU.bOnline, 2000);
    d->SpeedButton_ReadFromDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(d->iScaleHighSettings, 10000);
    ASSERT_TRUE(w->valueDestinations.Deliver(2, 5000));
    d->SpeedButton_WriteToDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked() && !d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(hid.Instrument().Settings().input.scaleHigh, 5000);
    EXPECT_EQ(d->iScaleHighSettings, 5000) << "read back";
    WAIT_FOR(w->recRX.iSkalazottKijezesiErtek == 4750, 3000);
    EXPECT_EQ(w->findChild<QLabel*>("Label_fValue1")->text(), "47.50");

    d->SpeedButton_ReadDefault->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadDefault->isChecked(), 3000);
    EXPECT_EQ(d->iScaleHighSettings, 10000) << "factory values";
}

}  // namespace
}  // namespace velmar
