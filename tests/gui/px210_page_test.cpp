// The PX210USB page: its controls, what the answers to 234 and 235 show,
// what 236 carries, the scale editors, the test group, and a round against
// the virtual instrument.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/device/device_types.h"
#include "core/views/px210_codec.h"
#include "gui/device/px210_page.h"
#include "gui/views/indicator_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_digits.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

std::vector<uint8_t> Bytes(PX210Block b) {
    std::vector<uint8_t> out;
    BytesWriter w(out);
    PX210Layout(w, b);
    return out;
}

QString CaptionOf(const QWidget* c) {
    if (auto* box = qobject_cast<const QGroupBox*>(c)) return box->title();
    return c->property("text").toString();
}

struct PX210PageTest : WindowFixture {
    PX210Page* p = nullptr;
    void SetUp() override {
        Create();
        Plug();
        w->DecimalSeparator = ',';
        p = w->px210Page;
        ASSERT_NE(p, nullptr);
    }
};

TEST_F(PX210PageTest, ControlsStartAsDesigned) {
    QWidget* tab = w->devicePages[std::size_t(DevicePage::P210)];
    EXPECT_EQ(tab->objectName(), "TabSheet_210");
    EXPECT_TRUE(tab->isAncestorOf(p));
    EXPECT_EQ(w->PageControl4->tabText(w->PageControl4->indexOf(tab)), "PX210USB");

    struct Control {
        const char* name;
        const char* caption;
        bool hidden = false;
    } controls[] = {
        {"GroupBox_Beallitasok_PX210", "BEÁLLÍTÁSOK"},
        {"RadioGroup_DisplayRefresh_PX210", "MÉRÉSI IDŐ"},
        {"RadioGroup_uDecimalPointSettings_PX210", "TIZEDESJEGYEK"},
        {"RadioGroup_uCounterForDisplayRefresh_PX210", "KIJELZŐ FRISSÍTÉS"},
        {"GroupBox_Skalazas_PX210", "BEMENŐ JEL SKÁLÁZÁSA"},
        {"Label_ScaleLow_PX210", "Skála alsó számérték:"},
        {"Label_iScaleLowSettings_PX210", "xxxxx"},
        {"Button_ScaleLowSettings_PX210", "Módosítás"},
        {"Label_ScaleHigh_PX210", "Skála felső számérték:"},
        {"Label_iScaleHighSettings_PX210", "xxxxx"},
        {"Button_ScaleHighSettings_PX210", "Módosítás"},
        {"CheckBox_DisplayLeaderZeros_PX210", "Vezető nullák kijelzése"},
        {"Button_ChangePassword_PX210", "Jelszó módosítása"},
        {"SpeedButton_ReadFromDevice_PX210", "Kiolvasás a készülékből"},
        {"SpeedButton_ReadDefault_PX210", "Gyári alapértékek"},
        {"SpeedButton_WriteToDevice_PX210", "Beírás a készülékbe"},
        {"GroupBox_Tesztek_PX210", "TESZTEK"},
        {"GroupBox_KijelzoTeszt_PX210", "KIJELZŐ TESZT"},
        {"CheckBox_KijelzoTeszt_PX210", "Kijelző teszt"},
        {"Label_Tesztminta_PX210", "Tesztminta:"},
        {"Label_KijelzoTeszt_PX210", "1"},
        {"Button_KijelzoTeszt_PX210_1", "1."},
        {"Button_KijelzoTeszt_PX210_Minus", "-1"},
        {"Button_KijelzoTeszt_PX210_Plus", "+1"},
        {"GroupBox_NyomogombTeszt_PX210", "NYOMÓGOMB TESZT"},
        {"Label_SWLeft_PX210", "Balra", true},
        {"Label_SWUp_PX210", "Fel", true},
        {"Label_SWRight_PX210", "Jobbra", true},
    };
    for (const Control& c : controls) {
        auto* found = w->findChild<QWidget*>(c.name);
        ASSERT_NE(found, nullptr) << c.name;
        EXPECT_TRUE(p->isAncestorOf(found)) << c.name;
        EXPECT_EQ(CaptionOf(found), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(found->isHidden(), c.hidden) << c.name;
    }
    EXPECT_TRUE(p->CheckBox_DisplayLeaderZeros_PX210->isChecked());
    EXPECT_FALSE(p->tests->CheckBox_KijelzoTeszt->isChecked());
    EXPECT_EQ(w->findChild<QWidget*>("Button_KijelzoTeszt_PX210_16"), nullptr);

    struct Choice {
        RadioGroup* group;
        QStringList items;
        int selected;
    } choices[] = {
        {p->RadioGroup_DisplayRefresh_PX210, {"10 ms", "50 ms", "100 ms", "200 ms", "300 ms", "500 ms", "1000 ms"}, 5},
        {p->RadioGroup_uDecimalPointSettings_PX210, {"0", "1", "2", "3", "4"}, 2},
        {p->RadioGroup_uCounterForDisplayRefresh_PX210,
         {"Leggyorsabb", "100 ms", "200 ms", "300 ms", "500 ms", "1 s", "2 s"},
         4},
    };
    for (const Choice& c : choices) {
        ASSERT_EQ(c.group->Count(), c.items.size()) << c.group->objectName().toStdString();
        for (int i = 0; i < c.group->Count(); ++i) EXPECT_EQ(c.group->Item(i)->text(), c.items[i]);
        EXPECT_EQ(c.group->ItemIndex(), c.selected) << c.group->objectName().toStdString();
    }
}

TEST_F(PX210PageTest, AnswersShowOnThePage) {
    struct Case {
        QPushButton* button;
        int command;
        PX210Block answer;
        bool leadingZeros;
        int refreshItem, timeItem, decimalsItem;
        const char* low;
        const char* high;
    } cases[] = {
        {p->SpeedButton_ReadFromDevice_PX210, 234, {true, 10, 55, 2, 1234, -1234, 1}, true, 1, 5, 2, "12,34", "-12,34"},
        {p->SpeedButton_ReadFromDevice_PX210, 234, {true, 200, 90, 0, -5, 12345, 1}, true, 6, 6, 0, "-0005", "12345"},
        {p->SpeedButton_ReadDefault_PX210, 235, {false, 1, 2, 1, 0, 1000, 1}, false, 0, 0, 1, "000,0", "100,0"},
        {p->SpeedButton_ReadFromDevice_PX210, 234, {true, 30, 40, 3, 5, 9999, 1}, true, 3, 4, 3, "0,005", "9,999"},
        // Codes outside the tables: "500 ms" twice, and the last decimals item.
        {p->SpeedButton_ReadDefault_PX210, 235, {false, 77, 77, 9, -5, 12345, 3}, false, 4, 5, 4, "-0,0005", "1,2345"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.low);
        c.button->setChecked(true);
        ASSERT_EQ(Serve(Bytes(c.answer)), c.command);
        EXPECT_FALSE(c.button->isChecked()) << "the answer releases its button";
        EXPECT_EQ(p->CheckBox_DisplayLeaderZeros_PX210->isChecked(), c.leadingZeros);
        EXPECT_EQ(p->RadioGroup_uCounterForDisplayRefresh_PX210->ItemIndex(), c.refreshItem);
        EXPECT_EQ(p->RadioGroup_DisplayRefresh_PX210->ItemIndex(), c.timeItem);
        EXPECT_EQ(p->RadioGroup_uDecimalPointSettings_PX210->ItemIndex(), c.decimalsItem);
        EXPECT_EQ(p->Label_iScaleLowSettings_PX210->text(), c.low);
        EXPECT_EQ(p->Label_iScaleHighSettings_PX210->text(), c.high);
        EXPECT_EQ(w->recRX.uDecimalPointSettings, c.answer.decimals) << "kept as reported";
        EXPECT_EQ(w->recRX.uRoundSettings, c.answer.rounding);
    }
}

TEST_F(PX210PageTest, DecimalsMovePointOnlyAndAreWritten) {
    p->SpeedButton_ReadFromDevice_PX210->setChecked(true);
    ASSERT_EQ(Serve(Bytes({true, 50, 55, 2, 1234, 5000, 5})), 234);
    EXPECT_EQ(p->Label_iScaleLowSettings_PX210->text(), "12,34");

    p->RadioGroup_uDecimalPointSettings_PX210->Item(1)->click();
    EXPECT_EQ(p->Label_iScaleLowSettings_PX210->text(), "123,4");
    EXPECT_EQ(p->Label_iScaleHighSettings_PX210->text(), "500,0");
    EXPECT_EQ(w->recRX.uDecimalPointSettings, 1);
    EXPECT_EQ(w->recRX.iScaleLowSettings, 1234) << "the stored integer stays";

    p->SpeedButton_WriteToDevice_PX210->setChecked(true);
    ASSERT_EQ(Serve(), 236);
    // Rounding 1 although the instrument reported 5.
    EXPECT_EQ(lastRequest, (std::vector<uint8_t>{1, 50, 55, 1, 0xD2, 0x04, 0, 0, 0x88, 0x13, 0, 0, 1}));
    EXPECT_FALSE(p->SpeedButton_WriteToDevice_PX210->isChecked());
    EXPECT_TRUE(p->SpeedButton_ReadFromDevice_PX210->isChecked()) << "a read-back follows every write";
    EXPECT_EQ(Serve(Bytes({})), 234);
    EXPECT_FALSE(p->SpeedButton_ReadFromDevice_PX210->isChecked());
}

TEST_F(PX210PageTest, WriteTakesTheControlsAndTheStoredScale) {
    struct Case {
        bool leadingZeros;
        int refreshItem, timeItem, decimalsItem;
        int32_t low, high;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {true, 0, 2, 3, -200, 1800, {1, 1, 14, 3, 0x38, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x00, 0x00, 1}},
        {false, 6, 6, 0, -9999, 9999, {0, 200, 90, 0, 0xF1, 0xD8, 0xFF, 0xFF, 0x0F, 0x27, 0x00, 0x00, 1}},
        {true, 4, 0, 4, 0, 1, {1, 50, 2, 4, 0, 0, 0, 0, 1, 0, 0, 0, 1}},
    };
    p->SpeedButton_ReadFromDevice_PX210->setChecked(true);  // a write takes only settings read from the instrument
    ASSERT_EQ(Serve(Bytes({})), 234);
    for (const Case& c : cases) {
        p->CheckBox_DisplayLeaderZeros_PX210->setChecked(c.leadingZeros);
        p->RadioGroup_uCounterForDisplayRefresh_PX210->SetItemIndex(c.refreshItem);
        p->RadioGroup_DisplayRefresh_PX210->SetItemIndex(c.timeItem);
        p->RadioGroup_uDecimalPointSettings_PX210->SetItemIndex(c.decimalsItem);
        w->recRX.iScaleLowSettings = c.low;
        w->recRX.iScaleHighSettings = c.high;
        w->recRX.uRoundSettings = 2;
        p->SpeedButton_WriteToDevice_PX210->setChecked(true);
        ASSERT_EQ(Serve(), 236);
        EXPECT_EQ(lastRequest, c.bytes);
        EXPECT_EQ(w->recTX.uAverage, c.bytes[2]);
        EXPECT_EQ(w->recTX.iScaleLowSettings, c.low);
        EXPECT_EQ(w->recTX.uRoundSettings, 1);
        ASSERT_EQ(Serve(Bytes({})), 234);  // the read-back
    }
}

TEST_F(PX210PageTest, RequestButtonsLatchAndReachTheScheduler) {
    // Entering the page asks for nothing: the next command is the status.
    w->SelectDevicePage(210);
    w->ReadActivePageSettings();
    EXPECT_EQ(w->PageControl4->currentWidget(), w->devicePages[std::size_t(DevicePage::P210)]);
    EXPECT_EQ(Serve(), 101);

    QPushButton* read = w->findChild<QPushButton*>("SpeedButton_ReadFromDevice_PX210");
    QPushButton* defaults = w->findChild<QPushButton*>("SpeedButton_ReadDefault_PX210");
    QPushButton* write = w->findChild<QPushButton*>("SpeedButton_WriteToDevice_PX210");
    read->click();
    defaults->click();
    EXPECT_FALSE(read->isChecked()) << "one request at a time";
    write->click();
    EXPECT_FALSE(defaults->isChecked());
    write->click();
    EXPECT_FALSE(write->isChecked()) << "and all may be up";

    defaults->click();
    EXPECT_EQ(Serve(Bytes({})), 235);
    EXPECT_EQ(Serve(), 101) << "nothing left pending";
}

TEST_F(PX210PageTest, EditedScaleEndsLandInTheRecord) {
    struct Case {
        int identifier;
        int decimalsItem;
        int32_t value;
        int32_t tRX::*field;
        QLabel* label;
        const char* shown;
    } cases[] = {
        {18, 0, -5, &tRX::iScaleLowSettings, p->Label_iScaleLowSettings_PX210, "-0005"},
        {19, 2, 9999, &tRX::iScaleHighSettings, p->Label_iScaleHighSettings_PX210, "99,99"},
        {18, 4, -9999, &tRX::iScaleLowSettings, p->Label_iScaleLowSettings_PX210, "-0,9999"},
    };
    for (const Case& c : cases) {
        p->RadioGroup_uDecimalPointSettings_PX210->SetItemIndex(c.decimalsItem);
        ASSERT_TRUE(w->valueDestinations.Deliver(c.identifier, c.value));
        EXPECT_EQ(w->recRX.*c.field, c.value);
        EXPECT_EQ(c.label->text(), c.shown);
    }
    EXPECT_TRUE(hid.written.empty()) << "an edit sends nothing by itself";
}

TEST_F(PX210PageTest, ScaleAndDecimalEditsKeepTheOtherChoices) {
    // The record holds what was read: redrawing the page from it would turn
    // these choices into "10 ms", no leading zeros, "Leggyorsabb".
    p->SpeedButton_ReadFromDevice_PX210->setChecked(true);
    ASSERT_EQ(Serve(Bytes(PX210Block{false, 1, 2, 2, 0, 0, 1})), 234);
    p->RadioGroup_DisplayRefresh_PX210->SetItemIndex(6);
    p->CheckBox_DisplayLeaderZeros_PX210->setChecked(true);
    p->RadioGroup_uCounterForDisplayRefresh_PX210->SetItemIndex(3);
    ASSERT_TRUE(w->valueDestinations.Deliver(18, 1234));
    p->RadioGroup_uDecimalPointSettings_PX210->Item(1)->click();
    EXPECT_EQ(p->Label_iScaleLowSettings_PX210->text(), "123,4");
    p->SpeedButton_WriteToDevice_PX210->setChecked(true);
    EXPECT_EQ(Serve(), 236);
    EXPECT_EQ(lastRequest, (std::vector<uint8_t>{1, 30, 90, 1, 0xD2, 0x04, 0, 0, 0, 0, 0, 0, 1}));
}

TEST_F(PX210PageTest, ScaleButtonsOpenTheDigitEditorWithinFourDigits) {
    struct Case {
        QPushButton* button;
        int identifier;
        const char* caption;
        int32_t tRX::*field;
        bool up;  // steps the ten-thousands digit up, else down
        int32_t stored;
        QLabel* label;
        const char* shown;
    } cases[] = {
        {p->Button_ScaleLowSettings_PX210, 18, "4 mA-hez tartozó, skála számérték beállítása", &tRX::iScaleLowSettings,
         true, 9999, p->Label_iScaleLowSettings_PX210, "9,999"},
        {p->Button_ScaleHighSettings_PX210, 19, "20 mA-hez tartozó, skála számérték beállítása",
         &tRX::iScaleHighSettings, false, -9999, p->Label_iScaleHighSettings_PX210, "-9,999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.identifier);
        p->RadioGroup_uDecimalPointSettings_PX210->SetItemIndex(3);
        w->recRX.uDecimalPointSettings = 3;
        w->recRX.*c.field = 1234;
        TForm_IncDec* e = w->Form_IncDec;
        bool seen = false;
        QTimer::singleShot(0, e, [&] {
            seen = e->isVisible();
            EXPECT_EQ(e->iIdentifier, c.identifier);
            EXPECT_EQ(e->iValue, 1234);
            EXPECT_EQ(e->iMin, -9999);
            EXPECT_EQ(e->iMax, 9999);
            EXPECT_EQ(e->uDecimalPoint, 3);
            EXPECT_EQ(e->Label_Caption->text(), QString::fromUtf8(c.caption));
            QPushButton* step = c.up ? e->Button_PlusDigit[0] : e->Button_MinusDigit[0];
            step->click();
            step->click();
            e->Button_OK->click();
        });
        c.button->click();
        EXPECT_TRUE(seen);
        EXPECT_EQ(w->recRX.*c.field, c.stored);
        EXPECT_EQ(c.label->text(), c.shown);
    }
}

TEST_F(PX210PageTest, TestButtonsStepTheSharedPattern) {
    struct Step {
        QPushButton* button;
        int pattern;
    } steps[] = {
        {p->tests->Button_KijelzoTeszt_Minus, 1}, {p->tests->Button_KijelzoTeszt_Plus, 2},
        {p->tests->Button_KijelzoTeszt_Plus, 3},  {p->tests->Button_KijelzoTeszt_Minus, 2},
        {p->tests->Button_KijelzoTeszt_1, 1},
    };
    w->SetDisplayTestPattern(1);
    for (const Step& s : steps) {
        s.button->click();
        EXPECT_EQ(w->recGlobalVar.uKijelzoTeszt_PX530, s.pattern) << s.button->objectName().toStdString();
    }
    w->SetDisplayTestPattern(21);
    p->tests->Button_KijelzoTeszt_Plus->click();
    EXPECT_EQ(w->recGlobalVar.uKijelzoTeszt_PX530, 21);
    p->tests->CheckBox_KijelzoTeszt->click();
    EXPECT_EQ(w->recGlobalVar.uKijelzoTeszt_PX530, 21) << "the check box changes nothing";
    EXPECT_EQ(p->tests->Label_KijelzoTeszt->text(), "1");
}

// Read, edit, write and read back against the virtual instrument.
TEST(PX210PageWithInstrument, EditedScaleReachesTheInstrument) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 210;
    InstrumentProgram program(cfg);
    auto& hid = program.hid;
    TForm1* w = program.w;
    PX210Page* p = w->px210Page;
    WAIT_FOR(w->recMBU.bOnline, 2000);

    p->SpeedButton_ReadFromDevice_PX210->setChecked(true);
    WAIT_FOR(!p->SpeedButton_ReadFromDevice_PX210->isChecked(), 3000);
    EXPECT_EQ(p->Label_iScaleHighSettings_PX210->text(), "100.0");
    EXPECT_EQ(p->RadioGroup_DisplayRefresh_PX210->ItemIndex(), 5);

    ASSERT_TRUE(w->valueDestinations.Deliver(18, -200));
    EXPECT_EQ(p->Label_iScaleLowSettings_PX210->text(), "-020.0");
    p->CheckBox_DisplayLeaderZeros_PX210->setChecked(false);
    p->RadioGroup_DisplayRefresh_PX210->SetItemIndex(6);
    p->SpeedButton_WriteToDevice_PX210->setChecked(true);
    WAIT_FOR(!p->SpeedButton_WriteToDevice_PX210->isChecked() && !p->SpeedButton_ReadFromDevice_PX210->isChecked(),
             3000);
    EXPECT_EQ(hid.Instrument().Settings().px210, (PX210Block{false, 50, 90, 1, -200, 1000, 1}));
    EXPECT_EQ(w->recRX.iScaleLowSettings, -200) << "read back";
    EXPECT_EQ(w->recRX.uAverageIndex, 6);

    p->SpeedButton_ReadDefault_PX210->setChecked(true);
    WAIT_FOR(!p->SpeedButton_ReadDefault_PX210->isChecked(), 3000);
    EXPECT_EQ(p->Label_iScaleLowSettings_PX210->text(), "000.0") << "factory values";
    EXPECT_TRUE(p->CheckBox_DisplayLeaderZeros_PX210->isChecked());
}

}  // namespace
}  // namespace velmar
