// The service tab's pages: every service command's request and answer,
// the serial number page's normalisation and refusals, the confirmation of
// permanent changes, the timer constant calculation, the live controls of
// the status request, and an identity written into the in-process
// instrument.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "core/device/device_types.h"
#include "gui/app/device_replaced_dialog.h"
#include "gui/device/header_page.h"
#include "gui/device/service_calibration_page.h"
#include "gui/device/service_serial_page.h"
#include "gui/device/service_tests_page.h"
#include "gui/views/bar_graph.h"
#include "gui/views/radio_group.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Ints(std::initializer_list<int32_t> values) {
    Bytes out;
    BytesWriter w(out);
    for (int32_t v : values) w.S32(v);
    return out;
}

struct ServicePagesTest : WindowFixture {
    void SetUp() override {
        Create({"/QZKTRM"});
        Plug();
        Status(tRX{}, 330, 4711);
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
    QString Shown(const char* name) {
        if (auto* e = w->findChild<QLineEdit*>(name)) return e->text();
        return Text(name);
    }
};

TEST_F(ServicePagesTest, EachCommandSendsItsPayloadAndShowsItsAnswer) {
    w->findChild<QCheckBox*>("CheckBox_bPt1000")->setChecked(true);
    Edit("Edit_RAM1_iCalLow1")->setText("612345");
    struct Case {
        uint8_t code;
        const char* button;
        Bytes request;
        Bytes answer;
        std::vector<std::pair<const char*, const char*>> shown;
        const char* pressedAfter;
    } cases[] = {
        {102, "SpeedButton_Cal0mA", {}, Ints({1234567}), {{"Label_RAM1_iCalLow1", "1 234 567"}}, nullptr},
        {105, "SpeedButton_Cal10V", {}, Ints({-5}), {{"Label_RAM1_iCalHigh2", "-  5"}}, nullptr},
        {110,
         "SpeedButton_ReadCalIn",
         {},
         Ints({1, 22, 333, 4444}),
         {{"Label_RAM1_iCalLow1", "  1"},
          {"Label_RAM1_iCalHigh1", "  22"},
          {"Label_RAM1_iCalLow2", "  333"},
          {"Label_RAM1_iCalHigh2", " 4 444"}},
         nullptr},
        {106, "SpeedButton_EraseFRAM1", {}, {}, {}, nullptr},
        {127, "SpeedButton_iCalPt0ohm3W", {}, Ints({9000}), {{"Label_iCalPt0ohm3W", " 9 000"}}, nullptr},
        {130, "SpeedButton_bPt1000", {1}, {}, {}, nullptr},
        {129,
         "SpeedButton_ReadCalPt",
         {},
         Ints({5, 6}),  // short: the rest reads 0
         {{"Label_iCalPt0ohm4W", "  5"},
          {"Label_iCalPtXohm4W", "  6"},
          {"Label_iCalPt0ohm3W", "  0"},
          {"Label_iCalPtXohm3W", "  0"}},
         nullptr},
        {226,
         "SpeedButton_Cal0mA2",
         {0xF9, 0x57, 0x09, 0x00},
         Ints({612340}),
         {{"Edit_RAM1_iCalLow1", "612340"}},
         "SpeedButton_ReadCalIn2"},
        {227, "SpeedButton_ReadCalIn2", {}, Ints({600001}), {{"Edit_RAM1_iCalLow1", "600001"}}, nullptr},
        {232, "SpeedButton_PX310_Cal490", {}, Ints({4900000}), {{"Label_RAM1_iCalHigh1_2", "4 900 000"}}, nullptr},
        {233, "SpeedButton_PX310_Cal3Wires", {}, Ints({110}), {{"Label_RAM1_iCalLow_2", "  110"}}, nullptr},
        {239,
         "SpeedButton_ReadCalIn_PX210",
         {},
         Ints({400, 2000}),
         {{"Label_Cal4mA_PX210", "  400"}, {"Label_Cal20mA_PX210", " 2 000"}},
         nullptr},
        {123, "SpeedButton_ReadDisplay", {0}, {0x80}, {}, nullptr},
    };
    for (const auto& c : cases) {
        Button(c.button)->setChecked(true);
        ASSERT_EQ(Serve(c.answer), c.code) << c.button;
        EXPECT_EQ(lastRequest, c.request) << int(c.code);
        EXPECT_FALSE(Button(c.button)->isChecked()) << int(c.code);
        for (const auto& [name, text] : c.shown) EXPECT_EQ(Shown(name), QString::fromUtf8(text)) << name;
        if (c.pressedAfter) {
            EXPECT_TRUE(Button(c.pressedAfter)->isChecked()) << int(c.code);
            Button(c.pressedAfter)->setChecked(false);
        }
    }
    EXPECT_FALSE(w->findChild<QCheckBox*>("CheckBox_bPt1000")->isChecked());  // as the last status answer said

    // Not a number: the nominal constant goes out.
    Edit("Edit_RAM1_iCalLow1")->setText("6x");
    Button("SpeedButton_Cal0mA2")->setChecked(true);
    ASSERT_EQ(Serve(Ints({600000})), 226);
    EXPECT_EQ(lastRequest, (Bytes{0xC0, 0x27, 0x09, 0x00}));
}

TEST_F(ServicePagesTest, ImageBitsLightTheirPixelsInBothImages) {
    ServiceTestsPage* p = w->testsPage;
    for (auto [first, litX] : {std::pair{uint8_t(0x80), 0}, std::pair{uint8_t(0x01), 7}}) {
        p->SpeedButton_ReadDisplay->setChecked(true);
        ASSERT_EQ(Serve({first}), 123);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x) {
                const QRgb expected = x == litX && y == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                ASSERT_EQ(p->normalImage.pixel(x, y), expected) << x << "," << y;
                ASSERT_EQ(p->largeImage.pixel(4 * x + 3, 4 * y + 3), expected) << x << "," << y;
                ASSERT_EQ(p->largeImage.pixel(4 * x, 4 * y), expected) << x << "," << y;
            }
    }
}

TEST_F(ServicePagesTest, SerialPageIsNormalisedAsItWillBeSent) {
    ServiceSerialPage* p = w->serialPage;
    struct Case {
        const char *serial, *year, *month;
        int row, step;
        const char *shownSerial, *shownMonth;
        uint32_t id;
        uint8_t monthSent;
        uint16_t type;
    } cases[] = {
        {"999999", "22", "07", 1, +1, "999999", "07", 999999, 7, 330},
        {"000000", "22", "07", 1, -1, "000000", "07", 0, 7, 330},
        {"000100", "22", "13", 1, +1, "000101", "12", 100, 12, 330},
        {"000100", "22", "0", 1, -1, "000099", "01", 100, 1, 330},
        {"000100", "22", "x", 7, 0, "000100", "00", 100, 0, 1},  // "Teszt"
        {"-5", "ab", "3", 10, 0, "000000", "03", 0, 3, 544},
    };
    for (const auto& c : cases) {
        p->Edit_GyariSzam->setText(c.serial);
        p->Edit_GyariSzamEv->setText(c.year);
        p->Edit_GyariSzamHonap->setText(c.month);
        p->ListBox_uDeviceType->setCurrentRow(c.row);
        if (c.step > 0) p->Button_GyariSzamPlusz1->click();
        if (c.step < 0) p->Button_GyariSzamMinusz1->click();
        if (c.step == 0) w->ReadSerialPage();
        EXPECT_EQ(p->Edit_GyariSzam->text(), c.shownSerial) << c.serial;
        EXPECT_EQ(p->Edit_GyariSzamHonap->text(), c.shownMonth) << c.month;
        EXPECT_EQ(w->recTX.uDeviceID, c.id) << c.serial;
        EXPECT_EQ(w->recTX.uGyariSzamHonap, c.monthSent) << c.month;
        EXPECT_EQ(w->recTX.uDeviceType, c.type) << c.row;
    }
    EXPECT_EQ(ServiceSerialPage::DeviceTypeToListIndex(999), 0);
    EXPECT_EQ(ServiceSerialPage::DeviceTypeToListIndex(310), 0);
    EXPECT_EQ(ServiceSerialPage::DeviceTypeToListIndex(544), 10);
    EXPECT_EQ(ServiceSerialPage::ListIndexToDeviceType(-1), 0);
    EXPECT_EQ(ServiceSerialPage::ListIndexToDeviceType(11), 0);
    EXPECT_EQ(ServiceSerialPage::ListIndexToDeviceType(8), 210);
}

TEST_F(ServicePagesTest, IdentityOutOfRangeIsRefusedAndNothingIsSent) {
    ServiceSerialPage* p = w->serialPage;
    const struct {
        const char *serial, *year, *month, *field;
    } cases[] = {{"123456", "22", "13", "Hónap"},
                 {"123456", "22", "x", "Hónap"},
                 {"12a", "22", "7", "Gyári szám"},
                 {"123456", "", "7", "Év"},
                 {"123456", "22", "0", "Hónap"}};
    for (const auto& c : cases) {
        informed.clear();
        p->Edit_GyariSzam->setText(c.serial);
        p->Edit_GyariSzamEv->setText(c.year);
        p->Edit_GyariSzamHonap->setText(c.month);
        p->SpeedButton_GyariSzamAKeszulekbe->click();
        ASSERT_EQ(informed.size(), 1) << c.month;
        EXPECT_TRUE(informed[0].contains(QString::fromUtf8(c.field))) << informed[0].toStdString();
        EXPECT_FALSE(p->SpeedButton_GyariSzamAKeszulekbe->isChecked());
        EXPECT_TRUE(asked.isEmpty());
        EXPECT_EQ(Tick(), 101);
        AnswerEmpty();
    }
}

TEST_F(ServicePagesTest, PermanentChangesAreConfirmedNamingTheInstrument) {
    ServiceSerialPage* p = w->serialPage;
    p->Edit_GyariSzam->setText("123456");
    p->Edit_GyariSzamEv->setText("23");
    p->Edit_GyariSzamHonap->setText("11");
    p->ListBox_uDeviceType->setCurrentRow(0);
    p->RadioGroup_Bemenet->SetItemIndex(2);
    p->RadioGroup_Kimenet1->SetItemIndex(1);
    p->RadioGroup_Kimenet2->SetItemIndex(3);
    p->CheckBox_PX310_bPt1000->setChecked(true);
    for (const char* name : {"SpeedButton_GyariSzamAKeszulekbe", "SpeedButton_Cal0mA", "SpeedButton_EraseFRAM1",
                             "SpeedButton_Cal0mA2", "SpeedButton_Cal4mA_PX210"}) {
        asked.clear();
        answer = [] { return false; };
        Button(name)->click();
        ASSERT_EQ(asked.size(), 1) << name;
        EXPECT_TRUE(asked[0].contains("PX330")) << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains("4711")) << asked[0].toStdString();
        EXPECT_FALSE(Button(name)->isChecked());
        EXPECT_EQ(Tick(), 101) << name;
        AnswerEmpty();
    }
    answer = [] { return true; };
    p->SpeedButton_GyariSzamAKeszulekbe->click();
    ASSERT_EQ(Serve(), 1);
    EXPECT_EQ(lastRequest, (Bytes{0x40, 0xE2, 0x01, 0x00, 23, 11, 0x36, 0x01, 2, 3, 5, 1}));
    EXPECT_FALSE(p->SpeedButton_GyariSzamAKeszulekbe->isChecked());
    // The answer refills the page from what the instrument reports.
    EXPECT_EQ(p->Edit_GyariSzam->text(), "004711");
}

TEST_F(ServicePagesTest, ConfirmationNamesTheCaptionShownWhenPressed) {
    // The PX310's captions follow its sensor: a Pt1000 is calibrated at
    // 4900 ohm, and the question must not name the Pt100's 490 ohm. The
    // page is in front, where the button is pressed.
    w->show();
    w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
    w->PageControl1->setCurrentWidget(w->calibrationPage);
    tRX rx;
    rx.bPt1000 = true;
    Status(rx, 310, 4711);
    answer = [] { return false; };
    Button("SpeedButton_PX310_Cal490")->click();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QString::fromUtf8("„Kalibrálás 4900 ohm (4 vezetékkel bekötve)”")))
        << asked[0].toStdString();
}

TEST_F(ServicePagesTest, TimerConstantFromTheMeasuredFrequency) {
    w->DecimalSeparator = ',';
    ServiceCalibrationPage* p = w->calibrationPage;
    const struct {
        const char* typed;
        const char* constant;
    } cases[] = {{"5.00000", "600000"}, {"5,1", "612000"}, {"4,99", "598800"}, {"", "600000"}, {"abc", "600000"}};
    for (const auto& c : cases) {
        p->Edit_5kHz->setText(c.typed);
        p->Button_Auto5kHzCalculation->click();
        EXPECT_EQ(p->Edit_RAM1_iCalLow1->text(), c.constant) << c.typed;
    }
    // Seven digits would not fit the edit: refused, the constant stays.
    p->Edit_5kHz->setText("10");
    p->Button_Auto5kHzCalculation->click();
    EXPECT_EQ(p->Edit_RAM1_iCalLow1->text(), "600000");
    EXPECT_EQ(informed.size(), 1);
}

TEST_F(ServicePagesTest, EnteringTheCalibrationPageReadsTheConstantsInTurn) {
    w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
    w->PageControl1->setCurrentWidget(w->calibrationPage);
    // The settings set read on entering the service tab comes first by rank.
    for (int code : {131, 110, 116, 129, 227, 239, 101}) ASSERT_EQ(Serve(Ints({1, 2, 3, 4})), code);
}

TEST_F(ServicePagesTest, StatusRequestCarriesWiringAndTestPattern) {
    ServiceCalibrationPage* p = w->calibrationPage;
    tRX rx;
    Status(rx, 310, 4711);
    w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
    EXPECT_EQ(Serve(), 131) << "entering the service tab reads the settings set";
    auto request = [this](int at) {
        w->recRX.uDevice = 310;  // the fixture's plain answers come from a PX330
        EXPECT_EQ(Serve(), 101);
        return lastRequest.at(std::size_t(at));
    };
    p->PageControl_Kalibralasok->setCurrentWidget(p->TabSheet_CalPX310);
    p->PageControl_4or3_PX310->setCurrentWidget(p->TabSheet_4w);
    EXPECT_EQ(request(9), 4);
    p->PageControl_4or3_PX310->setCurrentWidget(p->TabSheet_3w);
    EXPECT_EQ(request(9), 3);
    p->PageControl_Kalibralasok->setCurrentWidget(p->TabSheet7);
    EXPECT_EQ(request(9), 0);

    w->testsPage->testButtons[2]->setChecked(true);
    EXPECT_EQ(request(7), 0);  // waits for the PX580 page
    w->PageControl4->setCurrentWidget(w->devicePages[std::size_t(DevicePage::P580)]);
    EXPECT_EQ(request(7), 3);
}

TEST_F(ServicePagesTest, StatusAnswerRefreshesComputedValuesAndSensorTexts) {
    // The page's texts are made while it is in front.
    w->show();
    w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
    w->PageControl1->setCurrentWidget(w->calibrationPage);
    tRX rx;
    rx.bPt1000 = true;
    rx.uSPS = 50;
    rx.uCRCOKbits = 0x05;
    rx.uSizeInBytesFRAM2 = 512;
    rx.uMainLoopFrequency = 25000;
    rx.iRawADCData = 1048575;
    Status(rx, 310, 4711);
    EXPECT_EQ(Text("Label_310_PtType"), "Pt1000");
    EXPECT_EQ(Text("Label_uInputType"), QString::fromUtf8("Pt1000 mérőérzékelő"));
    EXPECT_EQ(Find<QPushButton>("SpeedButton_PX310_Cal490")->text(),
              QString::fromUtf8("Kalibrálás 4900 ohm (4 vezetékkel bekötve)"));
    EXPECT_EQ(Find<QPushButton>("SpeedButton_PX310_Cal3Wires")->text(),
              QString::fromUtf8("Kalibrálás 1100 ohm (3 vezetékkel bekötve)"));
    EXPECT_EQ(Text("Label_uSPS"), "50");
    EXPECT_EQ(Text("Label_uCRCOKbits"), "RAM, FRAM, ");
    EXPECT_EQ(Text("Label_uSizeInBytesFRAM2"), QString::fromUtf8("512 bájt"));
    EXPECT_EQ(Text("Label_uMainLoopFrequency"), "25 000 Hz");
    EXPECT_NEAR(w->calibrationPage->MBarGraph_IRow->MBGValue(), 0.5, 1e-6);
    rx.bPt1000 = false;
    Status(rx, 310, 4711);
    EXPECT_EQ(Text("Label_310_PtType2"), "Pt100");
    EXPECT_EQ(Find<QPushButton>("SpeedButton_PX310_Cal3Wires")->text(),
              QString::fromUtf8("Kalibrálás 110 ohm (3 vezetékkel bekötve)"));
}

// Each physical value once, with the decimals its input resolves and its
// unit; the system's decimal separator.
TEST_F(ServicePagesTest, PhysicalValueWithItsDecimalsAndUnit) {
    w->show();
    w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
    w->PageControl1->setCurrentWidget(w->calibrationPage);
    w->DecimalSeparator = ',';
    struct Case {
        uint8_t optIn, inputType;
        bool pt1000;
        uint16_t device;
        float value;
        const char* physical;
        const char* input;
    } cases[] = {
        {0, 0, false, 530, 0.333333343f, "0,3333333", "?"},  // an input the page does not know
        {1, 0, false, 330, 18.9019165f, "18,9019 mA", "Áram: 4 - 20 mA"},
        {1, 2, false, 330, 9.99951f, "9,9995 V", "Feszültség: 0 - 10 V"},
        {1, 4, false, 330, 2.5f, "2,5000 V", "Feszültség: 2 - 10 V"},
        {2, 0, false, 330, 123.45678f, "123,457 ohm", "Pt100 PIC modul"},
        {0, 0, true, 310, 1234.56f, "1234,6 ohm", "Pt1000 mérőérzékelő"},
    };
    for (const Case& c : cases) {
        tRX rx;
        rx.uPXOptIn = c.optIn;
        rx.uInputType = c.inputType;
        rx.bPt1000 = c.pt1000;
        rx.fFizikaiMennyiseg = c.value;
        Status(rx, c.device, 4711);
        EXPECT_EQ(Text("Label_fFizikaiMennyiseg"), QString::fromUtf8(c.physical)) << c.physical;
        EXPECT_EQ(Text("Label_uInputType"), QString::fromUtf8(c.input)) << c.physical;
    }
    EXPECT_TRUE(Find("Label_fFizikaiMennyiseg2")->isHidden()) << "the value shows once";
}

TEST(ServiceIdentityRound, WrittenSerialNumberComesBackAsAnotherInstrument) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 330;
    cfg.serial = 4711;
    InstrumentProgram program(cfg);
    TForm1* w = program.w;
    ServiceSerialPage* p = w->serialPage;
    program.hid.Plug();
    WAIT_FOR(p->Edit_GyariSzam->text() == "004711", 8000);  // the identity load
    p->Edit_GyariSzam->setText("004712");
    p->SpeedButton_GyariSzamAKeszulekbe->click();
    WAIT_FOR(w->Form_Keszulekcsere->isVisible(), 5000);
    EXPECT_EQ(w->Form_Keszulekcsere->Label_uDeviceID->text(), "4712");
    EXPECT_EQ(w->Form_Keszulekcsere->Label_uLastDeviceID->text(), "4711");
    EXPECT_EQ(program.hid.Instrument().Config().serial, 4712u);
}

}  // namespace
}  // namespace velmar
