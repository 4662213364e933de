// The AC input dialog's live side and its service tabs: the status answer
// in the live controls and the statistics, the sample rate of the converter
// settings, the calibration commands, and the range the status request
// carries while calibrating.
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

#include "gui/modules/ac_input_calibration.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/ac_input_velmar_tab.h"
#include "gui/views/bar_graph.h"
#include "gui/views/lamp.h"
#include "gui/views/radio_group.h"
#include "tests/support/ac_input_fixture.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

TEST_F(AcInputDialog, SampleRateOfClockAndOversampling) {
    EXPECT_EQ(Converter()->Label_MCP3918_Samples->text(), "?");
    struct Case {
        int clockItem, osrItem;
        const char* rate;
    } cases[] = {{2, 2, "3 906"}, {3, 0, "31 250"}, {0, 6, " 61"}, {1, 1, "3 906"}};
    for (const auto& c : cases) {
        Converter()->RadioGroup_PXTR_QMHz->Item(c.clockItem)->click();
        Converter()->RadioGroup_PXTR_OSR->Item(c.osrItem)->click();
        EXPECT_EQ(Converter()->Label_MCP3918_Samples->text(), c.rate) << c.clockItem << " " << c.osrItem;
        EXPECT_EQ(Converter()->uOSR, kAcOversampling[std::size_t(c.osrItem)]);
    }
}

TEST_F(AcInputDialog, StatusAnswerDrivesTheLiveControls) {
    ShowConverterTab();
    struct Case {
        int32_t low, high;
        int16_t dc;
        float frequency;
        uint8_t bits, gain;
        const char *pp, *dcText, *frequencyText, *frequency2;
    } cases[] = {
        // The masks keep their blanks where leading digits are suppressed.
        {-16000, 16000, 3277, 50.04f, 0x21, 4, "pp =  32 000 = 49%", "DC =  3 277 = 10%", " 50,0 Hz", " 50,04 Hz"},
        {-32768, 32767, -32767, 1234.5f, 0x1E, 32, "pp =  65 535 = 100%", "DC = - 32 767 = -100%", "1 234,5 Hz",
         "1 234,50 Hz"},
        {0, 0, 0, 0.0f, 0x00, 0, "pp =   0 = 0%", "DC =   0 = 0%", " 0,0 Hz", " 0,00 Hz"},
        // Whatever an answer holds: no crash, no text beyond reason.
        {INT32_MAX, INT32_MIN, 0, std::numeric_limits<float>::quiet_NaN(), 0xFF, 255, "pp = -4294 967 295 = -6553700%",
         "DC =   0 = 0%", "? Hz", "? Hz"},
    };
    Lamp* lamps[] = {d->Shape_cuErrorBits_FrequencyLow, d->Shape_cuErrorBits_FrequencyHigh,
                     d->Shape_cuErrorBits_NoiseLock,    d->Shape_cuErrorBits_NoAC,
                     d->Shape_cuErrorBits_NoInic,       d->Shape_cuErrorBits_Uncalibrated};
    for (const auto& c : cases) {
        tRX rx;
        rx.iRawADCData = c.low;
        rx.iAveragedADCData = c.high;
        rx.iDCAveragedMO = c.dc;
        rx.fResistance = c.frequency;
        rx.uSlaveStatusBits = c.bits;
        rx.uGain = c.gain;
        rx.uInputType = 2;
        Status(rx, 350);
        EXPECT_EQ(d->Label_PXTR_iValue16MaxMMin->text(), QString::fromUtf8(c.pp));
        EXPECT_EQ(d->Label_iDCAveragedMO->text(), QString::fromUtf8(c.dcText));
        EXPECT_EQ(d->Label_Frekvencia->text(), QString::fromUtf8(c.frequencyText));
        EXPECT_EQ(Converter()->Label_Frekvencia2->text(), QString::fromUtf8(c.frequency2));
        EXPECT_EQ(d->Label_PX3x0_PGA->text(), QString::number(c.gain));
        for (int bit = 0; bit < 6; ++bit)
            EXPECT_EQ(lamps[bit]->isHidden(), !(c.bits & (1 << bit))) << "bit " << bit << " of " << int(c.bits);
        EXPECT_DOUBLE_EQ(d->MBarGraph_PXTR_Kivezerles->MBGValueFrom(), (c.low + 32767.0) / 65535.0);
        EXPECT_DOUBLE_EQ(d->MBarGraph_PXTR_Kivezerles->MBGValueTo(), (c.high + 32767.0) / 65535.0);
        EXPECT_DOUBLE_EQ(d->MBarGraph_PXTR_Kivezerles->MBGValue(), c.dc / 32767.0 / 2.0 + 0.5);
    }
    EXPECT_EQ(d->Label_3x0_ZajzarMertekegyseg->text(), "ACV") << "the unit of the measured value";
    EXPECT_EQ(d->MBarGraph_PXTR_Kivezerles->MBGHeightOfFromTo(), d->MBarGraph_PXTR_Kivezerles->height() - 4);
    EXPECT_EQ(d->Shape_cuErrorBits_NoInic->brushColor(), colors::kRed);
    EXPECT_EQ(d->Shape_cuErrorBits_NoAC->brushColor(), QColor(0xFF, 0x80, 0x40));
}

TEST_F(AcInputDialog, StatisticsFromTheStartAndAfterZeroing) {
    ShowConverterTab();
    AcVelmarTab* v = Converter();
    auto precise = [&](float value) {
        tRX rx;
        rx.fiSkalazottKijezesiErtekPontos = value;
        Status(rx, 350);
    };
    precise(230.0f);
    precise(229.5f);
    EXPECT_EQ(v->Label_PX3x0_PontosMertErtek->text(), "229,500");
    EXPECT_EQ(v->Label_PX3x0_MinPontosMertErtek->text(), "229,500") << "from the first value, not from 0";
    EXPECT_EQ(v->Label_PX3x0_MaxPontosMertErtek->text(), "230,000");
    EXPECT_EQ(v->Label_PX3x0_DeltaPontosMertErtek->text(), "0,500");
    EXPECT_EQ(v->Label_PX3x0_HibaSzazalek->text(), "100,00%") << "no reference before the first zeroing";

    v->Button_DeltaNullazas->click();
    EXPECT_EQ(v->Label_PX3x0_DeltaPontosMertErtek->text(), "0,000");
    EXPECT_EQ(v->Label_PX3x0_HibaSzazalekMax->text(), "0,00%");
    precise(231.795f);
    precise(227.205f);
    EXPECT_EQ(v->Label_PX3x0_HibaSzazalek->text(), "-1,00%");
    EXPECT_EQ(v->Label_PX3x0_HibaSzazalekMin->text(), "-1,00%");
    EXPECT_EQ(v->Label_PX3x0_HibaSzazalekMax->text(), "1,00%") << "not the 100 % from before the zeroing";
    EXPECT_EQ(v->Label_PX3x0_DeltaPontosMertErtek->text(), "4,590");

    precise(std::numeric_limits<float>::infinity());
    EXPECT_EQ(v->Label_PX3x0_HibaSzazalek->text(), "?%");
    EXPECT_EQ(v->Label_PX3x0_PontosMertErtek->text(), "?");
}

TEST_F(AcInputDialog, CalibrationCommandsAndTheirAnswers) {
    Start(true);
    Attach(350);  // nothing that changes an instrument goes out before it has answered
    struct Case {
        AcCalibrationTab* tab;
        int item;
        const char* nominal;
        uint8_t zero, nominalCommand, read;
        const char* firstLabel;
        const char* lastLabel;
        int values;
    } cases[] = {
        {d->TabSheet_Calbration370, 5, "Cal 150 mV TRMS", 247, 248, 249, "Label_iCal_01a2", "Label_iCal_06b2", 12},
        {d->TabSheet_Calbration350, 2, "Cal 450 V TRMS", 244, 245, 246, "Label_iCal_01a", "Label_iCal_07b", 14},
    };
    w->recRX.iCal_07a = w->recRX.iCal_07b = 777;
    for (const auto& c : cases) {
        EXPECT_EQ(c.tab->SpeedButton_CalNominal->text(), "Cal: AC 125 V");
        EXPECT_EQ(c.tab->SpeedButton_CalZero->text(), "Cal: 0 V");
        EXPECT_EQ(c.tab->Labels.size(), std::size_t(c.values));
        c.tab->RadioGroup_Calibration->Item(c.item)->click();
        EXPECT_EQ(c.tab->SpeedButton_CalNominal->text(), c.nominal);

        c.tab->SpeedButton_CalZero->click();
        c.tab->SpeedButton_CalNominal->click();
        EXPECT_FALSE(c.tab->SpeedButton_CalZero->isChecked()) << "the two points latch as one group";
        c.tab->SpeedButton_CalZero->click();
        EXPECT_EQ(Serve(), c.zero);
        EXPECT_EQ(lastRequest, Bytes{uint8_t(c.item + 1)});
        EXPECT_FALSE(c.tab->SpeedButton_CalZero->isChecked());
        EXPECT_TRUE(c.tab->SpeedButton_CalRead->isChecked()) << "a read-back follows";
        Bytes table;
        for (int i = 0; i < c.values; ++i) {
            const int16_t v = i == 0              ? 32767
                              : i == 1            ? 1234
                              : i == 2            ? -1234
                              : i == c.values - 1 ? 12345
                                                  : int16_t(100 * i);
            table.push_back(uint8_t(v));
            table.push_back(uint8_t(uint16_t(v) >> 8));
        }
        EXPECT_EQ(Serve(table), c.read);
        EXPECT_FALSE(c.tab->SpeedButton_CalRead->isChecked());
        EXPECT_EQ(Text(c.firstLabel), "Uncal.");
        EXPECT_EQ(c.tab->Labels[1]->text(), "1 234");
        EXPECT_EQ(c.tab->Labels[2]->text(), "-1 234");
        EXPECT_EQ(Text(c.lastLabel), "12 345");
        EXPECT_EQ(w->recRX.iCal_01b, 1234);
        if (c.values == 12) EXPECT_EQ(w->recRX.iCal_07a, 777) << "the PX370's table leaves the seventh range alone";

        c.tab->SpeedButton_CalNominal->click();
        EXPECT_EQ(Serve(), c.nominalCommand);
        EXPECT_EQ(lastRequest, Bytes{uint8_t(c.item + 1)});
        EXPECT_EQ(Serve(Bytes(4)), c.read) << "a short table: the rest reads as 0";
        EXPECT_EQ(c.tab->Labels[2]->text(), " 0");
    }
}

TEST_F(AcInputDialog, StatusRequestCarriesTheCalibrationRangeWhileCalibrating) {
    Start(true);
    // The range byte of the next status request, with the model attached.
    auto rangeByte = [&](uint16_t device) {
        Attach(device);
        EXPECT_EQ(Serve(), 101);
        return int(lastRequest.at(9));
    };
    ASSERT_TRUE(d->PrepareFor(350, false));
    d->show();
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    EXPECT_EQ(rangeByte(350), 0) << "on the settings tab";
    d->PageControl_PXTR->setCurrentWidget(d->TabSheet_Calbration350);
    d->TabSheet_Calbration350->RadioGroup_Calibration->Item(2)->click();  // 450 V TRMS
    EXPECT_EQ(rangeByte(350), 3);
    d->TabSheet_Calbration350->RadioGroup_Calibration->Item(6)->click();
    EXPECT_EQ(rangeByte(350), 7);
    EXPECT_EQ(rangeByte(330), 0) << "only for the AC models";

    ASSERT_TRUE(d->PrepareFor(370, false));
    d->PageControl_PXTR->setCurrentWidget(d->TabSheet_Calbration370);
    d->TabSheet_Calbration370->RadioGroup_Calibration->Item(4)->click();  // 60 mV TRMS
    EXPECT_EQ(rangeByte(370), 5);

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(rangeByte(370), 0) << "another window is active";
    d->hide();
}

}  // namespace
}  // namespace velmar
