// Pages and dialogs stand on an instrument context alone: built without the
// main window, they read from the virtual instrument and show what it holds,
// and a write from them carries only what was read.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "core/modules/limit_relay_codec.h"
#include "core/views/px210_codec.h"
#include "gui/device/px210_page.h"
#include "gui/link/instrument_values.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/views/radio_group.h"
#include "tests/support/context_fixture.h"

namespace velmar {
namespace {

struct PageOnContext : ContextFixture {};

TEST_F(PageOnContext, PX210PageReadsTheInstrumentWithoutTheMainWindow) {
    sim::InstrumentConfig config;
    config.deviceType = 210;
    Attach(config);
    PX210Block& held = Instrument().Settings().px210;
    held.leadingZeros = false;
    held.decimals = 2;
    held.scaleLow = -150;
    held.scaleHigh = 2500;
    PX210Page page(ctx, &window);

    page.SpeedButton_ReadFromDevice_PX210->setChecked(true);
    Exchange(kReadPX210);

    EXPECT_FALSE(page.SpeedButton_ReadFromDevice_PX210->isChecked()) << "the read button is released";
    EXPECT_FALSE(page.CheckBox_DisplayLeaderZeros_PX210->isChecked());
    EXPECT_EQ(page.RadioGroup_uDecimalPointSettings_PX210->ItemIndex(), 2);
    EXPECT_EQ(page.Label_iScaleLowSettings_PX210->text(), "-01,50");  // as the four digits show it
    EXPECT_EQ(page.Label_iScaleHighSettings_PX210->text(), "25,00");
    EXPECT_EQ(rx.iScaleHighSettings, 2500);
}

TEST_F(PageOnContext, PX210PageWritesBackWhatItRead) {
    sim::InstrumentConfig config;
    config.deviceType = 210;
    Attach(config);
    Instrument().Settings().px210.scaleHigh = 1234;
    PX210Page page(ctx, &window);
    Exchange(kReadPX210);

    page.RadioGroup_uDecimalPointSettings_PX210->SetItemIndex(3);
    Exchange(kWritePX210);
    EXPECT_EQ(Instrument().Settings().px210.decimals, 3);
    EXPECT_EQ(Instrument().Settings().px210.scaleHigh, 1234);
    EXPECT_TRUE(page.SpeedButton_ReadFromDevice_PX210->isChecked()) << "a read-back is asked for";
}

TEST_F(PageOnContext, LimitRelayDialogReadsEachSlotWithoutTheMainWindow) {
    sim::InstrumentConfig config;
    config.optOut1 = 5;  // limit relay modules in both slots
    config.optOut2 = 5;
    Attach(config);
    rx.uDecimalPoint = 1;
    SetDecimalMask(rx, 1);
    auto& limits = Instrument().Settings().limits;
    limits[0] = LimitBlock{3, 625, 750, 25, true, 120, 4, 1};
    limits[1] = LimitBlock{1, -5, 10, 0, false, 30, 1, 2};
    TForm_PXRL dialog(ctx);

    struct Case {
        uint8_t command;
        bool firstSlot;
        int mode;
        const char *a, *b, *hysteresis, *seconds;
        bool hold;
        int source;
    } cases[] = {
        {kReadLimit1, true, 3, "62,5", "75,0", "2,5", "120", true, 0},
        {kReadLimit2, false, 1, "-0,5", "1,0", "0,0", "30", false, 1},
    };
    for (const Case& c : cases) {
        firstSlot = c.firstSlot;
        dialog.SpeedButton_ReadFromDevice->setChecked(true);
        Exchange(c.command);
        EXPECT_FALSE(dialog.SpeedButton_ReadFromDevice->isChecked());
        EXPECT_EQ(dialog.RadioGroup_enuLimitMode->ItemIndex(), c.mode) << int(c.command);
        EXPECT_EQ(dialog.Label_iSettingsA->text(), c.a) << int(c.command);
        EXPECT_EQ(dialog.Label_iSettingsB->text(), c.b) << int(c.command);
        EXPECT_EQ(dialog.Label_iSettingsHysteresis->text(), c.hysteresis) << int(c.command);
        EXPECT_EQ(dialog.Edit_uSec->text(), c.seconds) << int(c.command);
        EXPECT_EQ(dialog.CheckBox_bHold->isChecked(), c.hold) << int(c.command);
        EXPECT_EQ(dialog.RadioGroup_PXRL_SourceInput->ItemIndex(), c.source) << int(c.command);
        EXPECT_TRUE(dialog.Values().Holds()) << "a write may take what was read, " << int(c.command);
    }
}

TEST_F(PageOnContext, LimitRelayDialogRefusesAWriteOfAnotherInstrumentsSettings) {
    sim::InstrumentConfig config;
    config.optOut1 = 5;
    Attach(config);
    TForm_PXRL dialog(ctx);
    firstSlot = true;
    Exchange(kReadLimit1);
    ASSERT_TRUE(dialog.Values().Holds());

    answering = InstrumentKey{330, 9999};
    emit events.answeringInstrumentChanged();
    EXPECT_FALSE(dialog.Values().Holds());
    EXPECT_TRUE(dialog.Label_ValuesOfAnotherInstrument->isVisibleTo(&dialog));
    dialog.SpeedButton_WriteToDevice->setChecked(true);
    EXPECT_FALSE(dialog.SpeedButton_WriteToDevice->isChecked()) << "the write goes up again at once";
    ASSERT_EQ(informed.size(), 1);
}

}  // namespace
}  // namespace velmar
