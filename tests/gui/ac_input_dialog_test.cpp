// The AC input dialog of the PX350 and PX370: what its openers set up for
// each model and mode, what a write carries and what refuses it, what a
// read fills in, and a round against the virtual instrument.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

#include "gui/modules/ac_input_calibration.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/ac_input_velmar_tab.h"
#include "gui/views/lamp.h"
#include "gui/views/radio_group.h"
#include "tests/support/ac_input_fixture.h"
#include "tests/support/wait_for.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

TEST_F(AcInputDialog, OpenersSetUpTheAttachedModel) {
    struct Case {
        uint16_t device;
        bool shunt, service;
        const char* caption;
        const char* ranges;  // the range group shown
        const char* ratioCaption;
        bool velmarTab, cal350Tab, cal370Tab, transformerBox;
    } cases[] = {
        {350, false, false, "TRMS és DC feszültségmérő", "RadioGroup_uInputType350", "Transzformátor áttétele:", false,
         false, false, false},
        {370, false, false, "TRMS árammérő", "RadioGroup_uInputType370_I", "Transzformátor áttétele:", false, false,
         false, true},
        {370, true, false, "TRMS árammérő", "RadioGroup_uInputType370_U", "Sönt névleges árama:", false, false, false,
         true},
        {350, false, true, "TRMS és DC feszültségmérő", "RadioGroup_uInputType350", "Transzformátor áttétele:", true,
         true, false, false},
        {370, true, true, "TRMS árammérő", "RadioGroup_uInputType370_U", "Sönt névleges árama:", true, false, true,
         true},
        {370, false, true, "TRMS árammérő", "RadioGroup_uInputType370_I", "Transzformátor áttétele:", true, false, true,
         true},
    };
    for (const auto& c : cases) {
        Start(c.service);
        d->PageControl_PXTR->setCurrentWidget(d->TabSheet_Calbration350);
        bool readPressed = false;
        OpenFor(c.device, c.shunt, [&] {
            readPressed = d->SpeedButton_ReadFromDevice->isChecked();
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption));
            EXPECT_EQ(d->PageControl_PXTR->currentWidget(), d->TabSheet_PXTR_Beallitasok);
            for (RadioGroup* g :
                 {d->RadioGroup_uInputType350, d->RadioGroup_uInputType370_I, d->RadioGroup_uInputType370_U})
                EXPECT_EQ(g->isVisible(), g->objectName() == c.ranges) << g->objectName().toStdString();
            EXPECT_EQ(d->Label_CT370->text(), QString::fromUtf8(c.ratioCaption));
            EXPECT_TRUE(TabShown(d->TabSheet_PXTR_Beallitasok));
            EXPECT_EQ(TabShown(d->TabSheet_PXTR_VelmarBeallitasok), c.velmarTab);
            EXPECT_EQ(TabShown(d->TabSheet_Calbration350), c.cal350Tab);
            EXPECT_EQ(TabShown(d->TabSheet_Calbration370), c.cal370Tab);
            EXPECT_EQ(d->CheckBox_Transformer->isVisible(), c.transformerBox);
        });
        EXPECT_TRUE(readPressed) << c.device;
        EXPECT_TRUE(w->bFoKimenetiModulVanNyitva);
        EXPECT_EQ(Serve(Bytes(15)), 241);
    }

    // Another model opens nothing.
    Attach(330);
    d->Open(QString());
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
}

TEST_F(AcInputDialog, ServiceContentStaysHiddenOutsideServiceMode) {
    OpenFor(370, false, [&] {
        EXPECT_FALSE(d->TabSheet_PXTR_VelmarBeallitasok->isVisible());
        EXPECT_FALSE(d->TabSheet_Calbration370->isVisible());
        EXPECT_EQ(d->PageControl_PXTR->count(), 4);
        for (int i = 0; i < d->PageControl_PXTR->count(); ++i)
            EXPECT_EQ(d->PageControl_PXTR->isTabVisible(i), i == 0) << d->PageControl_PXTR->tabText(i).toStdString();
        EXPECT_EQ(d->PageControl_PXTR->tabText(0), QString::fromUtf8("Beállítások"));
    });
}

TEST_F(AcInputDialog, WriteCarriesTheDialogAndReadBackFollows) {
    // clang-format off
    struct Case {
        const char* what;
        uint16_t device;
        bool shunt;
        int rangeItem;
        const char* averaging;
        const char* gate;
        bool transformer;
        const char* ratio;
        int clockItem, osrItem, gainItem;
        Bytes sent;
    } cases[] = {
        {"PX350, 250 V TRMS", 350, false, 1, "10", "0,5", false, "1", 1, 1, 0,
         {0x80, 0x00, 0x01, 0x0A, 0x02, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F}},
        {"PX350 with the box ticked behind its back", 350, false, 6, "50", "0", true, "100", 3, 6, 5,
         {0x00, 0x10, 0x20, 0x32, 0x07, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"PX370 with a transformer of 100", 370, false, 3, "1", "2,5", true, "100", 2, 2, 2,
         {0x00, 0x01, 0x04, 0x01, 0x04, 0x04, 0x01, 0x00, 0x00, 0xC8, 0x42, 0x00, 0x00, 0x20, 0x40}},
        {"PX370 without one", 370, false, 0, "07", "0", false, "100", 0, 0, 1,
         {0x40, 0x00, 0x02, 0x07, 0x01, 0x01, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00}},
        {"PX370 for a shunt of 2,5 A", 370, true, 1, "20", "0", true, "2,5", 1, 1, 0,
         {0x80, 0x00, 0x01, 0x14, 0x06, 0x02, 0x01, 0x00, 0x00, 0x20, 0x40, 0x00, 0x00, 0x00, 0x00}},
        {"PX370 shunt variant, 60 mV", 370, true, 0, "10", "0", false, "1", 1, 1, 0,
         {0x80, 0x00, 0x01, 0x0A, 0x05, 0x02, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00}},
    };
    // clang-format on
    for (const auto& c : cases) {
        Attach(c.device, c.shunt);
        ASSERT_TRUE(d->PrepareFor(c.device, c.shunt));
        ASSERT_EQ(Read({}), 241);  // a write takes only settings read from the instrument
        auto* ranges = c.device == 350 ? d->RadioGroup_uInputType350
                       : c.shunt       ? d->RadioGroup_uInputType370_U
                                       : d->RadioGroup_uInputType370_I;
        ranges->SetItemIndex(c.rangeItem);
        d->Edit_Atlagolas40ms->setText(c.averaging);
        d->Edit_3x0_Zajzar->setText(QString::fromUtf8(c.gate));
        d->CheckBox_Transformer->setChecked(c.transformer);
        d->Edit_CT370->setText(QString::fromUtf8(c.ratio));
        Converter()->RadioGroup_PXTR_QMHz->SetItemIndex(c.clockItem);
        Converter()->RadioGroup_PXTR_OSR->SetItemIndex(c.osrItem);
        Converter()->RadioGroup_PGA->SetItemIndex(c.gainItem);
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), 243) << c.what;
        EXPECT_EQ(lastRequest, c.sent) << c.what;
        EXPECT_EQ(w->recTX.uInputTypeSettings, c.sent[4]) << c.what;
        EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
        EXPECT_EQ(Serve(c.sent), 241) << "read-back, " << c.what;
        EXPECT_EQ(d->Edit_Atlagolas40ms->text().toInt(), QString(c.averaging).toInt()) << c.what;
    }
    EXPECT_TRUE(informed.isEmpty());
}

TEST_F(AcInputDialog, ReadFillsTheDialogAndAWriteSendsItBackUnchanged) {
    // clang-format off
    struct Case {
        const char* what;
        uint16_t device;
        bool shunt;
        uint8_t decimals;
        Bytes answer;
        int rangeItem, clockItem, osrItem, gainItem;
        const char *averaging, *gate, *ratio;
        bool transformer;
    } cases[] = {
        {"PX350", 350, false, 1,
         {0x00, 0x02, 0x08, 0x14, 0x03, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F},
         2, 2, 3, 3, "20", "0,5", "1", false},
        {"PX370, transformer flag 7, gate finer than the display", 370, false, 0,
         {0x00, 0x04, 0x20, 0x32, 0x04, 0x08, 0x07, 0x00, 0x00, 0xC8, 0x42, 0x00, 0x00, 0x20, 0x3F},
         3, 3, 4, 5, "50", "0,625", "100", true},
        {"PX370 shunt variant, 2,5 A", 370, true, 2,
         {0x80, 0x00, 0x01, 0x0A, 0x06, 0x02, 0x01, 0x00, 0x00, 0x20, 0x40, 0x00, 0x00, 0x40, 0x40},
         1, 1, 1, 0, "10", "3,00", "2,5", true},
    };
    // clang-format on
    for (const auto& c : cases) {
        Attach(c.device, c.shunt);
        SetDecimalMask(w->recRX, c.decimals);
        ASSERT_TRUE(d->PrepareFor(c.device, c.shunt));
        EXPECT_EQ(Read(c.answer), 241);
        EXPECT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
        auto* ranges = c.device == 350 ? d->RadioGroup_uInputType350
                       : c.shunt       ? d->RadioGroup_uInputType370_U
                                       : d->RadioGroup_uInputType370_I;
        EXPECT_EQ(ranges->ItemIndex(), c.rangeItem) << c.what;
        EXPECT_EQ(Converter()->RadioGroup_PXTR_QMHz->ItemIndex(), c.clockItem) << c.what;
        EXPECT_EQ(Converter()->RadioGroup_PXTR_OSR->ItemIndex(), c.osrItem) << c.what;
        EXPECT_EQ(Converter()->RadioGroup_PGA->ItemIndex(), c.gainItem) << c.what;
        EXPECT_EQ(d->Edit_Atlagolas40ms->text(), c.averaging) << c.what;
        EXPECT_EQ(d->Edit_3x0_Zajzar->text(), QString::fromUtf8(c.gate)) << c.what;
        EXPECT_EQ(d->CheckBox_Transformer->isChecked(), c.transformer) << c.what;
        if (c.device == 370) {
            EXPECT_EQ(d->Edit_CT370->text(), QString::fromUtf8(c.ratio)) << c.what;
            EXPECT_EQ(d->GroupBox_Transformer->isHidden(), !c.transformer) << c.what;
        }
        // Nothing changed: what goes back is what came, transformer flag
        // aside (sent as 1) and the PX350's ratio (sent as 0).
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), 243) << c.what;
        Bytes expected = c.answer;
        expected[6] = expected[6] ? 1 : 0;
        EXPECT_EQ(lastRequest, expected) << c.what;
        EXPECT_EQ(Serve(c.answer), 241);
    }

    // Factory values fill the same way and release their own button.
    d->SpeedButton_ReadDefault->setChecked(true);
    EXPECT_EQ(Serve({0x80, 0x00, 0x01, 0x0A, 0x02, 0x02}), 242);
    EXPECT_FALSE(d->SpeedButton_ReadDefault->isChecked());
    EXPECT_EQ(w->recRX.uPXTR_uQMHz, 2);
    EXPECT_EQ(d->Edit_Atlagolas40ms->text(), "10");
}

TEST_F(AcInputDialog, AnswersOutsideTheListsShowAsTheirFallbacks) {
    // clang-format off
    struct Case {
        uint16_t device;
        bool shunt;
        uint16_t osr;
        uint8_t gain, averaging, range, clock;
        int osrItem, gainItem, clockItem;
        const char* averagingShown;
        int rangeItem;
    } cases[] = {
        {350, false, 100, 3, 0, 0, 3, 1, 0, 0, "0", -1},
        {350, false, 0, 0, 255, 200, 0, 1, 0, 0, "255", 6},
        {370, false, 65535, 255, 51, 6, 16, 1, 0, 0, "51", 3},
        {370, true, 8192, 64, 99, 4, 255, 1, 0, 0, "99", -1},
        {370, true, 128, 1, 1, 9, 1, 1, 0, 0, "1", 1},
    };
    // clang-format on
    for (const auto& c : cases) {
        Attach(c.device, c.shunt);
        ASSERT_TRUE(d->PrepareFor(c.device, c.shunt));
        Bytes answer{uint8_t(c.osr), uint8_t(c.osr >> 8), c.gain, c.averaging, c.range, c.clock};
        answer.resize(15);
        EXPECT_EQ(Read(answer), 241);
        EXPECT_EQ(Converter()->RadioGroup_PXTR_OSR->ItemIndex(), c.osrItem) << c.osr;
        EXPECT_EQ(Converter()->RadioGroup_PGA->ItemIndex(), c.gainItem) << int(c.gain);
        EXPECT_EQ(Converter()->RadioGroup_PXTR_QMHz->ItemIndex(), c.clockItem) << int(c.clock);
        EXPECT_EQ(d->Edit_Atlagolas40ms->text(), c.averagingShown) << int(c.averaging);
        auto* ranges = c.device == 350 ? d->RadioGroup_uInputType350
                       : c.shunt       ? d->RadioGroup_uInputType370_U
                                       : d->RadioGroup_uInputType370_I;
        EXPECT_EQ(ranges->ItemIndex(), c.rangeItem) << int(c.range);
        if (c.rangeItem < 0) continue;
        // What is shown goes back: the fallbacks' own codes.
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), 243);
        EXPECT_EQ(lastRequest.at(0) | lastRequest.at(1) << 8, 128);
        EXPECT_EQ(lastRequest.at(2), 1);
        EXPECT_EQ(lastRequest.at(3), std::clamp<int>(c.averaging, 1, 50)) << "the count limited";
        EXPECT_EQ(lastRequest.at(4), AcRangeCodeOf(AcRangesOf(c.device, c.shunt), c.rangeItem));
        EXPECT_EQ(lastRequest.at(5), 1);
        EXPECT_EQ(d->Edit_Atlagolas40ms->text(), QString::number(lastRequest.at(3))) << "the edit shows what was sent";
        EXPECT_EQ(Serve(answer), 241);
    }
}

TEST_F(AcInputDialog, InputTheInstrumentCannotTakeIsRefusedWithAMessage) {
    struct Case {
        uint16_t device;
        const char *averaging, *gate;
        bool transformer;
        const char* ratio;
        const char* message;  // the start of what the user is told
    } cases[] = {
        {350, "10", "1e39", false, "1", "A zajzár értéke"},  // beyond a single-precision number
        {370, "10", "0", true, "0", "A transzformátor áttétele"},
        {370, "10", "0", true, "-100", "A transzformátor áttétele"},
        {370, "10", "0", true, "abc", "A transzformátor áttétele"},
        {370, "10", "0", true, "", "A transzformátor áttétele"},
    };
    for (const auto& c : cases) {
        Attach(c.device);
        ASSERT_TRUE(d->PrepareFor(c.device, false));
        ASSERT_EQ(Read({0x80, 0x00, 0x01, 0x0A, uint8_t(c.device == 350 ? 2 : 4), 0x02}), 241);
        informed.clear();
        d->Edit_Atlagolas40ms->setText(c.averaging);
        d->Edit_3x0_Zajzar->setText(c.gate);
        d->CheckBox_Transformer->setChecked(c.transformer);
        d->Edit_CT370->setText(c.ratio);
        d->SpeedButton_WriteToDevice->click();
        EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked()) << c.averaging << " / " << c.gate << " / " << c.ratio;
        ASSERT_EQ(informed.size(), 1) << c.averaging << " / " << c.gate << " / " << c.ratio;
        EXPECT_TRUE(informed[0].startsWith(QString::fromUtf8(c.message))) << informed[0].toStdString();
        EXPECT_TRUE(informed[0].contains(QString::fromUtf8("nem kerültek beírásra"))) << informed[0].toStdString();
        EXPECT_EQ(Serve(), 101) << "nothing but the status goes out";
        EXPECT_EQ(d->Edit_Atlagolas40ms->text(), c.averaging) << "the edit keeps what was typed";
    }

    // The shunt variant names its own field; a range list with nothing
    // chosen (an answer's code below the list) sends nothing either.
    Attach(370, true);
    ASSERT_TRUE(d->PrepareFor(370, true));
    informed.clear();
    d->Edit_Atlagolas40ms->setText("10");
    d->Edit_3x0_Zajzar->setText("0");
    d->CheckBox_Transformer->setChecked(true);
    d->Edit_CT370->setText("0");
    d->SpeedButton_WriteToDevice->click();
    ASSERT_EQ(informed.size(), 1);
    EXPECT_TRUE(informed[0].startsWith(QString::fromUtf8("A sönt névleges árama")));
    Bytes code4(15);
    code4[4] = 4;
    EXPECT_EQ(Read(code4), 241);
    EXPECT_EQ(d->RadioGroup_uInputType370_U->ItemIndex(), -1);
    informed.clear();
    d->SpeedButton_WriteToDevice->click();
    ASSERT_EQ(informed.size(), 1);
    EXPECT_TRUE(informed[0].startsWith(QString::fromUtf8("Nincs kiválasztva a bemenet")));
    EXPECT_EQ(Serve(), 101);
}

TEST_F(AcInputDialog, WriteLimitsAveragingAndNoiseGateAndShowsWhatItSends) {
    Attach(350);
    ASSERT_TRUE(d->PrepareFor(350, false));
    ASSERT_EQ(Read({0x80, 0x00, 0x01, 0x0A, 0x02, 0x02}), 241);
    const struct {
        const char *averaging, *gate;
        int sent;  // averaging count in the request
        bool gateOff;  // the gate goes out as 0
    } cases[] = {
        {"", "0", 1, true},     {"x", "0", 1, true},   {"1x", "0", 1, true},  {"0", "0", 1, true},
        {"-5", "0", 1, true},   {"51", "0", 50, true}, {"99", "0", 50, true}, {"50", "0", 50, true},
        {"7", "-3", 7, true},   {"7", "abc", 7, true}, {"7", "0.5", 7, true},  // a point is no separator here
        {"7", "1,5", 7, false},
    };
    w->DecimalSeparator = ',';
    for (const auto& c : cases) {
        informed.clear();
        d->Edit_Atlagolas40ms->setText(c.averaging);
        d->Edit_3x0_Zajzar->setText(c.gate);
        d->SpeedButton_WriteToDevice->click();
        EXPECT_TRUE(informed.isEmpty()) << c.averaging << " / " << c.gate;
        ASSERT_EQ(Serve(), 243) << c.averaging << " / " << c.gate;
        EXPECT_EQ(lastRequest.at(3), c.sent) << c.averaging;
        EXPECT_EQ(d->Edit_Atlagolas40ms->text(), QString::number(c.sent)) << c.averaging;
        float gate = 0;
        std::memcpy(&gate, lastRequest.data() + 11, 4);
        EXPECT_EQ(gate == 0.0f, c.gateOff) << c.gate;
        bool ok = false;
        EXPECT_EQ(QString(d->Edit_3x0_Zajzar->text()).replace(',', '.').toFloat(&ok), gate) << c.gate;
        EXPECT_TRUE(ok) << d->Edit_3x0_Zajzar->text().toStdString();
        d->SpeedButton_ReadFromDevice->setChecked(false);  // the read-back is not the point here
    }
}

TEST_F(AcInputDialog, TypedPointOrCommaBecomesTheDecimalSeparator) {
    for (QChar separator : {QChar(','), QChar('.')}) {
        w->DecimalSeparator = separator;
        for (QLineEdit* e : {d->Edit_3x0_Zajzar, d->Edit_CT370}) {
            e->clear();
            QTest::keyClicks(e, "1.5");
            QTest::keyClicks(e, ",2");
            EXPECT_EQ(e->text(), QStringLiteral("1") + separator + "5" + separator + "2")
                << e->objectName().toStdString();
        }
    }
}

TEST_F(AcInputDialog, WriteSendsWhatWasCheckedWhenAskedFor) {
    Attach(350);
    ASSERT_TRUE(d->PrepareFor(350, false));
    ASSERT_EQ(Read({0x80, 0x00, 0x01, 0x0A, 0x02, 0x02}), 241);
    d->Edit_Atlagolas40ms->setText("12");
    d->Edit_3x0_Zajzar->setText("1,5");
    d->SpeedButton_WriteToDevice->setChecked(true);
    d->Edit_Atlagolas40ms->setText("x");  // typed while the request waits
    EXPECT_EQ(Serve(), 243);
    EXPECT_EQ(lastRequest.at(3), 12);
    EXPECT_EQ(d->Edit_3x0_Zajzar->text(), "1,5");
}

// Read, change, write and read back against the virtual PX350; its live
// values and a calibration point reach the dialog.
TEST(AcInputWithInstrument, ReadChangeWriteReadBack) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 350;
    InstrumentProgram program(cfg);
    auto& hid = program.hid;
    TForm1* w = program.w;
    TForm_PXTR* d = w->Form_PXTR;
    WAIT_FOR(w->recMBU.bOnline && w->recRX.uDevice == 350, 3000);
    ASSERT_TRUE(d->PrepareFor(350, false));
    d->show();
    d->SpeedButton_ReadFromDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(d->RadioGroup_uInputType350->ItemIndex(), 1);
    EXPECT_EQ(d->Edit_Atlagolas40ms->text(), "10");
    WAIT_FOR(d->Label_Frekvencia->text().trimmed().startsWith("50"), 3000);
    EXPECT_TRUE(d->Shape_cuErrorBits_NoAC->isHidden());

    d->RadioGroup_uInputType350->SetItemIndex(4);  // 150 V DC
    d->Edit_Atlagolas40ms->setText("25");
    d->TabSheet_PXTR_VelmarBeallitasok->RadioGroup_PGA->SetItemIndex(2);
    d->SpeedButton_WriteToDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked() && !d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    const AcInputBlock& kept = hid.Instrument().Settings().acInput;
    EXPECT_EQ(kept.range, 5);
    EXPECT_EQ(kept.averaging, 25);
    EXPECT_EQ(kept.gain, 4);
    EXPECT_EQ(d->RadioGroup_uInputType350->ItemIndex(), 4) << "read back";
    // A DC range has no AC component to measure.
    WAIT_FOR(!d->Shape_cuErrorBits_NoAC->isHidden() && d->Label_PX3x0_PGA->text() == "4", 3000);

    AcCalibrationTab* cal = d->TabSheet_Calbration350;
    cal->RadioGroup_Calibration->Item(6)->click();
    cal->SpeedButton_CalRead->setChecked(true);
    WAIT_FOR(!cal->SpeedButton_CalRead->isChecked(), 3000);
    EXPECT_EQ(cal->Labels[13]->text(), "Uncal.");
    cal->SpeedButton_CalNominal->setChecked(true);
    WAIT_FOR(!cal->SpeedButton_CalNominal->isChecked() && !cal->SpeedButton_CalRead->isChecked(), 3000);
    EXPECT_NE(cal->Labels[13]->text(), "Uncal.");
    EXPECT_EQ(cal->Labels[12]->text(), "Uncal.") << "only the nominal point was taken";
}

}  // namespace
}  // namespace velmar
