// The output calibration page: the force bits and PWM value the status
// request carries, the ways of moving the PWM value and their refusals, the
// target computed from the stored points, the calibration answers, the
// square wave, and a calibration made on the in-process instrument.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

#include "gui/device/output_calibration_page.h"
#include "gui/device/service_calibration_page.h"
#include "gui/views/bar_graph.h"
#include "gui/views/lamp.h"
#include "gui/views/radio_group.h"
#include "sim/instrument_config.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Words(std::initializer_list<uint16_t> values) {
    Bytes out;
    BytesWriter w(out);
    for (uint16_t v : values) w.U16(v);
    return out;
}

struct OutputCalibrationTest : WindowFixture {
    OutputCalibrationPage* p = nullptr;
    void SetUp() override {
        Create({"/QZKTRM"});
        Plug();
        Status(tRX{}, 330, 4711);
        p = w->outputCalibrationPage;
        EXPECT_TRUE(p->X->isActive());
        EXPECT_EQ(p->X->interval(), 1000);
        p->X->stop();  // fired by hand
    }
    // The force bits and PWM value of the next status request.
    std::pair<int, int> StatusRequest() {
        EXPECT_EQ(Serve(), 101);
        return {lastRequest.at(4), lastRequest.at(5) | lastRequest.at(6) << 8};
    }
    void Fire() { p->XTimer(); }
    void Voltage(bool on) { p->RadioGroup_KimenetTipusa->Item(on ? 1 : 0)->click(); }
    int Pwm() const { return w->recTX.uPWM; }
    void Points(uint16_t il, uint16_t ih, uint16_t ul, uint16_t uh) {
        w->recRX.uPWMForIL = il;
        w->recRX.uPWMForIH = ih;
        w->recRX.uPWMForUL = ul;
        w->recRX.uPWMForUH = uh;
    }
};

TEST_F(OutputCalibrationTest, StatusRequestCarriesTheControlsOfThePage) {
    EXPECT_EQ(StatusRequest(), std::pair(0x02, 0)) << "current is chosen at start, nothing forced";
    const struct {
        const char* what;
        std::function<void()> act;
        int force, pwm;
    } steps[] = {
        {"direct control", [&] { p->SpeedButton_PWMForce->click(); }, 0x03, 0},
        {"a step", [&] { Find<QPushButton>("Button_PWMInc4")->click(); }, 0x03, 5000},
        {"voltage", [&] { Voltage(true); }, 0x01, 5000},
        {"5 V check", [&] { p->SpeedButton_CheckVoltage->click(); }, 0x09, 5000},
        {"12 mA check instead", [&] { p->SpeedButton_CheckCurrent->click(); }, 0x05, 5000},
        {"board in slot 2", [&] { p->RadioButton_PXAOModul1->click(); }, 0x15, 5000},
        {"released", [&] { p->SpeedButton_PWMForce->click(); }, 0x10, 5000},
        {"board in slot 1", [&] { p->RadioButton_PXAOModul2->click(); }, 0x00, 5000},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(StatusRequest(), std::pair(s.force, s.pwm)) << s.what;
    }
}

TEST_F(OutputCalibrationTest, ForceButtonShowsTheControlsAndReleasingItCancelsThem) {
    EXPECT_TRUE(p->GroupBox_OutputCal->isHidden());
    EXPECT_TRUE(p->SpeedButton_CheckCurrent->isHidden());
    EXPECT_EQ(p->Label_PWM->text(), "00000");
    for (QLabel* l : {p->Label_PWM4mA, p->Label_PWM20mA, p->Label_PWM2V, p->Label_PWM10V}) EXPECT_EQ(l->text(), "?");
    EXPECT_TRUE(p->RadioButton_PXAOModul2->isChecked());

    p->SpeedButton_PWMForce->click();
    EXPECT_FALSE(p->GroupBox_OutputCal->isHidden());
    EXPECT_FALSE(p->SpeedButton_CheckVoltage->isHidden());
    EXPECT_EQ(p->Label_PWM->text(), " 0");
    Voltage(true);
    EXPECT_EQ(p->SpeedButton_CalPWML->text(), "Kalibrálás 2 V");
    EXPECT_EQ(p->SpeedButton_CalPWMH->text(), "Kalibrálás 10 V");
    EXPECT_TRUE(p->Shape_Check->isHidden());
    p->SpeedButton_CheckCurrent->click();
    EXPECT_FALSE(p->Shape_Check->isHidden());
    p->SpeedButton_CalPWMH->click();
    ASSERT_TRUE(p->SpeedButton_CalPWMH->isChecked());

    p->SpeedButton_PWMForce->click();
    EXPECT_TRUE(p->GroupBox_OutputCal->isHidden());
    EXPECT_FALSE(p->SpeedButton_CalPWMH->isChecked()) << "no calibration without direct control";
    EXPECT_FALSE(p->SpeedButton_CheckCurrent->isChecked());
    EXPECT_TRUE(p->Shape_Check->isHidden());
    EXPECT_EQ(Tick(), 101);
}

TEST_F(OutputCalibrationTest, CheckIsWithheldWhileTheOutputIsUncalibrated) {
    p->SpeedButton_PWMForce->click();
    tRX uncalibrated;
    uncalibrated.uErrorBits = 0x02;
    Status(uncalibrated);
    p->SpeedButton_CheckCurrent->click();
    EXPECT_EQ(StatusRequest().first, 0x03);
    EXPECT_FALSE(p->SpeedButton_CheckCurrent->isChecked());
    EXPECT_TRUE(p->Shape_Check->isHidden());
}

TEST_F(OutputCalibrationTest, StepsAndPresetsStayWithinTheRange) {
    p->SpeedButton_PWMForce->click();
    const struct {
        int start;
        const char* button;
        int result;
    } cases[] = {
        {65535, "Button_PWMInc1", 65535},  {3000, "Button_PWMDec4", 0},
        {100, "Button_PWMInc2", 120},      {1000, "Button_PWMDec3", 600},
        {62000, "Button_PWMInc4", 65535},  {0, "Button_PWMDec1", 0},
        {10, "Button_PWMInc3", 410},       {25, "Button_PWMDec2", 5},
        {500, "Button_PWMMax", 65535},     {500, "Button_PWMMin", 0},
        {500, "Button_PWMPreviousLow", 0}, {500, "Button_PWMPreviousHigh", 65535},  // nothing calibrated yet
        {500, "Button_PWMMid", 32768},
    };
    for (const auto& c : cases) {
        w->recTX.uPWM = uint16_t(c.start);
        Find<QPushButton>(c.button)->click();
        EXPECT_EQ(Pwm(), c.result) << c.button << " from " << c.start;
    }
    // Everything that changes the value shows it three ways.
    EXPECT_EQ(p->Label_PWM->text(), "32 768");
    EXPECT_DOUBLE_EQ(p->MBarGraph_PWM->MBGValue(), 32768 / 65535.0);
    EXPECT_EQ(p->TrackBar_SetPXAO->value(), 33);
}

TEST_F(OutputCalibrationTest, TrackBarMovesThePwmOnlyUnderTheUsersHand) {
    p->SpeedButton_PWMForce->click();
    p->TrackBar_SetPXAO->setValue(20);
    EXPECT_EQ(Pwm(), 0) << "set by the program, not the user";
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
    w->PageControl1->setCurrentWidget(p);
    p->TrackBar_SetPXAO->setFocus();
    WAIT_FOR(p->TrackBar_SetPXAO->hasFocus(), 2000);
    p->TrackBar_SetPXAO->setValue(66);
    EXPECT_EQ(Pwm(), 65535) << "66 000 lies above the maximum";
    p->TrackBar_SetPXAO->setValue(12);
    EXPECT_EQ(Pwm(), 12000);
    EXPECT_EQ(p->Label_PWM->text(), "12 000");
    w->hide();
}

TEST_F(OutputCalibrationTest, TypedPwmValueOrARefusal) {
    p->SpeedButton_PWMForce->click();
    const struct {
        const char* typed;
        int pwm;  // -1: refused, the value stays
    } cases[] = {{"12345", 12345}, {"65535", 65535},       {"0", 0},    {"-1", -1},
                 {"70000", 65535}, {"99999999999", 65535}, {"abc", -1}, {"", -1}};
    for (const auto& c : cases) {
        w->recTX.uPWM = 777;
        informed.clear();
        p->Edit_PWM->setText(c.typed);
        p->Button_PWMWrite->click();
        EXPECT_EQ(Pwm(), c.pwm < 0 ? 777 : c.pwm) << c.typed;
        EXPECT_EQ(informed.size(), c.pwm < 0 ? 1 : 0) << c.typed;
        // The edit shows the value used; a refused one stays as typed.
        EXPECT_EQ(p->Edit_PWM->text(), c.pwm < 0 ? QString(c.typed) : QString::number(c.pwm)) << c.typed;
    }
    // Enter in the edit does the same.
    p->Edit_PWM->setText("4321");
    QTest::keyClick(p->Edit_PWM, Qt::Key_Return);
    EXPECT_EQ(Pwm(), 4321);
}

TEST_F(OutputCalibrationTest, TargetComputedFromTheStoredPoints) {
    p->SpeedButton_PWMForce->click();
    const struct {
        bool voltage;
        std::array<uint16_t, 4> points;  // 4 mA, 20 mA, 2 V, 10 V
        const char* target;
        int pwm;  // -1: refused
        const char* used = nullptr;  // the target the edit shows afterwards, when limited
    } cases[] = {
        {false, {10000, 50000, 0, 0}, "12000", 30000},
        {false, {10000, 50000, 0, 0}, "0", 0},
        {false, {10000, 50000, 0, 0}, "4000", 10000},
        {false, {10000, 50000, 0, 0}, "25000", 62500},
        {true, {0, 0, 8000, 48000}, "10000", 48000},
        {true, {0, 0, 8000, 48000}, "6000", 28000},
        {true, {0, 0, 8000, 48000}, "12500", 60500},
        {false, {0, 1, 0, 0}, "12000", 0},  // 0.5: halves go to the even neighbour
        {false, {1, 2, 0, 0}, "12000", 2},  // 1.5
        {false, {1000, 60000, 0, 0}, "25000", -1},  // 78 437: beyond the PWM range
        {false, {30000, 0, 0, 0}, "25000", -1},  // falling line: -9 375
        // Targets beyond what the output gives are limited first.
        {false, {10000, 50000, 0, 0}, "25001", 62500, "25000"},
        {false, {10000, 50000, 0, 0}, "9999999999", 62500, "25000"},
        {true, {0, 0, 8000, 48000}, "12501", 60500, "12500"},
        {false, {10000, 50000, 0, 0}, "-5", 0, "0"},
        {true, {0, 0, 8000, 48000}, "-5", -1, "0"},  // 0 mV: -2 000, beyond the PWM range
        {false, {10000, 50000, 0, 0}, "1x", -1},
    };
    for (const auto& c : cases) {
        Voltage(c.voltage);
        Points(c.points[0], c.points[1], c.points[2], c.points[3]);
        w->recTX.uPWM = 777;
        informed.clear();
        p->Edit_PWMTest->setText(c.target);
        p->Button_PWMTestWrite->click();
        EXPECT_EQ(Pwm(), c.pwm < 0 ? 777 : c.pwm) << c.target << (c.voltage ? " mV" : " uA");
        EXPECT_EQ(informed.size(), c.pwm < 0 ? 1 : 0) << c.target;
        if (c.used) EXPECT_EQ(p->Edit_PWMTest->text(), c.used) << c.target;
    }
}

TEST_F(OutputCalibrationTest, CalibrationAnswersGoWhereTheOutputTypeSaysOnArrival) {
    p->SpeedButton_PWMForce->click();
    answer = [] { return false; };
    p->SpeedButton_CalPWML->click();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("PX330") && asked[0].contains("4711") && asked[0].contains("Kalibrálás 4 mA"))
        << asked[0].toStdString();
    EXPECT_FALSE(p->SpeedButton_CalPWML->isChecked());
    EXPECT_EQ(Serve(), 101) << "refused: nothing is sent";

    answer = [] { return true; };
    p->SpeedButton_CalPWML->click();
    Voltage(true);  // while the request is on its way
    ASSERT_EQ(Serve(Words({12345})), 114);
    EXPECT_FALSE(p->SpeedButton_CalPWML->isChecked());
    EXPECT_EQ(w->recRX.uPWMForUL, 12345);
    EXPECT_EQ(w->recRX.uPWMForIL, 0);
    EXPECT_EQ(p->Label_PWM2V->text(), "12 345");
    EXPECT_EQ(p->Label_PWM4mA->text(), "?");
    EXPECT_EQ(w->recGlobalVar.uPWMForULPrevious, 12345);
    EXPECT_EQ(w->recGlobalVar.uPWMForILPrevious, 0);

    p->SpeedButton_CalPWMH->click();
    EXPECT_TRUE(asked.last().contains("Kalibrálás 10 V")) << "the caption of the moment";
    Voltage(false);
    ASSERT_EQ(Serve(Words({54321})), 115);
    EXPECT_EQ(w->recRX.uPWMForIH, 54321);
    EXPECT_EQ(p->Label_PWM20mA->text(), "54 321");
    EXPECT_EQ(w->recGlobalVar.uPWMForIHPrevious, 54321);
    EXPECT_EQ(w->recGlobalVar.uPWMForUHPrevious, 65535);

    // The previous values now return those points.
    Find<QPushButton>("Button_PWMPreviousHigh")->click();
    EXPECT_EQ(Pwm(), 54321);
    Voltage(true);
    Find<QPushButton>("Button_PWMPreviousLow")->click();
    EXPECT_EQ(Pwm(), 12345);
}

TEST_F(OutputCalibrationTest, ReadBackFillsTheFourPointsButNotThePreviousValues) {
    // Entering the input calibration page reads this page's points too.
    w->PageControl1->setCurrentWidget(w->calibrationPage);
    EXPECT_TRUE(p->SpeedButton_ReadPWMCal->isChecked());
    for (const char* b :
         {"SpeedButton_ReadCalIn", "SpeedButton_ReadCalPt", "SpeedButton_ReadCalIn2", "SpeedButton_ReadCalIn_PX210"})
        Find<QPushButton>(b)->setChecked(false);
    ASSERT_EQ(Serve(Words({1000, 50000, 2000, 40000})), 116);
    EXPECT_FALSE(p->SpeedButton_ReadPWMCal->isChecked());
    EXPECT_TRUE(asked.isEmpty()) << "a read changes nothing";
    EXPECT_EQ(p->Label_PWM4mA->text(), "1 000");
    EXPECT_EQ(p->Label_PWM20mA->text(), "50 000");
    EXPECT_EQ(p->Label_PWM2V->text(), "2 000");
    EXPECT_EQ(p->Label_PWM10V->text(), "40 000");
    EXPECT_EQ(w->recRX.uPWMForUH, 40000);
    EXPECT_EQ(w->recGlobalVar.uPWMForILPrevious, 0);
    EXPECT_EQ(w->recGlobalVar.uPWMForIHPrevious, 65535);
    EXPECT_EQ(w->recGlobalVar.uPWMForULPrevious, 0);
    EXPECT_EQ(w->recGlobalVar.uPWMForUHPrevious, 65535);
}

TEST_F(OutputCalibrationTest, SquareWaveAlternatesTheOutputEverySecond) {
    p->SpeedButton_PWMForce->click();
    Points(10000, 50000, 8000, 48000);
    Fire();
    EXPECT_EQ(Pwm(), 0) << "nothing happens without Astabil";
    p->CheckBox_PXA_Astable->setChecked(true);
    // "00000" at start is not "0": the wave starts low.
    for (auto [text, pwm] : {std::pair{"0", 0}, std::pair{"20000", 50000}, std::pair{"0", 0}}) {
        Fire();
        EXPECT_EQ(p->Edit_PWMTest->text(), text);
        EXPECT_EQ(Pwm(), pwm);
    }
    Voltage(true);
    Fire();
    EXPECT_EQ(p->Edit_PWMTest->text(), "10000");
    EXPECT_EQ(Pwm(), 48000);

    // A low end the points cannot reach (-5000) stops the wave with one
    // message instead of one a second.
    Points(0, 0, 8000, 60000);
    Fire();
    Fire();
    EXPECT_EQ(informed.size(), 1);
    EXPECT_FALSE(p->CheckBox_PXA_Astable->isChecked());
    EXPECT_EQ(Pwm(), 48000);
}

// Direct control moves what the instrument reports; a calibration stores the
// present PWM value, and the read-back returns it with the other points.
TEST(OutputCalibrationOnInstrument, CalibratingMovesTheReportedOutput) {
    sim::InstrumentConfig cfg;
    cfg.optOut1 = 3;  // PXAO in slot 1
    InstrumentProgram program(cfg);
    TForm1* w = program.w;
    OutputCalibrationPage* p = w->outputCalibrationPage;
    program.hid.Plug();
    WAIT_FOR(w->recRX.uPXOptOutPrimer == 3, 8000);
    const float scaled = w->recRX.fPXAOKimenoFizErtek;

    p->SpeedButton_PWMForce->click();
    p->Edit_PWM->setText("30000");
    p->Button_PWMWrite->click();
    // A new board's points: 10 000 for 4 mA, 50 000 for 20 mA.
    WAIT_FOR(std::abs(w->recRX.fPXAOKimenoFizErtek - 12.0f) < 1e-4f, 5000);
    p->RadioButton_PXAOModul1->click();  // the board of slot 2 is forced instead
    WAIT_FOR(w->recRX.fPXAOKimenoFizErtek == scaled, 5000);
    p->RadioButton_PXAOModul2->click();

    p->SpeedButton_CalPWML->click();
    WAIT_FOR(!p->SpeedButton_CalPWML->isChecked(), 5000);
    EXPECT_EQ(w->recRX.uPWMForIL, 30000);
    EXPECT_EQ(p->Label_PWM4mA->text(), "30 000");
    EXPECT_EQ(w->recGlobalVar.uPWMForILPrevious, 30000);
    WAIT_FOR(std::abs(w->recRX.fPXAOKimenoFizErtek - 4.0f) < 1e-4f, 5000);  // now the 4 mA point

    w->recRX.uPWMForIL = 0;
    p->SpeedButton_ReadPWMCal->click();
    WAIT_FOR(!p->SpeedButton_ReadPWMCal->isChecked(), 5000);
    EXPECT_EQ(w->recRX.uPWMForIL, 30000);
    EXPECT_EQ(p->Label_PWM20mA->text(), "50 000");
    EXPECT_EQ(p->Label_PWM2V->text(), "8 000");
    EXPECT_EQ(p->Label_PWM10V->text(), "48 000");

    p->SpeedButton_PWMForce->click();  // released: the scale drives the output again
    WAIT_FOR(w->recRX.fPXAOKimenoFizErtek == scaled, 5000);
}

}  // namespace
}  // namespace velmar
