// Who is attached: names, the device-replaced dialog, page selection and the
// module buttons of the device pages; and the header: its live values, its
// restart button and the errors dialog.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "gui/app/device_replaced_dialog.h"
#include "gui/device/errors_dialog.h"
#include "gui/views/bar_graph.h"
#include "gui/views/lamp.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

using Identification = WindowFixture;

QString CurrentPage(TForm1* w) { return w->PageControl4->currentWidget()->objectName(); }

TEST_F(Identification, NamesByDeviceType) {
    Create();
    Plug();
    struct Case {
        uint16_t type;
        const char* name;
        bool known;
    } cases[] = {
        {330, "PX330 Konfigurálható moduláris galvanikus leválasztó", true},
        {544, "PX544 IP Folyamatindikátor", true},
        {4, "Ismeretlen készülék. Azonosítója: 4", false},
    };
    for (const auto& c : cases) {
        Feed(Answer{.device = c.type}.Frame());
        EXPECT_EQ(Text("Label_KeszulekTipus"), QString::fromUtf8(c.name));
        EXPECT_EQ(TextColour("Label_KeszulekTipus"), c.known ? colors::WindowText() : colors::kRed) << c.type;
    }
}

TEST_F(Identification, ReplacedInstrumentOpensTheDialogOnce) {
    Create();
    Plug();
    auto* dialog = w->Form_Keszulekcsere;
    Feed(Answer{.device = 330, .serial = 4711}.Frame());
    EXPECT_FALSE(dialog->isVisible()) << "the first answer only records the identity";
    EXPECT_EQ(w->recMBU.uDeviceType, 330);
    Feed(Answer{.device = 330, .serial = 4711}.Frame());  // plugged out and in again
    EXPECT_FALSE(dialog->isVisible());

    Feed(Answer{.device = 330, .serial = 4712}.Frame());
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Label_uDevice->text(), "330");
    EXPECT_EQ(dialog->Label_uLastDeviceID->text(), "4711");
    EXPECT_EQ(dialog->Label_uDeviceID->text(), "4712");
    EXPECT_EQ(dialog->Label_uDevice->palette().color(QPalette::WindowText), colors::kBlack);
    EXPECT_EQ(dialog->Label_uDeviceID->palette().color(QPalette::WindowText), colors::kRed);
    // While it is open nothing more is recorded; a timeout closes it.
    Feed(Answer{.device = 530, .serial = 1}.Frame());
    EXPECT_EQ(w->recRX.uLastDeviceID, 4712u);
    w->TimerTimeOutTimer();
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(Identification, PageAndModuleButtonsAfterTwoSeconds) {
    Create();
    Plug();
    tRX rx;
    rx.uPXOptIn = 8;
    rx.uPXOptOutPrimer = 5;
    rx.uPXOptOutSecondary = 3;
    for (int second = 0; second < 3; ++second) {
        Status(rx);
        w->Timer_1secTimer();
    }
    EXPECT_EQ(CurrentPage(w), "TabSheet_330");
    auto* tabs = w->PageControl4;
    EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(w->devicePages[1])));
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(w->devicePages[6])));
    QWidget* page = w->devicePages[1];
    const char* shown[] = {"Button_PX330_PXMBIN", "Button_PX330_PXRL_Fo", "Shape_DigitalOut1_PX330",
                           "Button_PX330_PXAO_Tovabbi"};
    const char* hidden[] = {"Button_PX330_PXAI",    "Button_PX330_PXRT",         "Button_PX330_PXAO_Fo",
                            "Button_PX330_PXMB_Fo", "Button_PX330_PXRL_Tovabbi", "Shape_DigitalOut2_PX330"};
    for (const char* n : shown) EXPECT_TRUE(Find<QWidget>(n)->isVisibleTo(page)) << n;
    for (const char* n : hidden) EXPECT_FALSE(Find<QWidget>(n)->isVisibleTo(page)) << n;
    EXPECT_EQ(Find<QPushButton>("Button_PX330_PXRL_Fo")->text(), QString::fromUtf8("Határérték kimenet"));
}

TEST_F(Identification, ModuleVisibilityByOptionCode) {
    Create();
    // clang-format off
    struct Case {
        uint16_t device;
        uint8_t in, out1, out2;
        std::vector<const char*> shown, hidden;
    } cases[] = {
        {530, 6, 0, 0, {"Button_PX530_PXMB"}, {"Button_PX330_PXMBIN", "Button_PX530_PXAI"}},
        {530, 8, 0, 0, {"Button_PX530_PXMB", "Button_PX330_PXMBIN"}, {"Button_PX530_PXRT"}},
        {330, 1, 4, 4, {"Button_PX330_PXAI", "Button_PX330_PXMB_Fo"},
         {"Button_PX330_PXAO_Tovabbi", "Button_PX330_PXRL_Tovabbi"}},
        {350, 0, 3, 5, {"Button_PX350_PXAO_Fo", "Button_PX350_PXRL_Tovabbi", "Shape_DigitalOut2_PX350",
                        "Button_PX350_AC"}, {"Shape_DigitalOut1_PX350"}},
        {580, 2, 3, 0, {"Button_PX580_PXRT", "Button_PX580_PXAO_Fo"}, {"Button_PX580_PXAI"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        w->recRX.uPXOptIn = c.in;
        w->recRX.uPXOptOutPrimer = c.out1;
        w->recRX.uPXOptOutSecondary = c.out2;
        w->SelectDevicePage(c.device);
        for (const char* n : c.shown) EXPECT_FALSE(Find<QWidget>(n)->isHidden()) << c.device << " " << n;
        for (const char* n : c.hidden) EXPECT_TRUE(Find<QWidget>(n)->isHidden()) << c.device << " " << n;
    }
    EXPECT_FALSE(Find<QPushButton>("Button_PX580_PXRT")->isEnabled()) << "a PX580's modules are greyed out";
}

TEST_F(Identification, UnknownTypesAndThePX510SelectNoPage) {
    Create();
    w->SelectDevicePage(330);
    for (uint16_t type : {510, 4}) {
        w->SelectDevicePage(type);
        EXPECT_EQ(CurrentPage(w), "TabSheet_330") << type;
    }
}

TEST_F(Identification, ServiceModeKeepsTheServiceTabInFront) {
    Create({"/QZKTRM"});
    w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
    w->SelectDevicePage(530);
    EXPECT_EQ(CurrentPage(w), "TabSheet_Velmar");
    w->PageControl4->setCurrentWidget(w->devicePages[0]);
    w->SelectDevicePage(530);
    EXPECT_EQ(CurrentPage(w), "TabSheet_530");
}

TEST_F(Identification, HeaderFromTheStatusAnswer) {
    Create();
    Plug();
    tRX rx;
    rx.uGyariSzamEv = 22;
    rx.uGyariSzamHonap = 7;
    rx.fKimenetSzazalek = 0.125f;
    rx.uDecimalPoint = 2;
    rx.iSkalazottKijezesiErtek = -1234;
    rx.uSecondsOfOperation = 90061;
    rx.uGlobalErrorCode = 12;
    rx.uErrorBits = 0x1FF;
    rx.uPXOptOutPrimer = 3;
    rx.fPXAOKimenoFizErtek = 12.0f;
    rx.uLimit = 0x02;
    w->DecimalSeparator = ',';
    Status(rx);
    EXPECT_EQ(Text("Label_KeszulekGyariSzam"), "004711/22.07");
    EXPECT_EQ(Text("Label_fValue1"), "-12,34");
    EXPECT_EQ(Text("Label_uSecondsOfOperation"), QString::fromUtf8(" 1 nap, 1 óra, 1 perc, 1 mp"));
    {
        // The mask's leading blank is out of sight: the digits start where
        // the firmware's text above them does.
        QLabel* time = Find("Label_uSecondsOfOperation");
        const int digits = time->mapTo(w, QPoint(0, 0)).x() + time->fontMetrics().horizontalAdvance(" ");
        EXPECT_EQ(digits, Find("Label_Firmware")->mapTo(w, QPoint(0, 0)).x());
    }
    EXPECT_EQ(Text("Label_uGlobalErrorCode"), "12");
    EXPECT_EQ(TextColour("Label_uGlobalErrorCode"), colors::kRed);
    EXPECT_EQ(w->MBarGraph_OutputPercent1->MBGText(), "12%");
    auto* out = w->MBarGraph_fPXAOKimenoErtek;
    EXPECT_FALSE(out->isHidden());
    EXPECT_EQ(out->MBGText(), "12,000 mA");
    EXPECT_DOUBLE_EQ(out->MBGValue(), 0.6);
    for (const char* lamp :
         {"Shape_DigitalOut2_PX330", "Shape_DigitalOut2_PX350", "Shape_DigitalOut2_PX370", "Shape_DigitalOut2_PX530"})
        EXPECT_EQ(Find<Lamp>(lamp)->brushColor(), colors::kLime) << lamp;
    EXPECT_FALSE(Find<Lamp>("Shape_DigitalOut1_PX330")->isLit());
    auto* errors = w->Form_Errors;
    int lit = 0;
    for (QLabel* l : errors->findChildren<QLabel*>()) lit += l->palette().color(QPalette::Window) == colors::kRed;
    EXPECT_EQ(lit, 9);
    EXPECT_EQ(errors->Label("Label_cErrorOutOfRange")->palette().color(QPalette::WindowText), colors::kGrey);

    rx.fKimenetSzazalek = 0.375f;
    rx.uGlobalErrorCode = 0;
    Status(rx);
    EXPECT_EQ(w->MBarGraph_OutputPercent1->MBGText(), "38%");
    EXPECT_EQ(Text("Label_uGlobalErrorCode"), "-");
}

TEST_F(Identification, UnitsAndCaptionsByDeviceType) {
    Create();
    Plug();
    struct Case {
        uint16_t device;
        uint8_t optIn, inputType, rtMode;
        const char* unit;
        const char* caption1;
        bool value2;
    } cases[] = {
        {310, 2, 0, 0, "°C", "MÉRT ÉRTÉK", false},
        {310, 2, 0, 2, "", "MÉRT ÉRTÉK", false},
        {350, 0, 2, 0, "ACV", "MÉRT ÉRTÉK 1", false},
        {350, 0, 5, 0, "DCV", "MÉRT ÉRTÉK 1", false},
        {530, 1, 3, 0, "%", "MÉRT ÉRTÉK 1", false},
        {580, 1, 0, 0, "%", "MÉRT ÉRTÉK 1", false},  // keeps the unit it had
        {580, 8, 0, 0, "mA", "MODBUS ÉRTÉK 1", true},
    };
    for (const auto& c : cases) {
        tRX rx;
        rx.uPXOptIn = c.optIn;
        rx.uInputType = c.inputType;
        rx.uPXRT_Mode = c.rtMode;
        Status(rx, c.device);
        EXPECT_EQ(Text("Label_Dimension1"), QString::fromUtf8(c.unit)) << c.device;
        EXPECT_EQ(Find<QGroupBox>("GroupBox_Value1")->title(), QString::fromUtf8(c.caption1)) << c.device;
        EXPECT_EQ(!Find<QGroupBox>("GroupBox_Value2")->isHidden(), c.value2) << c.device;
    }
}

// The bar text turns the percentage into an integer, so whatever the
// instrument sends has to be bounded first, on both sides.
TEST_F(Identification, PercentageBarsStayWithinRange) {
    Create();
    Plug();
    struct Case {
        float sent, stored;
        const char* text;
    } cases[] = {
        {0.125f, 0.125f, "12%"},
        {-0.5f, -0.5f, "-50%"},
        {-10000.0f, -10000.0f, "-1000000%"},
        {-10000.5f, -10000.0f, "-1000000%"},
        {-1e30f, -10000.0f, "-1000000%"},
        {-INFINITY, -10000.0f, "-1000000%"},
        {10000.0f, 10000.0f, "1000000%"},
        {1e30f, 10000.0f, "1000000%"},
        {INFINITY, 10000.0f, "1000000%"},
        {NAN, 10000.0f, "1000000%"},
    };
    for (const auto& c : cases) {
        tRX rx;
        rx.fKimenetSzazalek = c.sent;
        rx.fKimenetSzazalek_2 = c.sent;
        Status(rx);
        EXPECT_EQ(w->recRX.fKimenetSzazalek, c.stored) << c.sent;
        EXPECT_EQ(w->recRX.fKimenetSzazalek_2, c.stored) << c.sent;
        EXPECT_EQ(w->MBarGraph_OutputPercent1->MBGText().toStdString(), c.text) << c.sent;
        EXPECT_EQ(w->MBarGraph_OutputPercent2->MBGText().toStdString(), c.text) << c.sent;
    }
}

// The restart request goes out once, after a yes, and the poll follows it;
// after a no nothing goes out.
TEST_F(Identification, RestartAsksFirstAndGoesOutOnce) {
    struct Case {
        bool yes;
        std::vector<int> sent;
    } cases[] = {
        {true, {113, 101, 101}},
        {false, {101, 101, 101}},
    };
    for (const auto& c : cases) {
        Create();
        Plug();
        tRX rx;
        rx.uGyariSzamEv = 22;
        rx.uGyariSzamHonap = 7;
        Status(rx);
        auto* reset = Find<QPushButton>("SpeedButton_Reset");
        asked.clear();
        bool downWhileAsked = true;
        answer = [&] {
            downWhileAsked = reset->isChecked();
            return c.yes;
        };
        reset->click();
        EXPECT_EQ(asked.join('\n').toStdString(),
                  "Biztosan újraindítja a(z) PX330 Konfigurálható moduláris galvanikus leválasztó (004711) "
                  "készüléket? A kimenetei az újraindulás alatt nem működnek.");
        // The poll runs on while the question is open.
        EXPECT_FALSE(downWhileAsked);
        EXPECT_EQ(reset->isChecked(), c.yes);
        std::vector<int> sent;
        for (std::size_t i = 0; i < c.sent.size(); ++i) {
            sent.push_back(Tick());
            AnswerEmpty();
        }
        EXPECT_EQ(sent, c.sent) << c.yes;
        EXPECT_FALSE(reset->isChecked());
    }
}

// An instrument may restart before its answer leaves: the restart is not
// asked again by itself, whichever way its exchange fails, while another
// request that fails repeats.
TEST_F(Identification, AFailedRestartIsNotSentAgain) {
    struct Case {
        const char* what;
        std::function<void(WindowFixture&)> fail;
    } cases[] = {
        {"no answer", [](WindowFixture& f) { f.w->TimerTimeOutTimer(); }},
        {"error answer",
         [](WindowFixture& f) { f.Feed(Answer{.error = err::kUnknownCommand, .command = 113}.Frame()); }},
        {"bad CRC",
         [](WindowFixture& f) {
             auto frame = Answer{.command = 113}.Frame();
             frame[kCrcFirst] ^= 0xFF;
             f.Feed(frame);
         }},
    };
    for (const auto& c : cases) {
        Create();
        Plug();
        Status(tRX{});
        auto* reset = Find<QPushButton>("SpeedButton_Reset");
        reset->click();
        ASSERT_TRUE(reset->isChecked()) << c.what;
        ASSERT_EQ(Tick(), 113) << c.what;
        c.fail(*this);
        EXPECT_FALSE(reset->isChecked()) << c.what;
        EXPECT_TRUE(Text("Label_MBURxError").contains(QString::fromUtf8("újraindítási kérésre nem jött válasz")))
            << c.what << ": " << Text("Label_MBURxError").toStdString();
        EXPECT_EQ(Tick(), 101) << c.what << ": the poll resumes";
        AnswerEmpty();
        EXPECT_EQ(Tick(), 101) << c.what;
        // The header keeps saying so after the instrument answers again.
        QLabel* note = Find("Label_RestartUnanswered");
        EXPECT_FALSE(note->isHidden()) << c.what;
        EXPECT_TRUE(note->text().contains(QString::fromUtf8("nem jött válasz"))) << note->text().toStdString();
    }

    // Any other request keeps asking after a lost answer.
    Create();
    Plug();
    Status(tRX{});
    Find<QPushButton>("SpeedButton_ReadSettings")->setChecked(true);
    ASSERT_EQ(Tick(), 131);
    w->TimerTimeOutTimer();
    EXPECT_EQ(Tick(), 131);
}

// The dialogs get their size from their layouts when first shown; they must
// be centred by that size, not by the one they had before.
TEST_F(Identification, DialogsOpenCentredOnTheMainWindow) {
    struct Case {
        const char* dialog;
        std::function<QWidget*(WindowFixture&)> open;
    } cases[] = {
        {"device replaced",
         [](WindowFixture& f) -> QWidget* {
             f.Plug();
             f.Feed(Answer{.serial = 4711}.Frame());
             f.Feed(Answer{.serial = 4712}.Frame());
             return f.w->Form_Keszulekcsere;
         }},
        {"errors",
         [](WindowFixture& f) -> QWidget* {
             f.Find<QPushButton>("Button_ErrorDetails")->click();
             return f.w->Form_Errors;
         }},
    };
    for (const auto& c : cases) {
        Create();
        w->setGeometry(120, 80, 900, 680);
        QWidget* dialog = c.open(*this);
        ASSERT_TRUE(dialog->isVisible()) << c.dialog;
        const QRect placed = dialog->frameGeometry(), main = w->frameGeometry();
        const QPoint off = placed.center() - main.center();
        // Slack: a pixel of rounding and half the frame the platform puts
        // around the dialog, which is not known before its first show.
        const QSize frame = placed.size() - dialog->size();
        EXPECT_LE(std::abs(off.x()), frame.width() / 2 + 1) << c.dialog;
        EXPECT_LE(std::abs(off.y()), frame.height() / 2 + 1) << c.dialog;
    }
}

}  // namespace
}  // namespace velmar
