// The settings set on its two service pages: what an answer shows, what a
// write sends, what is refused, the limit outputs' direct control, and a
// round against the virtual instrument.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <gtest/gtest.h>
#include <tuple>

#include "core/settings/settings_set_codec.h"
#include "gui/device/settings_pages.h"
#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/modbus_dialog.h"
#include "gui/views/radio_group.h"
#include "tests/support/block_io.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

const auto kSet = [](auto& io, SettingsSet& s) { SettingsSetLayout(io, s); };
Bytes Encode(const SettingsSet& s) { return test::Encode(s, kSet); }
SettingsSet Decode(const Bytes& bytes) { return test::Decode<SettingsSet>(bytes, kSet); }

struct SettingsPages : WindowFixture {
    SettingsPage* p = nullptr;
    LimitOutputsPage* l = nullptr;
    void SetUp() override {
        Create({"/QZKTRM"});
        Plug();
        w->DecimalSeparator = ',';
        p = w->settingsPage;
        l = w->limitOutputsPage;
    }
    // Answers a read of the set with a payload longer than one frame.
    int ServeSet(const Bytes& answer) {
        const int command = Tick();
        std::size_t at = 0;
        do {
            auto frame = Answer{.command = uint8_t(command),
                                .device = device,
                                .serial = serial,
                                .dataBytes = uint16_t(answer.size()),
                                .index = uint16_t(at)}
                             .Frame();
            for (std::size_t i = 0; i < kChunkSize && at + i < answer.size(); ++i)
                frame[kPayloadFirst + i] = answer[at + i];
            SealTxFrame(frame.data());
            Feed(frame);
            at += kChunkSize;
        } while (at < answer.size());
        return command;
    }
    // Runs a write of the set and returns its whole request payload.
    Bytes WriteSet() {
        EXPECT_EQ(Tick(), kWriteSettingsSet);
        Bytes sent;
        for (;;) {
            const auto& r = hid.written.back();
            const std::size_t length = GetU16(r.data(), pos::kDataBytes), at = GetU16(r.data(), pos::kIndex);
            for (std::size_t i = 0; i < kChunkSize && at + i < length; ++i) sent.push_back(r[kPayloadFirst + i]);
            const bool last = r[pos::kFrameBits] & bits::kLast;
            Feed(Answer{.command = kWriteSettingsSet, .device = device, .serial = serial}.Frame());
            if (last) break;
        }
        return sent;
    }
};

TEST_F(SettingsPages, AnswerFillsBothPagesWithTheDisplaysDecimals) {
    SetDecimalMask(w->recRX, 1);  // the display's decimals of the last status answer
    SettingsSet s;
    s.brightness = 3;
    s.tagname = {'T', 'a', 'n', 'k', ' ', '1'};
    s.dimension = {'m', 0xB3};
    s.averageCount = 10;  // not in the table: the last item
    s.scaleLow = -125;
    s.limits[2] = {9, true, 250, 0, 5};
    s.timeBase[2] = 40000;
    s.modbusBaudRate = 11;
    s.ptWires = 3;
    p->SpeedButton_ReadSettings->setChecked(true);
    l->SpeedButton_ReadSettings2->setChecked(true);
    EXPECT_EQ(ServeSet(Encode(s)), kReadSettingsSet);
    EXPECT_FALSE(p->SpeedButton_ReadSettings->isChecked());
    EXPECT_FALSE(l->SpeedButton_ReadSettings2->isChecked()) << "both pages' buttons released together";
    EXPECT_EQ(p->TrackBar_Brightness->value(), 3);
    EXPECT_EQ(p->Edit_DisplayTagname->text(), "Tank 1");
    EXPECT_EQ(p->Edit_DisplayDimension->text(), QString::fromUtf8("m³"));
    EXPECT_EQ(p->RadioGroup_DisplayRefresh->ItemIndex(), 5);
    EXPECT_EQ(p->Edit_iScaleLowSettings->text(), "-12,5");
    EXPECT_EQ(p->RadioGroup_uPtWires->ItemIndex(), 1);
    EXPECT_EQ(l->limits[2].mode->ItemIndex(), 9);
    EXPECT_TRUE(l->limits[2].hold->isChecked());
    EXPECT_EQ(l->limits[2].a->text(), "25,0");
    EXPECT_EQ(l->limits[2].seconds->text(), "40000");
    EXPECT_EQ(w->Form_PXMB->ComboBox_MODBUSBaudRate->currentText(), "115200 bit/sec.");
    EXPECT_EQ(w->recRX.iHysteresisL3, 5);
}

TEST_F(SettingsPages, WriteSendsThePagesAsTheInstrumentTakesThem) {
    p->SpeedButton_ReadSettings->setChecked(true);  // a write takes only settings read from the instrument
    ASSERT_EQ(ServeSet(Encode(SettingsSet{})), kReadSettingsSet);
    w->Form_PXMB->ComboBox_MODBUSBaudRate->setCurrentIndex(5);
    p->Edit_DisplayTagname->setText("  Tank 1  ");
    l->limits[0].a->setText("12,5");  // no decimals in force: halves to even
    l->limits[0].b->setText("13.5");  // a point typed where the comma is the separator is no number
    l->limits[0].hysteresis->setText("13,5");
    l->limits[1].pulse->setText("1");
    l->limits[2].pulse->setText("300");
    l->limits[3].seconds->setText("abc");
    p->RadioGroup_uPtWires->SetItemIndex(-1);
    p->SpeedButton_WriteSettings->click();
    const SettingsSet sent = Decode(WriteSet());
    EXPECT_EQ(sent.tagname, (std::array<uint8_t, 22>{'T', 'a', 'n', 'k', ' ', '1'}));
    EXPECT_EQ(sent.limits[0].a, 12);
    EXPECT_EQ(sent.limits[0].b, 0);
    EXPECT_EQ(sent.limits[0].hysteresis, 14);
    EXPECT_EQ(l->limits[0].a->text(), "12");
    EXPECT_EQ(l->limits[0].hysteresis->text(), "14");
    EXPECT_EQ(sent.pulseWidth[1], 2);
    EXPECT_EQ(sent.pulseWidth[2], 255);
    EXPECT_EQ(l->limits[2].pulse->text(), "255");
    EXPECT_EQ(sent.timeBase[3], 2);
    EXPECT_EQ(sent.ptWires, 1) << "no wiring chosen";
    EXPECT_EQ(sent.modbusBaudRate, 5);
    EXPECT_FALSE(p->SpeedButton_WriteSettings->isChecked());
    EXPECT_TRUE(p->SpeedButton_ReadSettings->isChecked() && l->SpeedButton_ReadSettings2->isChecked())
        << "the written set is read back on both pages";
}

// The first analog output's part of the set comes from the analog output
// dialog only once that holds this instrument's values (read, then maybe
// edited); before that a write sends it back as the instrument last
// reported it, whatever the dialog shows.
TEST_F(SettingsPages, WriteKeepsTheAnalogOutputTheDialogDoesNotHold) {
    auto analogOutput = [](const SettingsSet& set) {
        return std::make_tuple(set.analogueType, set.analogueLow, set.analogueHigh, set.analogueErrorHigh,
                               set.analogueErrorDisabled);
    };
    auto readSet = [&](const SettingsSet& set) {
        p->SpeedButton_ReadSettings->setChecked(true);
        EXPECT_EQ(ServeSet(Encode(set)), kReadSettingsSet);
    };
    auto write = [&] {
        p->SpeedButton_WriteSettings->click();
        const SettingsSet sent = Decode(WriteSet());
        p->SpeedButton_ReadSettings->setChecked(false);
        l->SpeedButton_ReadSettings2->setChecked(false);
        return sent;
    };
    TForm_PXAO* out = w->Form_PXAO;
    Status(tRX{});
    SettingsSet found;
    found.analogueType = 2;
    found.analogueLow = 123;
    found.analogueHigh = 4567;
    found.analogueErrorHigh = true;
    found.analogueErrorDisabled = true;
    readSet(found);
    p->TrackBar_Brightness->setValue(9);
    SettingsSet sent = write();
    EXPECT_EQ(sent.brightness, 9);
    EXPECT_EQ(analogOutput(sent), analogOutput(found)) << "the dialog never read: the output as found";

    // Edited in the dialog that never read: its scale is what it started
    // with, not the instrument's, and none of it goes out.
    out->RadioGroup_uAnalogueType->Item(1)->click();
    EXPECT_EQ(analogOutput(write()), analogOutput(found));

    // Another instrument starts over: its own set, not the last one's dialog.
    Status(tRX{}, 330, 4712);
    w->CloseDeviceReplacedDialog();
    SettingsSet other = found;
    other.analogueType = 3;
    other.analogueLow = -50;
    readSet(other);
    EXPECT_EQ(analogOutput(write()), analogOutput(other));

    // Read by the dialog: from then on its values, edited too.
    w->bFoKimenetiModulVanNyitva = true;
    out->SpeedButton_ReadFromDevice->setChecked(true);
    const Bytes block{4, 10, 0, 0, 0, 20, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(Serve(block), 203);
    sent = write();
    EXPECT_EQ(std::make_tuple(sent.analogueType, sent.analogueLow, sent.analogueHigh),
              std::make_tuple(uint8_t(4), 10, 20));
    out->RadioGroup_uAnalogueType->Item(1)->click();
    EXPECT_EQ(write().analogueType, 1);
}

TEST_F(SettingsPages, WritesThatCannotBeSentAreRefused) {
    struct Case {
        const char* tagname;
        const char* scaleHigh;
        int baudRate;
        const char* named;  // in the message
    } cases[] = {
        {"Tartály ő", "100", 5, "ő"},
        {"Tank", "99999999999", 5, "99999999999"},
        {"Tank", "100", -1, "adatátviteli sebesség"},
    };
    l->SpeedButton_ReadSettings2->setChecked(true);  // a write takes only settings read from the instrument
    ASSERT_EQ(ServeSet(Encode(SettingsSet{})), kReadSettingsSet);
    for (const auto& c : cases) {
        informed.clear();
        p->Edit_DisplayTagname->setText(QString::fromUtf8(c.tagname));
        p->Edit_iScaleHighSettings->setText(c.scaleHigh);
        w->Form_PXMB->ComboBox_MODBUSBaudRate->setCurrentIndex(c.baudRate);
        l->SpeedButton_WriteSettings2->click();
        EXPECT_FALSE(l->SpeedButton_WriteSettings2->isChecked());
        ASSERT_EQ(informed.size(), 1) << c.named;
        EXPECT_TRUE(informed[0].contains(QString::fromUtf8(c.named))) << informed[0].toStdString();
        EXPECT_EQ(Tick(), 101) << "nothing sent";
        AnswerEmpty();
    }
}

TEST_F(SettingsPages, DirectControlOfTheLimitOutputs) {
    struct Case {
        bool forcing;
        std::array<bool, 4> forced;
        uint8_t outputs;  // of the last status answer
        int forceByte;
        std::array<bool, 4> buttonsAfter;
    } cases[] = {
        {false, {false, true, false, true}, 0x05, 0x00, {true, false, true, false}},
        {true, {false, true, false, true}, 0x00, 0xFA, {false, true, false, true}},
        {true, {true, false, false, false}, 0x0F, 0xF1, {true, false, false, false}},
    };
    for (const auto& c : cases) {
        tRX rx;
        rx.uLimit = c.outputs;
        Status(rx);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(!l->Label_DigitalOut[i]->isHidden(), bool(c.outputs & (1 << i)));
        l->SpeedButton_DigitalOutForceEng->setChecked(c.forcing);
        for (int i = 0; i < 4; ++i) l->SpeedButton_DigitalOutForce[i]->setChecked(c.forced[i]);
        EXPECT_EQ(Serve(), 101);
        EXPECT_EQ(lastRequest.at(8), c.forceByte);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(l->SpeedButton_DigitalOutForce[i]->isChecked(), c.buttonsAfter[i]) << i;
    }
}

TEST(SettingsPagesWithInstrument, WrittenSetReadsBackThroughTheModules) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 530;
    InstrumentProgram program(cfg);
    TForm1* w = program.w;
    SettingsPage* p = w->settingsPage;
    WAIT_FOR(w->recMBU.bOnline, 2000);
    p->SpeedButton_ReadSettings->setChecked(true);
    WAIT_FOR(!p->SpeedButton_ReadSettings->isChecked(), 3000);
    EXPECT_EQ(p->Edit_DisplayTagname->text(), QString::fromUtf8("Virtuális"));
    w->Form_PXMB->ComboBox_MODBUSBaudRate->setCurrentIndex(7);
    p->Edit_DisplayTagname->setText("Tank 2");
    p->RadioGroup_uInputTypeSettings->SetItemIndex(2);
    p->SpeedButton_WriteSettings->click();
    WAIT_FOR(!p->SpeedButton_WriteSettings->isChecked() && !p->SpeedButton_ReadSettings->isChecked(), 3000);
    EXPECT_EQ(program.hid.Instrument().Settings().input.inputType, 2) << "the analog input module took it";
    EXPECT_EQ(program.hid.Instrument().Settings().modbus.baudRate, 7);
    EXPECT_EQ(p->Edit_DisplayTagname->text(), "Tank 2") << "read back";
}

}  // namespace
}  // namespace velmar
