// The RTD input dialog: its openers, what the answers show, what the write
// carries, the calibration buttons and value editors working on the
// received record, the live labels of the status answer, the PX310 page
// reading on entry, and a round against the virtual instrument.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

#include "core/device/device_types.h"
#include "core/modules/rtd_input_codec.h"
#include "gui/modules/rtd_input_dialog.h"
#include "gui/views/about_page.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_typed.h"
#include "gui/views/wrapped_button.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Encode(RtdBlock b, bool factory = false) {
    Bytes out;
    BytesWriter w(out);
    if (factory)
        RtdDefaultsLayout(w, b);
    else
        RtdLayout(w, b);
    return out;
}

// Three wires, five seconds, scaled potentiometer; points 100.0, 200.0 and
// 300.0 °C adding 2.0, 3.0 and 1.0 °C; 12.5 .. 987.25 ohm; two decimals,
// -5.00 .. 999.99; 1.5 ohm of leads.
const Bytes kScaledBytes{0x03, 0x32, 0x02, 0xE8, 0x03, 0xD0, 0x07, 0xB8, 0x0B, 0x14, 0x00, 0x1E,
                         0x00, 0x0A, 0x00, 0x00, 0x00, 0x48, 0x41, 0x00, 0xD0, 0x76, 0x44, 0x02,
                         0x0C, 0xFE, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0x00, 0x00, 0x00, 0xC0, 0x3F};

struct RtdInputDialog : WindowFixture {
    TForm_PXRT* d = nullptr;
    void SetUp() override {
        Create();
        Plug();
        w->DecimalSeparator = ',';
        w->Form_IncDecEdit->setDecimalSeparator(',');
        d = w->Form_PXRT;
    }
    // Opens the dialog from a device page button as a user would; check runs
    // while it is shown, then it is closed.
    void OpenFrom(const char* button, const std::function<void()>& check) {
        QTimer::singleShot(0, d, [&] {
            EXPECT_TRUE(d->isVisible());
            check();
            d->close();
        });
        Find<QPushButton>(button)->click();
    }
    void Read(const Bytes& answer) {
        d->SpeedButton_ReadFromDevice->setChecked(true);
        ASSERT_EQ(Serve(answer), 228);
        ASSERT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
    }
    // The write request's payload; the read-back after it is answered too.
    Bytes Write() {
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), 230);
        const Bytes sent = lastRequest;
        EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
        EXPECT_EQ(Serve(sent), 228) << "read-back after the write";
        return sent;
    }
    // A label of the dialog: other dialogs have controls of the same names.
    QString Shown(const char* name) {
        auto* l = d->findChild<QLabel*>(name);
        EXPECT_NE(l, nullptr) << name;
        return l ? l->text() : QString();
    }
    // The choices of the dialog: source, wiring, measuring time, decimals.
    std::array<int, 4> Choices() {
        return {d->RadioGroup_Uzemmod->ItemIndex(), d->RadioGroup_VezetekSzam->ItemIndex(),
                d->RadioGroup_Atlagolas->ItemIndex(), d->RadioGroup_PX310_Decimals->ItemIndex()};
    }
    void Choose(std::array<int, 4> c) {
        d->RadioGroup_Uzemmod->Item(c[0])->click();
        d->RadioGroup_VezetekSzam->Item(c[1])->click();
        d->RadioGroup_Atlagolas->Item(c[2])->click();
        d->RadioGroup_PX310_Decimals->Item(c[3])->click();
    }
};

TEST_F(RtdInputDialog, OpenersReadAndNameTheDialog) {
    const char* const in310 = "Pt / Potenciométer / R bemenet (Pt100 vagy Pt1000)";
    struct Case {
        const char* button;
        bool read;
        const char* caption;  // the others keep the caption last set
    } cases[] = {
        {"Button_PX530_PXRT", false, "PXRT"},
        {"Button_In310", true, in310},
        {"Button_PX330_PXRT", true, in310},
        {"Button_PX580_PXRT", true, in310},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find<QPushButton>(c.button)->text(), QString::fromUtf8("Pt / Potenciométer / R"));
        d->PageControl1->setCurrentIndex(1);
        bool readPressed = true;
        OpenFrom(c.button, [&] {
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption)) << c.button;
            EXPECT_EQ(d->PageControl1->currentWidget(), d->TabSheet_Basic) << "every opening starts on the first tab";
            readPressed = d->SpeedButton_ReadFromDevice->isChecked();
        });
        EXPECT_EQ(readPressed, c.read) << c.button;
        EXPECT_EQ(Serve(c.read ? kScaledBytes : Bytes{}), c.read ? 228 : 101) << c.button;
    }
}

TEST_F(RtdInputDialog, AnswerFillsRecordAndDialog) {
    Read(kScaledBytes);
    EXPECT_EQ(Choices(), (std::array<int, 4>{2, 1, 5, 2}));
    const std::pair<const char*, const char*> labels[] = {
        {"Label_iPXRT_CorrTemp1", "100,0 °C"},     {"Label_iPXRT_CorrTemp2", "200,0 °C"},
        {"Label_iPXRT_CorrTemp3", "300,0 °C"},     {"Label_iPXRT_CorrPlusTemp1", "002,0 °C"},
        {"Label_iPXRT_CorrPlusTemp2", "003,0 °C"}, {"Label_iPXRT_CorrPlusTemp3", "001,0 °C"},
        {"Label_PotiCal0", "12,50 ohm"},           {"Label_PotiCal100", "987,25 ohm"},
        {"Label_iScaleLowSettings", "-5,00"},      {"Label_iScaleHighSettings", "999,99"},
        {"Label_2VezRKiejtes", "1,50 ohm"},
    };
    for (auto [name, text] : labels) EXPECT_EQ(Shown(name), QString::fromUtf8(text)) << name;
    const tRX& rx = w->recRX;
    EXPECT_EQ(rx.uPXRT_Wires, 3);
    EXPECT_EQ(rx.uAverage, 50);
    EXPECT_EQ(rx.iPXRT_CorrPlusTemp3, 10);
    EXPECT_EQ(rx.fPXRT_PotRPercent100, 987.25f);
    EXPECT_EQ(rx.iPXRT_ScaleLow, -500);
    EXPECT_EQ(rx.fPXRT_R2Wires, 1.5f);

    // Negative temperatures and small corrections keep their leading zeros.
    Read(Encode({2, 1, 0, {-505, 0, 8000}, {15, -100, 100}, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Shown("Label_iPXRT_CorrTemp1"), QString::fromUtf8("-050,5 °C"));
    EXPECT_EQ(Shown("Label_iPXRT_CorrTemp3"), QString::fromUtf8("800,0 °C"));
    EXPECT_EQ(Shown("Label_iPXRT_CorrPlusTemp1"), QString::fromUtf8("001,5 °C"));
    EXPECT_EQ(Shown("Label_iPXRT_CorrPlusTemp2"), QString::fromUtf8("-010,0 °C"));
}

TEST_F(RtdInputDialog, SourceAndWiringShowTheirGroups) {
    struct Case {
        uint8_t mode, wires;
        bool leads, potentiometer, scaling, corrections;
    } cases[] = {
        {0, 4, false, false, false, true}, {1, 3, false, true, false, false}, {2, 2, true, true, true, false},
        {3, 2, true, false, false, false}, {9, 0, true, false, false, false},  // beyond the lists: their last items
    };
    for (const auto& c : cases) {
        RtdBlock b;
        b.mode = c.mode;
        b.wires = c.wires;
        Read(Encode(b));
        EXPECT_EQ(!d->GroupBox_2Wire->isHidden(), c.leads) << int(c.mode) << " " << int(c.wires);
        EXPECT_EQ(!d->GroupBox_PotenciometerUzemmod->isHidden(), c.potentiometer) << int(c.mode);
        EXPECT_EQ(!d->GroupBox_PotenciometerSkalazas->isHidden(), c.scaling) << int(c.mode);
        EXPECT_EQ(!d->GroupBox_SzenzorKorrekciosErtekek->isHidden(), c.corrections) << int(c.mode);
    }
    // A click on a choice shows its groups at once.
    d->RadioGroup_Uzemmod->Item(2)->click();
    d->RadioGroup_VezetekSzam->Item(0)->click();
    EXPECT_FALSE(d->GroupBox_PotenciometerSkalazas->isHidden());
    EXPECT_TRUE(d->GroupBox_SzenzorKorrekciosErtekek->isHidden());
    EXPECT_TRUE(d->GroupBox_2Wire->isHidden());
}

TEST_F(RtdInputDialog, WriteCarriesChoicesAndCorrectionsInOrder) {
    // The points as the user entered them: 300.0, 100.0, 200.0 °C adding
    // 1.0, 2.0, 3.0 °C.
    Read(Encode({4, 10, 0, {3000, 1000, 2000}, {10, 20, 30}, 12.5f, 987.25f, 0, -500, 99999, 1.5f}));
    Choose({2, 1, 5, 2});
    EXPECT_EQ(Write(), kScaledBytes);
    const tTX& tx = w->recTX;
    EXPECT_EQ(tx.iPXRT_CorrTemp1, 1000);
    EXPECT_EQ(tx.iPXRT_CorrPlusTemp1, 20);
    EXPECT_EQ(tx.iPXRT_CorrPlusTemp3, 10);
    EXPECT_EQ(tx.uAverage, 50);
    EXPECT_EQ(tx.uDecimalPointSettings, 2);
    EXPECT_EQ(tx.fPXRT_R2Wires, 1.5f);
}

TEST_F(RtdInputDialog, ListValuesOutsideTheListsAndBack) {
    struct Case {
        uint8_t wires, count, mode, decimals;
        std::array<int, 4> shown;  // source, wiring, measuring time, decimals
        Bytes sent;  // wires, count, source; then decimals
    } cases[] = {
        {4, 1, 0, 0, {0, 0, 0, 0}, {4, 1, 0, 0}},    {3, 2, 1, 1, {1, 1, 1, 1}, {3, 2, 1, 1}},
        {2, 5, 2, 3, {2, 2, 2, 3}, {2, 5, 2, 3}},    {2, 20, 3, 4, {3, 2, 4, 4}, {2, 20, 3, 4}},
        {4, 7, 0, 1, {0, 0, 3, 1}, {4, 10, 0, 1}},  // an unknown count: one second
        {0, 0, 200, 9, {3, 2, 3, 4}, {2, 10, 3, 4}}, {1, 255, 4, 5, {3, 2, 3, 4}, {2, 10, 3, 4}},
    };
    for (const auto& c : cases) {
        RtdBlock b;
        b.wires = c.wires;
        b.averageCount = c.count;
        b.mode = c.mode;
        b.decimals = c.decimals;
        Read(Encode(b));
        EXPECT_EQ(Choices(), c.shown) << int(c.wires) << " " << int(c.count) << " " << int(c.mode);
        const Bytes sent = Write();
        EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 3), Bytes(c.sent.begin(), c.sent.begin() + 3));
        EXPECT_EQ(sent.at(23), c.sent[3]);
    }
}

TEST_F(RtdInputDialog, WiringTheInstrumentCannotTakeIsNotWritten) {
    for (uint8_t wires : {5, 200}) {
        RtdBlock b;
        b.wires = wires;
        Read(Encode(b));
        EXPECT_EQ(d->RadioGroup_VezetekSzam->ItemIndex(), -1);
        informed.clear();
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
        ASSERT_EQ(informed.size(), 1);
        EXPECT_TRUE(informed[0].startsWith(QString::fromUtf8("Nincs kiválasztva a jelforrás bekötése.")));
        EXPECT_EQ(Serve(), 101) << "nothing is written";
    }
    d->RadioGroup_VezetekSzam->Item(1)->click();
    EXPECT_EQ(Write().at(0), 3);
}

TEST_F(RtdInputDialog, FactoryValuesLeaveTheMeasuredPoints) {
    Read(kScaledBytes);
    RtdBlock factory;
    factory.corrTemp = {-100, 0, 100};
    d->SpeedButton_ReadDefault->setChecked(true);
    EXPECT_EQ(Serve(Encode(factory, true)), 229);
    EXPECT_FALSE(d->SpeedButton_ReadDefault->isChecked());
    EXPECT_EQ(Choices(), (std::array<int, 4>{0, 0, 3, 1}));
    EXPECT_EQ(Shown("Label_iPXRT_CorrTemp1"), QString::fromUtf8("-010,0 °C"));
    EXPECT_EQ(Shown("Label_iScaleHighSettings"), "100,0");
    EXPECT_EQ(Shown("Label_PotiCal0"), "12,50 ohm");
    EXPECT_EQ(Shown("Label_PotiCal100"), "987,25 ohm");
    EXPECT_EQ(Shown("Label_2VezRKiejtes"), "1,50 ohm");
    EXPECT_EQ(w->recRX.fPXRT_PotRPercent0, 12.5f);
    EXPECT_EQ(w->recRX.fPXRT_R2Wires, 1.5f);
}

TEST_F(RtdInputDialog, CalibrationButtonsTakeTheLastMeasurement) {
    d->Button_PotiCal100->click();
    EXPECT_EQ(Shown("Label_PotiCal100"), "0,00 ohm") << "nothing measured yet";

    tRX rx;
    rx.fFizikaiMennyiseg = 123.456f;
    rx.fResistance = 2.5f;
    Status(rx, 310);
    d->Button_PotiCal0->click();
    EXPECT_EQ(Shown("Label_PotiCal0"), "123,46 ohm");
    EXPECT_EQ(w->recRX.fPXRT_PotRPercent0, 123.456f);
    d->Button_2VezRKiejtes->click();
    EXPECT_EQ(Shown("Label_2VezRKiejtes"), "2,50 ohm");
    EXPECT_EQ(w->recRX.fPXRT_R2Wires, 2.5f);
    d->Button_2VezRNulla->click();
    EXPECT_EQ(Shown("Label_2VezRKiejtes"), "0,00 ohm");
    EXPECT_EQ(w->recRX.fPXRT_R2Wires, 0.0f);

    rx.bPt1000 = true;  // measured to a tenth of an ohm
    rx.fFizikaiMennyiseg = 1234.56f;
    Status(rx, 310);
    d->Button_PotiCal100->click();
    EXPECT_EQ(Shown("Label_PotiCal100"), "1234,6 ohm");
    EXPECT_EQ(Shown("Label_PotiCal0"), "123,5 ohm");

    // Nothing measured at all: nothing to calibrate to.
    rx.fFizikaiMennyiseg = NAN;
    Status(rx, 310);
    informed.clear();
    d->Button_PotiCal0->click();
    EXPECT_EQ(informed.size(), 1);
    EXPECT_EQ(w->recRX.fPXRT_PotRPercent0, 123.456f);
    EXPECT_EQ(Serve(), 101) << "the buttons send nothing";
}

TEST_F(RtdInputDialog, UnwrittenChoicesSurviveRedrawsAndStatusAnswers) {
    device = 310;  // one PX310 answers the read and the status polls
    Read(kScaledBytes);
    Choose({1, 2, 0, 3});
    // The instrument still reports what it was set to.
    tRX rx;
    rx.uPXRT_Mode = 2;
    rx.uDecimalPoint = 1;
    rx.fFizikaiMennyiseg = 50.0f;
    Status(rx, 310);
    d->Button_PotiCal0->click();
    EXPECT_EQ(Choices(), (std::array<int, 4>{1, 2, 0, 3}));
    ASSERT_TRUE(w->valueDestinations.Deliver(13, 5));
    Status(rx, 310);
    EXPECT_EQ(Choices(), (std::array<int, 4>{1, 2, 0, 3})) << "after an editor's OK";
    EXPECT_EQ(Shown("Label_iScaleLowSettings"), "-0,500");
    d->RadioGroup_PX310_Decimals->Item(4)->click();
    EXPECT_EQ(Choices(), (std::array<int, 4>{1, 2, 0, 4})) << "after a decimals click";
    EXPECT_EQ(Shown("Label_iScaleLowSettings"), "-0,0500");
    const Bytes sent = Write();
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 3), (Bytes{2, 1, 1}));
    EXPECT_EQ(sent.at(23), 4);
}

TEST_F(RtdInputDialog, EditorsOpenWithTheirLimitsAndStoreIntoTheRecord) {
    Read(kScaledBytes);
    struct Case {
        const char* button;
        int identifier;
        const char* caption;
        int32_t min, max, opened;
        int decimals;
        const char* typed;
        int32_t tRX::*wide;
        int16_t tRX::*narrow;
        const char* label;
        const char* shown;
    } cases[] = {
        {"Button_ScaleLowSettings", 8, "A 0%-hoz tartozó kijelzési érték", -9999, 99999, -500, 2, "-12,5",
         &tRX::iPXRT_ScaleLow, nullptr, "Label_iScaleLowSettings", "-12,50"},
        {"Button_ScaleHighSettings", 9, "A 100%-hoz tartozó kijelzési érték", -9999, 99999, 99999, 2, "1000",
         &tRX::iPXRT_ScaleHigh, nullptr, "Label_iScaleHighSettings", "999,99"},
        {"Button_iPXRT_CorrTemp1", 10, "Korrekció: hőmérsékleti pont 1", -2000, 8000, 1000, 1, "-50,5", nullptr,
         &tRX::iPXRT_CorrTemp1, "Label_iPXRT_CorrTemp1", "-050,5 °C"},
        {"Button_iPXRT_CorrTemp2", 11, "Korrekció: hőmérsékleti pont 2", -2000, 8000, 2000, 1, "900", nullptr,
         &tRX::iPXRT_CorrTemp2, "Label_iPXRT_CorrTemp2", "800,0 °C"},
        {"Button_iPXRT_CorrTemp3", 12, "Korrekció: hőmérsékleti pont 3", -2000, 8000, 3000, 1, "25", nullptr,
         &tRX::iPXRT_CorrTemp3, "Label_iPXRT_CorrTemp3", "025,0 °C"},
        {"Button_iPXRT_CorrPlusTemp1", 13, "Korrekció: hőmérséklethez adandó érték 1", -100, 100, 20, 1, "-1,5",
         nullptr, &tRX::iPXRT_CorrPlusTemp1, "Label_iPXRT_CorrPlusTemp1", "-001,5 °C"},
        {"Button_iPXRT_CorrPlusTemp2", 14, "Korrekció: hőmérséklethez adandó érték 2", -100, 100, 30, 1, "-20", nullptr,
         &tRX::iPXRT_CorrPlusTemp2, "Label_iPXRT_CorrPlusTemp2", "-010,0 °C"},
        {"Button_iPXRT_CorrPlusTemp3", 15, "Korrekció: hőmérséklethez adandó érték 3", -100, 100, 10, 1, "0,25",
         nullptr, &tRX::iPXRT_CorrPlusTemp3, "Label_iPXRT_CorrPlusTemp3", "000,2 °C"},
    };
    TForm_IncDecEdit* e = w->Form_IncDecEdit;
    for (const auto& c : cases) {
        QTimer::singleShot(0, e, [&] {
            EXPECT_TRUE(e->isVisible());
            EXPECT_EQ(e->iIdentifier, c.identifier);
            EXPECT_EQ(e->Label_Caption->text(), QString::fromUtf8(c.caption));
            EXPECT_EQ(e->iMin, c.min);
            EXPECT_EQ(e->iMax, c.max);
            EXPECT_EQ(e->iValue, c.opened);
            EXPECT_EQ(e->uDecimalPoint, c.decimals);
            e->Edit_Value->setText(c.typed);
            e->Button_OK->click();
            // A value beyond the limits is shown as it became and stored by a second OK.
            if (e->isVisible()) {
                EXPECT_TRUE(e->Label_Limited->isVisible()) << c.button;
                e->Button_OK->click();
            }
        });
        d->findChild<QPushButton*>(c.button)->click();
        EXPECT_EQ(Shown(c.label), QString::fromUtf8(c.shown)) << c.button;
    }
    const tRX& rx = w->recRX;
    EXPECT_EQ(rx.iPXRT_ScaleLow, -1250);
    EXPECT_EQ(rx.iPXRT_CorrTemp2, 8000);
    EXPECT_EQ(rx.iPXRT_CorrPlusTemp3, 2) << "0.25 goes to the even neighbour";

    // The scale ends have two identifiers each; whoever delivers, a value
    // stays within its field's limits.
    const std::tuple<int, int32_t, int32_t tRX::*, int32_t> wide[] = {{16, 4321, &tRX::iPXRT_ScaleLow, 4321},
                                                                      {17, 123456, &tRX::iPXRT_ScaleHigh, 99999}};
    for (auto [id, value, field, stored] : wide) {
        ASSERT_TRUE(w->valueDestinations.Deliver(id, value));
        EXPECT_EQ(rx.*field, stored) << id;
    }
    ASSERT_TRUE(w->valueDestinations.Deliver(12, 40000));
    EXPECT_EQ(rx.iPXRT_CorrTemp3, 8000);
    EXPECT_EQ(Serve(), 101) << "an edit sends nothing by itself";
}

TEST_F(RtdInputDialog, StatusAnswerShowsWhatIsMeasured) {
    EXPECT_EQ(d->RadioGroup_Uzemmod->Item(0)->text(), "<din>");
    EXPECT_EQ(Shown("Label_2VezModRMert"), "xxx.xx ohm");
    EXPECT_EQ(Shown("Label_PotiModRMert"), "R = xxx.xx ohm");
    struct Case {
        uint16_t device;
        uint8_t optIn, inputType;
        bool pt1000;
        float resistance, value;
        const char *resistanceText, *valueText, *sensor;
    } cases[] = {
        {310, 0, 0, false, 108.5f, 512.25f, "108,50 ohm", "512,25 ohm", "Pt100 hőmérséklet érzékelő"},
        {310, 0, 0, true, 1085.04f, 0.0f, "1085,0 ohm", "0,0 ohm", "Pt1000 hőmérséklet érzékelő"},
        {330, 2, 0, false, 108.5f, 1.0f, "108,500 ohm", "1,000 ohm", "Pt100 hőmérséklet érzékelő"},
        {310, 2, 0, true, 1085.004f, 2.5f, "1085,00 ohm", "2,50 ohm", "Pt1000 hőmérséklet érzékelő"},
        // Not an RTD input: the general format with the input's unit.
        {330, 1, 0, false, 0.0f, 12.5f, "0 mA", "12,5 mA", "Pt100 hőmérséklet érzékelő"},
    };
    for (const auto& c : cases) {
        tRX rx;
        rx.uPXOptIn = c.optIn;
        rx.uInputType = c.inputType;
        rx.bPt1000 = c.pt1000;
        rx.fResistance = c.resistance;
        rx.fFizikaiMennyiseg = c.value;
        Status(rx, c.device);
        EXPECT_EQ(Shown("Label_2VezModRMert"), QString::fromUtf8(c.resistanceText)) << c.device << " " << int(c.optIn);
        EXPECT_EQ(Shown("Label_PotiModRMert"), QString::fromUtf8(c.valueText));
        EXPECT_EQ(d->RadioGroup_Uzemmod->Item(0)->text(), QString::fromUtf8(c.sensor));
    }
}

TEST_F(RtdInputDialog, PX310PageHoldsItsTwoModulesAndReadsOnEntry) {
    QWidget* page = w->devicePages[std::size_t(DevicePage::P310)];
    EXPECT_EQ(w->PageControl4->tabText(w->PageControl4->indexOf(page)), "PX310");
    const std::tuple<const char*, const char*, const char*, const char*> groups[] = {
        {"GroupBox33", "BEMENET", "Button_In310", "Pt / Potenciométer / R"},
        {"GroupBox31", "KIMENET", "Button_PX310_PXAO_Fo", "Analóg kimenet"},
    };
    for (auto [group, caption, button, text] : groups) {
        auto* box = page->findChild<QGroupBox*>(group);
        ASSERT_NE(box, nullptr) << group;
        EXPECT_EQ(box->title(), QString::fromUtf8(caption));
        auto* b = box->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        EXPECT_EQ(b->text(), QString::fromUtf8(text));
    }
    EXPECT_EQ(page->findChildren<QPushButton*>().size(), 2);

    w->ShowDevicePage(page);
    w->PageControl4->setCurrentWidget(w->aboutPage);
    EXPECT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
    w->PageControl4->setCurrentWidget(page);
    EXPECT_TRUE(d->SpeedButton_ReadFromDevice->isChecked());
    EXPECT_EQ(Serve(kScaledBytes), 228);
    EXPECT_EQ(d->RadioGroup_Uzemmod->ItemIndex(), 2);
}

// Read, change, write and read back against a PX310 of the virtual
// instrument, which then measures by the new settings.
TEST(RtdInputWithInstrument, WrittenSettingsReachTheInstrument) {
    QTemporaryDir dir;
    sim::InstrumentConfig cfg;
    cfg.deviceType = 310;
    SimHid hid(cfg, [] { return 5.0; });  // the sensor at 41.2 °C
    StartupOptions o;
    o.executablePath = dir.filePath("velmar-setup");
    o.claimOnlyInstance = [](const QString&) { return true; };
    auto windows = Startup(hid, o);
    TForm1* w = windows->main.get();
    TForm_PXRT* d = w->Form_PXRT;
    // The identity load shows the PX310 page, whose entry reads the input.
    WAIT_FOR(w->PageControl4->currentWidget() == w->devicePages[std::size_t(DevicePage::P310)], 4000);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(d->RadioGroup_Atlagolas->ItemIndex(), 3);
    EXPECT_EQ(w->recRX.iPXRT_CorrTemp2, 1000);
    WAIT_FOR(d->Label_2VezModRMert->text().endsWith(" ohm") && w->recRX.fResistance > 100.0f, 3000);

    d->RadioGroup_VezetekSzam->Item(2)->click();
    d->Button_2VezRKiejtes->click();  // whatever is measured now is taken off from now on
    const float leads = w->recRX.fPXRT_R2Wires;
    EXPECT_GT(leads, 100.0f);
    d->RadioGroup_Atlagolas->Item(1)->click();
    ASSERT_TRUE(w->valueDestinations.Deliver(10, 2500));
    ASSERT_TRUE(w->valueDestinations.Deliver(11, 500));
    ASSERT_TRUE(w->valueDestinations.Deliver(13, 15));
    d->RadioGroup_Uzemmod->Item(2)->click();
    d->RadioGroup_PX310_Decimals->Item(3)->click();
    ASSERT_TRUE(w->valueDestinations.Deliver(9, 20000));
    d->SpeedButton_WriteToDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked() && !d->SpeedButton_ReadFromDevice->isChecked(), 3000);

    const RtdBlock& kept = hid.Instrument().Settings().rtd;
    EXPECT_EQ(kept.wires, 2);
    EXPECT_EQ(kept.averageCount, 2);
    EXPECT_EQ(kept.mode, 2);
    EXPECT_EQ(kept.corrTemp, (std::array<int16_t, 3>{500, 2000, 2500}));
    EXPECT_EQ(kept.corrPlus, (std::array<int16_t, 3>{0, 0, 15}));
    EXPECT_EQ(kept.decimals, 3);
    EXPECT_EQ(kept.scaleHigh, 20000);
    EXPECT_EQ(kept.leadResistance, leads);
    // Read back as written, and the instrument now measures a potentiometer.
    EXPECT_EQ(d->RadioGroup_PX310_Decimals->ItemIndex(), 3);
    EXPECT_EQ(w->recRX.iPXRT_CorrTemp3, 2500);
    WAIT_FOR(w->recRX.uPXRT_Mode == 2 && w->recRX.uDecimalPoint == 3, 3000);
    EXPECT_FALSE(d->GroupBox_PotenciometerUzemmod->isHidden());
}

}  // namespace
}  // namespace velmar
