// The Modbus dialog: its commands only while the slot flag says slot 1,
// what the answers select, what the write carries, the write refused without
// a baud rate or address, and a round against the virtual instrument.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/modules/modbus_codec.h"
#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/modbus_dialog.h"
#include "gui/views/radio_group.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using Bytes = std::vector<uint8_t>;

struct ModbusDialog : WindowFixture {
    TForm_PXMB* d = nullptr;
    void SetUp() override {
        Create();
        Plug();
        d = w->Form_PXMB;
        w->bFoKimenetiModulVanNyitva = true;
    }
};

TEST_F(ModbusDialog, StartsAsDesigned) {
    EXPECT_EQ(d->objectName(), "Form_PXMB");
    EXPECT_EQ(d->RadioGroup_MODBUSParity->ItemIndex(), 1);
    EXPECT_EQ(d->ComboBox_MODBUSBaudRate->count(), 16);
    EXPECT_EQ(d->ComboBox_MODBUSBaudRate->currentIndex(), -1);
    EXPECT_EQ(d->ComboBox_MODBUSAddress->count(), 248);
    EXPECT_EQ(d->ComboBox_MODBUSAddress->itemText(247), "247");
    EXPECT_EQ(d->ComboBox_MODBUSAddress->currentIndex(), 0);
    EXPECT_EQ(d->SpeedButton_ReadDefault->text(), QString::fromUtf8("Gyári alapértékek megjelenítése"));
}

TEST_F(ModbusDialog, AnswersSelectAndWriteSends) {
    d->SpeedButton_ReadFromDevice->setChecked(true);
    EXPECT_EQ(Serve({1, 3, 11, 247, 0x2C, 0x01}), 214);
    EXPECT_FALSE(d->SpeedButton_ReadFromDevice->isChecked());
    EXPECT_EQ(d->RadioGroup_MODBUSProtocol->ItemIndex(), 1);
    EXPECT_EQ(d->RadioGroup_MODBUSParity->ItemIndex(), 3);
    EXPECT_EQ(d->ComboBox_MODBUSBaudRate->currentText(), "115200 bit/sec.");
    EXPECT_EQ(d->ComboBox_MODBUSAddress->currentText(), "247");
    EXPECT_EQ(d->Edit_MODBUSTimeOut->text(), "300");
    EXPECT_EQ(w->recRX.uMODBUSTimeOut, 300);

    // "RTU", "Páros (Even)", "9600 bit/sec.", address 1, time-out 10.
    d->RadioGroup_MODBUSProtocol->SetItemIndex(0);
    d->RadioGroup_MODBUSParity->SetItemIndex(1);
    d->ComboBox_MODBUSBaudRate->setCurrentIndex(5);
    d->ComboBox_MODBUSAddress->setCurrentIndex(1);
    d->Edit_MODBUSTimeOut->setText("10");
    d->SpeedButton_WriteToDevice->setChecked(true);
    EXPECT_EQ(Serve(), 215);
    EXPECT_EQ(lastRequest, (Bytes{0x00, 0x01, 0x05, 0x01, 0x0A, 0x00}));
    EXPECT_EQ(w->recTX.uMODBUSBaudRate, 5);
    EXPECT_TRUE(d->SpeedButton_ReadFromDevice->isChecked()) << "a read-back follows every write";
    EXPECT_EQ(Serve(Bytes(6)), 214);

    d->SpeedButton_ReadDefault->setChecked(true);
    EXPECT_EQ(Serve({0, 1, 5, 1, 10, 0}), 216);
    EXPECT_FALSE(d->SpeedButton_ReadDefault->isChecked());
    EXPECT_EQ(d->ComboBox_MODBUSBaudRate->currentIndex(), 5);
}

TEST_F(ModbusDialog, ValuesOutsideTheLists) {
    // Protocol and parity beyond their lists show their last item; a baud
    // rate or address beyond the list leaves the list without a selection.
    d->SpeedButton_ReadFromDevice->setChecked(true);
    EXPECT_EQ(Serve({2, 4, 16, 248, 0xFF, 0xFF}), 214);
    EXPECT_EQ(d->RadioGroup_MODBUSProtocol->ItemIndex(), 1);
    EXPECT_EQ(d->RadioGroup_MODBUSParity->ItemIndex(), 3);
    EXPECT_EQ(d->ComboBox_MODBUSBaudRate->currentIndex(), -1);
    EXPECT_EQ(d->ComboBox_MODBUSAddress->currentIndex(), -1);
    EXPECT_EQ(d->Edit_MODBUSTimeOut->text(), "65535");

    // Nothing can be sent for an empty list: the write is refused with a
    // message naming what is missing.
    d->SpeedButton_WriteToDevice->click();
    EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
    ASSERT_EQ(informed.size(), 1);
    EXPECT_TRUE(informed[0].contains(QString::fromUtf8("adatátviteli sebesség"))) << informed[0].toStdString();
    EXPECT_EQ(Serve(), 101) << "nothing sent";
    d->ComboBox_MODBUSBaudRate->setCurrentIndex(0);
    d->SpeedButton_WriteToDevice->click();
    ASSERT_EQ(informed.size(), 2);
    EXPECT_TRUE(informed[1].contains(QString::fromUtf8("készülékcím"))) << informed[1].toStdString();
    d->ComboBox_MODBUSAddress->setCurrentIndex(0);

    struct Case {
        const char* typed;
        uint16_t sent;
    } cases[] = {{"70000", 65535}, {"abc", 0}, {"-5", 0}, {"", 0}, {"65535", 65535}, {"007", 7}};
    for (const auto& c : cases) {
        d->Edit_MODBUSTimeOut->setText(QString::fromUtf8(c.typed));
        d->SpeedButton_WriteToDevice->setChecked(true);
        EXPECT_EQ(Serve(), 215);
        EXPECT_EQ(lastRequest.at(4) | lastRequest.at(5) << 8, c.sent) << c.typed;
        EXPECT_EQ(d->Edit_MODBUSTimeOut->text(), QString::number(c.sent));
        d->SpeedButton_ReadFromDevice->setChecked(false);
    }
    EXPECT_EQ(informed.size(), 2);
}

TEST_F(ModbusDialog, RequestsWaitForTheFirstSlot) {
    // A slot-2 analog output dialog opened last: the Modbus read waits.
    QTimer::singleShot(0, w->Form_PXAO, [&] { w->Form_PXAO->reject(); });
    Find<QPushButton>("Button_PX330_PXAO_Tovabbi")->click();
    EXPECT_EQ(Serve(), 205);
    d->SpeedButton_ReadFromDevice->setChecked(true);
    EXPECT_EQ(Serve(), 101);
    EXPECT_EQ(Serve(), 101);

    QString caption;
    QTimer::singleShot(0, d, [&] {
        caption = d->windowTitle();
        d->reject();
    });
    Find<QPushButton>("Button_PX530_PXMB")->click();
    EXPECT_EQ(caption, QString::fromUtf8("PXMB bemeneti modul"));
    EXPECT_TRUE(w->bFoKimenetiModulVanNyitva);
    EXPECT_EQ(Serve(Bytes(6)), 214);
}

TEST_F(ModbusDialog, EveryOpenerUsesTheFirstSlot) {
    struct Case {
        const char* button;
        const char* caption;
    } cases[] = {
        {"Button_PX330_PXMB_Fo", "MODBUS RS-485 kimenet 1 (RS4)"},
        {"Button_PX350_PXMB_Fo", "MODBUS RS-485 kimenet 1 (RS4)"},
        {"Button_PX370_PXMB_Fo", "MODBUS RS-485 kimenet 1 (RS4)"},
        {"Button_PX580_PXMB_Fo", "PXMB"},
        {"Button_PX330_PXMBIN", "MODBUS RS-485 bemenet (RS4)"},
    };
    for (const auto& c : cases) {
        w->bFoKimenetiModulVanNyitva = false;
        QString caption;
        QTimer::singleShot(0, d, [&] {
            caption = d->windowTitle();
            d->reject();
        });
        Find<QPushButton>(c.button)->click();
        EXPECT_EQ(caption, QString::fromUtf8(c.caption)) << c.button;
        EXPECT_TRUE(w->bFoKimenetiModulVanNyitva) << c.button;
        EXPECT_EQ(Serve(Bytes(6)), 214) << c.button;
    }
}

TEST(ModbusWithInstrument, WriteReachesTheInstrumentAndReadsBack) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 330;
    cfg.optIn = 8;
    InstrumentProgram program(cfg);
    auto& hid = program.hid;
    TForm1* w = program.w;
    TForm_PXMB* d = w->Form_PXMB;
    WAIT_FOR(w->recMBU.bOnline, 2000);
    w->bFoKimenetiModulVanNyitva = true;
    d->SpeedButton_ReadFromDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(d->ComboBox_MODBUSBaudRate->currentText(), "9600 bit/sec.");

    d->ComboBox_MODBUSBaudRate->setCurrentIndex(7);
    d->ComboBox_MODBUSAddress->setCurrentIndex(42);
    d->RadioGroup_MODBUSParity->SetItemIndex(2);
    d->Edit_MODBUSTimeOut->setText("120");
    d->SpeedButton_WriteToDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked() && !d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    const ModbusBlock& m = hid.Instrument().Settings().modbus;
    EXPECT_EQ(m.baudRate, 7);
    EXPECT_EQ(m.address, 42);
    EXPECT_EQ(m.parity, 2);
    EXPECT_EQ(m.timeOut, 120);
    EXPECT_EQ(w->recRX.uMODBUSAddress, 42) << "read back";

    d->SpeedButton_ReadDefault->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadDefault->isChecked(), 3000);
    EXPECT_EQ(d->ComboBox_MODBUSAddress->currentIndex(), 1) << "factory values";
    EXPECT_EQ(m.address, 42) << "showing factory values writes nothing";
}

}  // namespace
}  // namespace velmar
