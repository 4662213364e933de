// What a write may take to the instrument: only settings read from the one
// attached (or its factory values), never the placeholders a page starts
// with, another output slot's settings, or those of an instrument that has
// left; and a write never outlives the instrument it was asked of.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "gui/app/device_replaced_dialog.h"
#include "gui/modules/analog_output_dialog.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

const QString kReadFirst = QString::fromUtf8("Előbb olvassa ki a beállításokat a készülékből");

struct InstrumentValuesTest : WindowFixture {
    // The program in service mode, every page there, on a PX330 that has
    // answered: a write is held back for nothing but its values.
    void SetUp() override {
        Create({"/QZKTRM"});
        Plug();
        Status(tRX{});
    }
    QPushButton* Button(const char* window, const char* name) {
        QObject* owner = window ? w->findChild<QWidget*>(window) : w;
        auto* b = owner ? owner->findChild<QPushButton*>(name) : nullptr;
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    // Whether any frame written so far asked for the command.
    bool EverSent(int command) const {
        for (const auto& f : hid.written)
            if (f[pos::kCommand] == command) return true;
        return false;
    }
};

TEST_F(InstrumentValuesTest, AWriteBeforeAnyReadIsRefusedAndNothingGoesOnTheWire) {
    const struct {
        const char* window;  // nullptr: a page of the main window
        const char* button;
        bool primarySlot;
        int command;
    } writes[] = {
        {"Form_PXAI", "SpeedButton_WriteToDevice", true, 202},
        {"Form_PXAO", "SpeedButton_WriteToDevice", true, 204},
        {"Form_PXAO", "SpeedButton_WriteToDevice", false, 206},
        {"Form_PXRL", "SpeedButton_WriteToDevice", true, 208},
        {"Form_PXRL", "SpeedButton_WriteToDevice", false, 210},
        {"Form_PXMB", "SpeedButton_WriteToDevice", true, 215},
        {"Form_PXRT", "SpeedButton_WriteToDevice_PX310", true, 230},
        {"Form_PXTR", "SpeedButton_WriteToDevice", true, 243},
        {nullptr, "SpeedButton_WriteToDevice_PX530", true, 218},
        {nullptr, "SpeedButton_WriteToDevice_PX210", true, 236},
        {nullptr, "SpeedButton_WriteSettings", true, 109},
        {nullptr, "SpeedButton_WriteSettings2", true, 109},
    };
    for (const auto& c : writes) {
        SCOPED_TRACE(std::string(c.window ? c.window : "main window") + " " + c.button);
        w->bFoKimenetiModulVanNyitva = c.primarySlot;
        QWidget* dialog = c.window ? w->findChild<QWidget*>(c.window) : nullptr;
        if (dialog) dialog->show();
        informed.clear();
        QPushButton* write = Button(c.window, c.button);
        ASSERT_NE(write, nullptr);
        write->click();
        EXPECT_FALSE(write->isChecked()) << "the button is released";
        ASSERT_EQ(informed.size(), 1);
        EXPECT_TRUE(informed[0].contains(kReadFirst)) << informed[0].toStdString();
        EXPECT_EQ(Serve(), 101) << "only the status poll goes out";
        EXPECT_FALSE(EverSent(c.command));
        if (dialog) dialog->hide();
    }
}

// The factory values of this visit count as read; a read of one output slot
// does not make a write to the other.
TEST_F(InstrumentValuesTest, FactoryValuesCountAndAnotherSlotsSettingsDoNot) {
    TForm_PXAO* d = w->Form_PXAO;
    d->show();
    w->bFoKimenetiModulVanNyitva = true;
    d->SpeedButton_ReadFromDevice->click();
    ASSERT_EQ(Serve({2, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 1, 0, 1}), 203);

    w->bFoKimenetiModulVanNyitva = false;  // opened again for the second slot, its read unanswered
    d->SpeedButton_WriteToDevice->click();
    EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
    ASSERT_EQ(informed.size(), 1);
    EXPECT_TRUE(informed[0].contains(kReadFirst));
    EXPECT_EQ(Serve(), 101);

    d->SpeedButton_ReadDefault->click();
    ASSERT_EQ(Serve({0, 0, 0, 0, 0, 0x10, 0x27, 0, 0, 0, 0, 1}), 212);
    d->SpeedButton_WriteToDevice->click();
    EXPECT_EQ(Serve(), 206);
    EXPECT_EQ(informed.size(), 1);
    EXPECT_EQ(Serve(), 205) << "the read-back";

    QPushButton* defaults = Button(nullptr, "SpeedButton_ReadDefault_PX210");
    defaults->click();
    ASSERT_EQ(Serve({1, 50, 55, 1, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 1}), 235);
    Button(nullptr, "SpeedButton_WriteToDevice_PX210")->click();
    EXPECT_EQ(Serve(), 236);
    EXPECT_EQ(informed.size(), 1);
}

// The analog output dialog open, its settings read from one PX330; the
// instrument is unplugged and another PX330 is plugged in. Whenever the
// write was pressed, it never reaches the new instrument; the dialog says
// whose its settings are, and the replaced-instrument message is in front.
TEST_F(InstrumentValuesTest, AWriteNeverReachesTheInstrumentPluggedInAfterIt) {
    enum Moment { BeforeUnplugging, WhileUnplugged, AfterPluggingTheOther };
    for (Moment pressed : {BeforeUnplugging, WhileUnplugged, AfterPluggingTheOther}) {
        SCOPED_TRACE(pressed);
        Create();
        hid.written.clear();
        informed.clear();
        Plug();
        tRX rx;
        rx.uPXOptOutPrimer = 3;  // an analog output in the first slot
        Status(rx);
        w->Button_GyariSzamToEditsClick();  // the instrument's page, as two seconds of answers bring it
        TForm_PXAO* d = w->Form_PXAO;
        bool checked = false;
        QTimer::singleShot(0, d, [&] {
            checked = true;
            // Closed however the checks end, or the test would wait for ever.
            const struct Close {
                QDialog* dialog;
                ~Close() { dialog->reject(); }
            } close{d};
            ASSERT_TRUE(d->isVisible());
            ASSERT_EQ(Serve({2, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 1, 0, 1}), 203) << "the opener's read";
            auto press = [&] { d->SpeedButton_WriteToDevice->click(); };
            if (pressed == BeforeUnplugging) press();
            w->HandleHidMessage(kHidUnplugged, FakeHid::kInstrument);
            if (pressed == WhileUnplugged) {
                press();
                EXPECT_EQ(Tick(), 0);
            }
            Plug();
            if (pressed == AfterPluggingTheOther) press();
            serial = 4712;
            EXPECT_EQ(Tick(), 101) << "who answers is known before anything is written";
            AnswerEmpty();
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(Tick(), 101);
                AnswerEmpty();
            }
            EXPECT_FALSE(EverSent(204));
            EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
            QCoreApplication::processEvents();
            ASSERT_EQ(informed.size(), 1);
            EXPECT_TRUE(informed[0].contains(QString::fromUtf8("nem került"))) << informed[0].toStdString();

            EXPECT_TRUE(d->Label_ValuesOfAnotherInstrument->isVisible());
            EXPECT_TRUE(d->Label_ValuesOfAnotherInstrument->text().contains("004711"));
            TForm_Keszulekcsere* replaced = w->Form_Keszulekcsere;
            EXPECT_TRUE(replaced->isVisible());
            EXPECT_EQ(QApplication::activeModalWidget(), replaced) << "in front of the dialog, not behind it";

            // What the dialog shows is the last instrument's: read first.
            replaced->Button_Ok->click();
            press();
            EXPECT_FALSE(d->SpeedButton_WriteToDevice->isChecked());
            ASSERT_EQ(informed.size(), 2);
            EXPECT_TRUE(informed[1].contains("004711") && informed[1].contains(kReadFirst))
                << informed[1].toStdString();
            d->SpeedButton_ReadFromDevice->click();
            EXPECT_EQ(Serve({2, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 1, 0, 1}), 203);
            EXPECT_FALSE(d->Label_ValuesOfAnotherInstrument->isVisible());
            press();
            EXPECT_EQ(Serve(), 204) << "read from the new instrument, its settings go to it";
        });
        Find<QPushButton>("Button_PX330_PXAO_Fo")->click();
        EXPECT_TRUE(checked);
        if (HasFatalFailure()) return;
    }
}

// The same with the timers running, against the virtual instrument, which
// is taken off the bus and comes back as another PX330.
TEST(InstrumentValuesWithInstrument, AWriteAskedWhileUnpluggedNeverReachesTheNextInstrument) {
    InstrumentProgram program(sim::InstrumentConfig{});  // its analog output in the second slot
    TForm1* w = program.w;
    sim::VirtualInstrument& instrument = program.hid.Instrument();
    auto* opener = w->findChild<QPushButton*>("Button_PX330_PXAO_Tovabbi");
    ASSERT_NE(opener, nullptr);
    WAIT_FOR(opener->isVisibleTo(w), 5000);  // the identity load after two seconds of answers
    const int32_t before = instrument.Settings().outputs[1].scaleHigh;
    TForm_PXAO* d = w->Form_PXAO;
    bool checked = false;
    QTimer::singleShot(0, d, [&] {
        checked = true;
        const struct Close {
            QDialog* dialog;
            ~Close() { dialog->reject(); }
        } close{d};
        WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
        ASSERT_TRUE(w->valueDestinations.Deliver(4, before + 1));
        program.hid.Unplug();
        WAIT_FOR(!w->recMBU.bOnline, 1000);
        d->SpeedButton_WriteToDevice->click();
        WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked(), 1000);

        sim::InstrumentConfig other;
        other.serial = 4712;
        instrument.SetConfig(other);
        program.hid.Plug();
        WAIT_FOR(w->Form_Keszulekcsere->isVisible(), 3000);
        EXPECT_EQ(QApplication::activeModalWidget(), w->Form_Keszulekcsere);
        EXPECT_TRUE(d->Label_ValuesOfAnotherInstrument->isVisible());
        QTest::qWait(300);  // ten polls more
        EXPECT_EQ(instrument.Settings().outputs[1].scaleHigh, before) << "the write never reached it";
        w->Form_Keszulekcsere->Button_Ok->click();
    });
    opener->click();
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace velmar
