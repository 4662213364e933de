// A word after every write, against the virtual instrument: edits wait for
// a write and are marked, closing asks before giving them up, and the read-
// back confirms the write with its time or names what came back otherwise.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "gui/modules/analog_input_dialog.h"
#include "gui/views/radio_group.h"
#include "gui/views/value_editor_typed.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

const QString kWaiting = QString::fromUtf8("Beírásra vár");

struct WriteStateTest : ::testing::Test {
    QStringList asked;
    bool answer = false;
    InstrumentProgram program{sim::InstrumentConfig{}, [] { return 5.0; },
                              [this](StartupOptions& o) {
                                  o.confirm = [this](const QString& t) {
                                      asked << t;
                                      return answer;
                                  };
                              }};
    TForm1* w = program.w;
    TForm_PXAI* d = w->Form_PXAI;

    // The dialog shown with its settings read.
    void OpenRead() {
        WAIT_FOR(w->recRX.uDecimalPoint == 2, 3000);  // the editor takes the instrument's decimals
        d->show();
        d->SpeedButton_ReadFromDevice->setChecked(true);
        WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    }
    // The upper scale end typed into the value editor the dialog opens.
    void EditScaleHigh(const char* typed) {
        QTimer::singleShot(0, w, [this, typed] {
            TForm_IncDecEdit* e = w->Form_IncDecEdit;
            e->Edit_Value->setText(typed);
            e->Button_OK->click();
        });
        d->Button_ScaleHighSettings->click();
    }
    void WriteAndWaitForReadBack() {
        d->SpeedButton_WriteToDevice->setChecked(true);
        WAIT_FOR(!d->SpeedButton_WriteToDevice->isChecked() && !d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    }
    QString State() const { return d->Label_WriteState->isVisible() ? d->Label_WriteState->text() : QString(); }
};

TEST_F(WriteStateTest, AnEditWaitsClosingAsksAndTheReadBackConfirmsWithTheTime) {
    OpenRead();
    EXPECT_EQ(State(), "") << "read values wait for nothing";
    EditScaleHigh("50");
    EXPECT_EQ(d->iScaleHighSettings, 5000);
    EXPECT_TRUE(State().startsWith(kWaiting)) << State().toStdString();

    // Esc, and the user keeps the edits: the dialog stays, the edit too.
    QTest::keyClick(d, Qt::Key_Escape);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QString::fromUtf8("nincsenek beírva"))) << asked[0].toStdString();
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->iScaleHighSettings, 5000);

    WriteAndWaitForReadBack();
    EXPECT_EQ(program.hid.Instrument().Settings().input.scaleHigh, 5000);
    EXPECT_TRUE(QRegularExpression("^Beírva és visszaolvasva \\d\\d:\\d\\d:\\d\\d$").match(State()).hasMatch())
        << State().toStdString();
    EXPECT_EQ(d->Label_WriteState->palette().color(QPalette::WindowText), colors::kGreen);

    // Written: closing asks nothing.
    d->Button_Esc->click();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_FALSE(d->isVisible());
}

TEST_F(WriteStateTest, FactoryValuesWaitAndTheUserMayGiveThemUp) {
    OpenRead();
    d->SpeedButton_ReadDefault->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadDefault->isChecked(), 3000);
    EXPECT_TRUE(State().startsWith(kWaiting)) << "factory values are not in the instrument yet";
    // A choice the user makes counts as much as a typed value.
    d->SpeedButton_ReadFromDevice->setChecked(true);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    EXPECT_EQ(State(), "") << "read over";
    QRadioButton* item = d->RadioGroup_uDecimalPointSettings->Item(3);
    ASSERT_NE(item, nullptr);
    item->click();
    EXPECT_TRUE(State().startsWith(kWaiting));

    answer = true;
    d->close();  // the window's close button
    EXPECT_EQ(asked.size(), 1);
    EXPECT_FALSE(d->isVisible());
}

// The instrument keeps another value than the one written (as a module
// with its own limits would): the dialog names the field and both values.
TEST_F(WriteStateTest, AReadBackOtherThanWrittenNamesTheField) {
    OpenRead();
    EditScaleHigh("50");
    QObject::connect(&w->events, &InstrumentEvents::commandAnswered, w, [this](uint8_t command, auto&, auto&) {
        if (command == 202) program.hid.Instrument().Settings().input.scaleHigh = 4000;
    });
    WriteAndWaitForReadBack();
    const QString state = State();
    EXPECT_TRUE(state.contains(QString::fromUtf8("Skála felső számérték: beírva 50.00, visszaolvasva 40.00")))
        << state.toStdString();
    EXPECT_TRUE(state.startsWith(QString::fromUtf8("Beírva "))) << state.toStdString();
    EXPECT_EQ(d->Label_WriteState->palette().color(QPalette::WindowText), colors::kRed);
}

}  // namespace
}  // namespace velmar
