// The PX530 page: display settings through the scheduler, the display test
// carried by the status request, the push-button test, entering the page,
// and a round against the virtual instrument.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

#include "core/device/device_types.h"
#include "core/views/display_codec.h"
#include "gui/device/px530_page.h"
#include "gui/views/about_page.h"
#include "gui/views/radio_group.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

struct PX530PageTest : WindowFixture {
    PX530Page* p = nullptr;
    QWidget* page = nullptr;
    void SetUp() override {
        Create();
        Plug();
        p = w->px530Page;
        page = w->devicePages[std::size_t(DevicePage::P530)];
        w->ShowDevicePage(page);
    }
    // The user picks the about page, then this one again.
    void ReenterPage() {
        w->PageControl4->setCurrentWidget(w->aboutPage);
        w->PageControl4->setCurrentWidget(page);
    }
    // The display test code of the next status request.
    int TestCode() {
        EXPECT_EQ(Serve(), 101);
        return lastRequest.at(7);
    }
};

TEST_F(PX530PageTest, AnswersSetBrightnessZerosAndRefresh) {
    struct Case {
        uint8_t brightness, zeros, refresh;
        int position;
        const char* label;
        int refreshItem;
    } cases[] = {
        {55, 1, 50, 6, "60%", 4},     {45, 0, 77, 4, "40%", 4},    {0, 1, 1, 1, "10%", 0},
        {250, 0, 200, 10, "100%", 6}, {100, 0, 10, 10, "100%", 1},
    };
    for (const auto& c : cases) {
        p->SpeedButton_ReadFromDevice_PX530->setChecked(true);
        EXPECT_EQ(Serve({c.brightness, c.zeros, c.refresh}), 217);
        EXPECT_FALSE(p->SpeedButton_ReadFromDevice_PX530->isChecked());
        EXPECT_EQ(p->TrackBar_Brightness_PX530->value(), c.position) << int(c.brightness);
        EXPECT_EQ(p->Label_Brightness_PX530->text(), c.label) << int(c.brightness);
        EXPECT_EQ(p->CheckBox_DisplayLeaderZeros_PX530->isChecked(), bool(c.zeros));
        EXPECT_EQ(p->RadioGroup_uCounterForDisplayRefresh->ItemIndex(), c.refreshItem) << int(c.refresh);
        EXPECT_EQ(w->recRX.uBrightness, c.brightness);
    }
    p->SpeedButton_ReadDefault_PX530->setChecked(true);
    EXPECT_EQ(Serve({80, 1, 50}), 219);
    EXPECT_FALSE(p->SpeedButton_ReadDefault_PX530->isChecked());
    EXPECT_EQ(p->Label_Brightness_PX530->text(), "80%");
}

TEST_F(PX530PageTest, WriteSendsTheControlsAndReadsBack) {
    struct Case {
        int position;
        bool zeros;
        int refreshItem;
        Bytes sent;
    } cases[] = {
        {7, false, 6, {70, 0, 200}},
        {1, true, 4, {10, 1, 50}},
        {10, true, 0, {100, 1, 1}},
    };
    p->SpeedButton_ReadFromDevice_PX530->setChecked(true);  // a write takes only settings read from the instrument
    ASSERT_EQ(Serve(), 217);
    for (const auto& c : cases) {
        p->TrackBar_Brightness_PX530->setValue(c.position);
        p->CheckBox_DisplayLeaderZeros_PX530->setChecked(c.zeros);
        p->RadioGroup_uCounterForDisplayRefresh->SetItemIndex(c.refreshItem);
        p->SpeedButton_WriteToDevice_PX530->setChecked(true);
        EXPECT_EQ(Serve(), 218);
        EXPECT_EQ(lastRequest, c.sent);
        EXPECT_EQ(w->recTX.uCounterForDisplayRefresh, c.sent[2]);
        EXPECT_FALSE(p->SpeedButton_WriteToDevice_PX530->isChecked());
        EXPECT_EQ(Serve(c.sent), 217) << "a read-back follows every write";
    }
}

TEST_F(PX530PageTest, DisplayTestPatternAndItsCode) {
    p->CheckBox_KijelzoTeszt_PX530->click();
    EXPECT_EQ(TestCode(), 1);
    p->Button_KijelzoTeszt_PX530_Minus->click();
    EXPECT_EQ(p->Label_KijelzoTeszt_PX530->text(), "1") << "not below 1";
    p->Button_KijelzoTeszt_PX530_16->click();
    p->Button_KijelzoTeszt_PX530_Plus->click();
    EXPECT_EQ(p->Label_KijelzoTeszt_PX530->text(), "17");
    EXPECT_EQ(TestCode(), 17);
    for (int i = 0; i < 6; ++i) p->Button_KijelzoTeszt_PX530_Plus->click();
    EXPECT_EQ(p->Label_KijelzoTeszt_PX530->text(), "21") << "not above 21";
    p->Button_KijelzoTeszt_PX530_1->click();
    EXPECT_EQ(TestCode(), 1);

    // Only while the page is in front and the box ticked.
    p->CheckBox_KijelzoTeszt_PX530->click();
    EXPECT_EQ(TestCode(), 0);
    p->CheckBox_KijelzoTeszt_PX530->click();
    p->Button_KijelzoTeszt_PX530_16->click();
    {
        const QSignalBlocker quiet(w->PageControl4);  // no page read in between
        w->PageControl4->setCurrentWidget(w->aboutPage);
    }
    EXPECT_EQ(TestCode(), 0);
}

TEST_F(PX530PageTest, EnteringThePageResetsTheTestAndReads) {
    p->CheckBox_KijelzoTeszt_PX530->click();
    p->Button_KijelzoTeszt_PX530_16->click();
    ReenterPage();
    EXPECT_FALSE(p->CheckBox_KijelzoTeszt_PX530->isChecked());
    EXPECT_EQ(p->Label_KijelzoTeszt_PX530->text(), "1");
    EXPECT_EQ(Serve({50, 1, 20}), 217);
    EXPECT_EQ(TestCode(), 0);

    // The program's own page changes read nothing.
    w->ShowNoCommPage();
    w->ShowDevicePage(page);
    EXPECT_EQ(Serve(), 101);
}

TEST_F(PX530PageTest, StatusShowsPushButtonsAndHidesWhatATimerInputLacks) {
    struct Case {
        uint8_t buttons, input;
        bool left, up, right, settings;
    } cases[] = {
        {0b101, 1, true, false, true, true},
        {0b010, 7, false, true, false, false},
        {0b000, 8, false, false, false, true},
        {0xFF, 1, true, true, true, true},
    };
    for (const auto& c : cases) {
        tRX rx;
        rx.uDebounced = c.buttons;
        rx.uPXOptIn = c.input;
        Status(rx, 530);
        EXPECT_EQ(p->Label_SWLeft->isVisibleTo(w), c.left) << int(c.buttons);
        EXPECT_EQ(p->Label_SWUp->isVisibleTo(w), c.up) << int(c.buttons);
        EXPECT_EQ(p->Label_SWRight->isVisibleTo(w), c.right) << int(c.buttons);
        EXPECT_EQ(p->CheckBox_DisplayLeaderZeros_PX530->isVisibleTo(w), c.settings) << int(c.input);
        EXPECT_EQ(p->RadioGroup_uCounterForDisplayRefresh->isVisibleTo(w), c.settings) << int(c.input);
    }
}

// The page against the virtual instrument: entering it reads the settings, a
// write reaches the instrument, which sees the display test and reports its
// push buttons.
TEST(PX530PageWithInstrument, SettingsTestAndButtons) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 544;
    cfg.buttons = 0b010;
    InstrumentProgram program(cfg);
    auto& hid = program.hid;
    TForm1* w = program.w;
    PX530Page* p = w->px530Page;
    // The identity load after two seconds selects the page and reads it.
    WAIT_FOR(w->PageControl4->currentWidget() == w->devicePages[std::size_t(DevicePage::P530)], 4000);
    WAIT_FOR(!p->SpeedButton_ReadFromDevice_PX530->isChecked(), 3000);
    EXPECT_EQ(p->Label_Brightness_PX530->text(), "80%");
    EXPECT_TRUE(p->Label_SWUp->isVisibleTo(w));

    p->TrackBar_Brightness_PX530->setValue(3);
    p->RadioGroup_uCounterForDisplayRefresh->SetItemIndex(5);
    p->SpeedButton_WriteToDevice_PX530->setChecked(true);
    WAIT_FOR(!p->SpeedButton_WriteToDevice_PX530->isChecked() && !p->SpeedButton_ReadFromDevice_PX530->isChecked(),
             3000);
    EXPECT_EQ(hid.Instrument().Settings().display, (DisplayBlock{30, false, 100}));

    p->CheckBox_KijelzoTeszt_PX530->click();
    p->Button_KijelzoTeszt_PX530_16->click();
    WAIT_FOR(hid.Instrument().Live().DisplayTestPattern() == 16, 3000);
    p->CheckBox_KijelzoTeszt_PX530->click();
    WAIT_FOR(hid.Instrument().Live().DisplayTestPattern() == 0, 3000);
}

}  // namespace
}  // namespace velmar
