// Character limits of the edits act on typing only: a value the program
// puts into an edit, such as one the instrument reported, is shown whole and
// never cut into a plausible wrong one that a write would then send.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/device/service_calibration_page.h"
#include "gui/device/service_serial_page.h"
#include "gui/views/typed_length.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

TEST(TypedLength, LimitsTypingButNotTheProgram) {
    QLineEdit e;
    LimitTypedLength(&e, 6);
    e.setText("4294967295");
    EXPECT_EQ(e.text(), "4294967295") << "set by the program: whole";
    e.end(false);
    QTest::keyClicks(&e, "1");
    EXPECT_EQ(e.text(), "4294967295") << "an overlong text does not grow";
    QTest::keyClick(&e, Qt::Key_Backspace);
    EXPECT_EQ(e.text(), "429496729") << "but can be shortened";
    e.selectAll();
    QTest::keyClicks(&e, "12345678");
    EXPECT_EQ(e.text(), "123456") << "replaced by typing: the limit holds";
    e.clear();
    QApplication::clipboard()->setText("9876543210");
    e.paste();
    EXPECT_TRUE(e.text().isEmpty()) << "a paste beyond the limit is refused: " << e.text().toStdString();
    QApplication::clipboard()->setText("98");
    e.paste();
    EXPECT_EQ(e.text(), "98");
}

struct EditLimits : WindowFixture {
    void SetUp() override {
        Create({"/QZKTRM"});
        Plug();
    }
    // Dialogs are windows of their own: looked for among all widgets.
    static QLineEdit* Edit(const char* name) {
        for (QWidget* widget : QApplication::allWidgets())
            if (widget->objectName() == name)
                if (auto* e = qobject_cast<QLineEdit*>(widget)) return e;
        ADD_FAILURE() << name;
        return nullptr;
    }
};

TEST_F(EditLimits, EveryLimitedEditShowsWhatIsSetAndLimitsWhatIsTyped) {
    const struct {
        const char* edit;
        int limit;
    } cases[] = {
        {"Edit_GyariSzamEv", 2},
        {"Edit_GyariSzamHonap", 2},
        {"Edit_GyariSzam", 6},
        {"Edit_RAM1_iCalLow1", 6},
        {"Edit_PWM", 5},
        {"Edit_PWMTest", 5},
        {"Edit_DisplayTagname", 21},
        {"Edit_DisplayDimension", 8},
        {"Edit_uSecL1", 5},
        {"Edit_uPulseSecL4", 3},
        {"Edit_uSec", 5},
        {"Edit_uPulseSec", 3},
        {"Edit_MODBUSTimeOut", 5},
        {"Edit_Atlagolas40ms", 2},
        {"Edit_PasswordUser", 4},
        {"Edit_PasswordSupervisor", 4},
    };
    const QString longer = "1234567890123456789012345";
    for (const auto& c : cases) {
        QLineEdit* e = Edit(c.edit);
        if (!e) continue;
        e->setText(longer);
        EXPECT_EQ(e->text(), longer) << c.edit;
        e->clear();
        QTest::keyClicks(e, longer);
        EXPECT_EQ(e->text(), longer.left(c.limit)) << c.edit;
    }
}

TEST_F(EditLimits, UnprogrammedSerialShowsAsTheSerialAWriteWouldSend) {
    tRX rx;
    rx.uGyariSzamEv = 255;
    rx.uGyariSzamHonap = 7;
    Status(rx, 330, 4294967295u);
    w->Button_GyariSzamToEditsClick();
    ServiceSerialPage* p = w->serialPage;
    EXPECT_EQ(p->Edit_GyariSzam->text(), "999999") << "not the first six digits, 429496";
    EXPECT_EQ(p->Edit_GyariSzamEv->text(), "99") << "the largest two-digit year, not 25";
    EXPECT_EQ(w->recTX.uDeviceID, 999999u);
    EXPECT_EQ(w->recTX.uGyariSzamEv, 99);
}

TEST_F(EditLimits, TimerConstantBeyondSixDigitsIsShownWholeAndNotWrittenBack) {
    Status(tRX{});
    auto* read = Find<QPushButton>("SpeedButton_ReadCalIn2");
    auto* write = Find<QPushButton>("SpeedButton_Cal0mA2");
    QLineEdit* constant = w->calibrationPage->Edit_RAM1_iCalLow1;
    for (int32_t reported : {1234567, -5}) {
        read->setChecked(true);
        std::vector<uint8_t> answer;
        BytesWriter(answer).S32(reported);
        ASSERT_EQ(Serve(answer), 227);
        EXPECT_EQ(constant->text(), QString::number(reported));
        informed.clear();
        asked.clear();
        write->click();
        EXPECT_FALSE(write->isChecked()) << reported;
        ASSERT_EQ(informed.size(), 1) << reported;
        EXPECT_TRUE(informed[0].contains(QString::number(reported))) << informed[0].toStdString();
        EXPECT_TRUE(asked.isEmpty()) << "refused before the question";
        EXPECT_EQ(Tick(), 101) << "nothing but the status goes out";
        AnswerEmpty();
    }
    // A constant that fits goes out as it stands.
    constant->setText("612345");
    write->click();
    EXPECT_TRUE(write->isChecked());
    EXPECT_EQ(Serve(), 226);
    EXPECT_EQ(lastRequest, (std::vector<uint8_t>{0xF9, 0x57, 0x09, 0x00}));
}

}  // namespace
}  // namespace velmar
