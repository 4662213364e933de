// The main window's shell and link supervision, driven through a fake HID
// library with the timers stopped, so every step is taken by the test.
#include "gui/views/frame_dump_view.h"
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "gui/app/form_main.h"
#include "gui/views/label_colors.h"
#include "gui/views/lamp.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

using test::Answer;
using test::FakeHid;

using MainWindow = WindowFixture;

TEST_F(MainWindow, ServiceSwitchFromTheCommandLine) {
    struct Case {
        QStringList args;
        bool service;
    } cases[] = {
        {{}, false},           {{"/qzktrm"}, true}, {{"--device=sim", "x", "/QzKtRm"}, true},
        {{"/QZKTRMX"}, false}, {{"QZKTRM"}, false},
    };
    for (const auto& c : cases) {
        Create(c.args);
        EXPECT_EQ(w->bVelmarMode, c.service) << c.args.join(' ').toStdString();
        auto* tabs = Find<QTabWidget>("PageControl4");
        EXPECT_EQ(tabs->isTabVisible(tabs->indexOf(Find<QWidget>("TabSheet_Velmar"))), c.service);
        EXPECT_EQ(Find<QGroupBox>("GroupBox_VelmarAid")->isVisibleTo(w), c.service);
        if (c.service) EXPECT_EQ(w->height(), 800);
    }
}

TEST_F(MainWindow, TitleAndMonitorCaptionCarryTheProgramDate) {
    Create({}, '-');
    EXPECT_EQ(w->windowTitle(),
              QString::fromUtf8("Beállító program a Velmar Kft. USB csatlakozós készülékeihez   v2022-07-21-"));
    EXPECT_EQ(Find<QGroupBox>("GroupBox_MBU")->title(), "MBU3   v2022-07-21-");
}

TEST_F(MainWindow, ClosingWritesTheExitDateIntoTheIniFile) {
    Create();
    w->close();
    QFile ini(dir.filePath("velmar-setup.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly | QIODevice::Text));  // lines end in CR LF on Windows
    const QString text = QString::fromUtf8(ini.readAll());
    EXPECT_TRUE(QRegularExpression(R"(^\[Date\]\nDate=\d{4}\.\d\d\.\d\d\.   \d\d:\d\d:\d\d\n$)").match(text).hasMatch())
        << text.toStdString();
    // A second exit replaces the value instead of adding one.
    w->close();
    ini.seek(0);
    EXPECT_EQ(QString::fromUtf8(ini.readAll()).count("Date="), 1);
}

TEST_F(MainWindow, IniFileThatCannotBeWrittenDoesNotStopClosing) {
    StartupOptions o = Options();
    o.executablePath = dir.filePath("no/such/folder/velmar-setup");
    TForm1 form(hid, o);
    EXPECT_TRUE(form.close());
}

TEST_F(MainWindow, SecondCopyShowsTheMessageAndEnds) {
    instancesRunning = 2;
    Create();
    ASSERT_EQ(informed.size(), 1);
    EXPECT_EQ(informed[0].split("\r\n"),
              QStringList({QString::fromUtf8("A program egy példánya már fut!"),
                           QString::fromUtf8("Használja a már futó programot"),
                           QString::fromUtf8("vagy azt zárja be és azután már el tudja indítani ezt is.")}));
    EXPECT_EQ(terminated, 1);
    w->FormActivate();  // only the first activation checks
    EXPECT_EQ(terminated, 1);
}

TEST_F(MainWindow, PlugAndUnplugOfTheInstrument) {
    Create();
    EXPECT_EQ(hid.connects, 1);
    Plug();
    EXPECT_TRUE(w->recMBU.bOnline);
    EXPECT_EQ(Find<Lamp>("Shape_MBUOn")->brushColor(), colors::kLime);
    EXPECT_EQ(Find<Lamp>("Shape_USBConnected")->brushColor(), colors::kLime);
    EXPECT_EQ(Text("Label_VendorID"), "$04D8 = 1240");
    EXPECT_EQ(Text("Label_ProductID"), "$003F = 63");
    EXPECT_EQ(Text("Label_VendorName"), "Velmar Kft.");

    w->HandleHidMessage(kHidUnplugged, FakeHid::kStranger);  // another device leaving
    EXPECT_TRUE(w->recMBU.bOnline);
    w->HandleHidMessage(kHidUnplugged, FakeHid::kInstrument);
    EXPECT_FALSE(w->recMBU.bOnline);
    EXPECT_FALSE(Find<Lamp>("Shape_MBUOn")->isLit());
    EXPECT_EQ(Text("Label_VendorID"), "");
    EXPECT_FALSE(w->HandleHidMessage(5, FakeHid::kInstrument));
}

TEST_F(MainWindow, GoodAnswerIsShown) {
    Create();
    Plug();
    w->recMBU.bWaitForAnswer = true;
    Feed(Answer{.counter = 5, .device = 330, .firmware = 8390, .serial = 4711}.Frame());
    EXPECT_EQ(Text("Label_MBURxError"), "0");
    EXPECT_FALSE(Find("Label_MBURxError2")->isVisibleTo(w));
    EXPECT_EQ(HeaderPageInFront(), Find<QWidget>("TabSheet_Header"));
    EXPECT_EQ(Text("Label_MBURxDevice"), "330");
    EXPECT_EQ(Text("Label_MBURxVer"), "2022.07.21.");
    EXPECT_EQ(Text("Label_Firmware"), "v2022.07.21.");
    EXPECT_EQ(Text("Label_MBURxCounter"), "5");
    EXPECT_EQ(Text("Label_DeviceID"), "  4 711");
    EXPECT_TRUE(Find<FrameDumpView>("Memo_MBURx")->toPlainText().startsWith("4A 01|C6 20|00|05|65|"));
    EXPECT_EQ(w->recRX.uDevice, 330);
    EXPECT_EQ(w->recRX.uDeviceID, 4711u);
    EXPECT_FALSE(w->recMBU.bWaitForAnswer);
    EXPECT_FALSE(Alarm("Label_MBURxError"));
}

TEST_F(MainWindow, ErrorAnswersShowTheirTextsAndEndTheTransfer) {
    struct Case {
        uint8_t code;
        const char* longText;
        const char* shortText;
        const char* alarmed;  // a monitor label that turns to alarm colours
        const char* pageInFront;
    } cases[] = {
        {2, "2: Unknow device.", "Device ID error!", "Label_MBURxDevice", nullptr},
        {3, "3: This program is old. Use new.", "Old prg.!", "Label_MBUTxVerL", "TabSheet_TooOld"},
        {4, "4: This program is too new. Use earlier.", "New prg.!", "Label_MBURxVer", "TabSheet_TooNew"},
        {5, "5: Unkown command.", "Command error!", "Label_MBUTxCommand", nullptr},
        {7, "7: Device RX buffer is full.", "Buffer is full!", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        Create();
        Plug();
        w->recMBU.uTP = 2;
        w->recMBU.bWaitForAnswer = true;
        Feed(Answer{.error = c.code}.Frame());
        EXPECT_EQ(Text("Label_MBURxError"), c.longText);
        EXPECT_EQ(Text("Label_MBURxError2"), c.shortText);
        EXPECT_TRUE(Find("Label_MBURxError2")->isVisibleTo(w));
        EXPECT_TRUE(Alarm("Label_MBURxError")) << int(c.code);
        if (c.alarmed) EXPECT_TRUE(Alarm(c.alarmed)) << int(c.code);
        EXPECT_EQ(c.code == 5, Alarm("Label_MBUTxCommand")) << int(c.code);
        EXPECT_EQ(w->recMBU.uTP, 0) << int(c.code);
        EXPECT_FALSE(w->recMBU.bWaitForAnswer) << int(c.code);
        if (c.pageInFront) EXPECT_EQ(Find<QTabWidget>("PageControl4")->currentWidget()->objectName(), c.pageInFront);
    }
    // The error clears with the next good answer.
    Feed(Answer{}.Frame());
    EXPECT_FALSE(Alarm("Label_MBURxError"));
    EXPECT_FALSE(Find("Label_MBURxError2")->isVisibleTo(w));
}

TEST_F(MainWindow, VersionRefusalInServiceModeKeepsThePage) {
    Create({"/QZKTRM"});
    Plug();
    QWidget* before = Find<QTabWidget>("PageControl4")->currentWidget();
    Feed(Answer{.error = 3}.Frame());
    EXPECT_EQ(Find<QTabWidget>("PageControl4")->currentWidget(), before);
    EXPECT_EQ(Text("Label_MBURxError2"), "Old prg.!");
}

TEST_F(MainWindow, BadCrcIsErrorOneAndKeepsTheLinkUsable) {
    Create();
    Plug();
    w->recMBU.bWaitForAnswer = true;
    Feed(Answer{}.Frame());
    const QString version = Text("Label_MBURxVer");
    w->recMBU.uTP = 2;
    w->recMBU.bWaitForAnswer = true;
    auto r = Answer{}.Frame();
    r[20] ^= 0x40;
    Feed(r);
    EXPECT_EQ(Text("Label_MBURxError"), "1: CRC.");
    EXPECT_EQ(Text("Label_MBURxError2"), "CRC error!");
    for (const char* l : {"Label_MBURxDevice", "Label_MBURxVer", "Label_MBURxCounter"}) EXPECT_EQ(Text(l), "?");
    EXPECT_TRUE(Find<FrameDumpView>("Memo_MBURx")->toPlainText().isEmpty());
    EXPECT_EQ(w->recMBU.uTP, 0);
    EXPECT_FALSE(w->recMBU.bWaitForAnswer);
    // The same answer again, sound: every field comes back.
    w->recMBU.bWaitForAnswer = true;
    Feed(Answer{}.Frame());
    EXPECT_EQ(Text("Label_MBURxVer"), version);
    EXPECT_NE(Text("Label_MBURxDevice"), "?");
    EXPECT_FALSE(Find<FrameDumpView>("Memo_MBURx")->toPlainText().isEmpty());
}

TEST_F(MainWindow, MissingAnswerTimesOutAfter200ms) {
    Create();
    Plug();
    const auto previous = Answer{.counter = 9}.Frame();
    Feed(previous);
    w->recMBU.uTP = 2;
    w->recMBU.bWaitForAnswer = true;
    w->recMBU.uComInSec = 5;
    w->StartAnswerTimer();
    EXPECT_EQ(w->TimerTimeOut->interval(), 200);
    EXPECT_EQ(w->recMBU.uTriedNumber, 1);
    WAIT_FOR(Text("Label_MBURxError") == "6: Time out.", 2000);
    EXPECT_EQ(Text("Label_MBURxError2"), "Time out!");
    for (int i = 0; i < 65; ++i) EXPECT_EQ(w->FBufferIn[i], i == 5 ? 6 : previous[i]) << i;
    for (const char* l : {"Label_MBURxDevice", "Label_MBURxVer", "Label_MBURxCounter"}) EXPECT_EQ(Text(l), "?");
    EXPECT_EQ(w->recMBU.uTP, 0);
    EXPECT_FALSE(w->recMBU.bWaitForAnswer);
    EXPECT_EQ(w->recMBU.uComInSec, 0u);
    EXPECT_EQ(HeaderPageInFront(), Find<QWidget>("TabSheet_NoComm"));
    // Reactivation brings back the last instrument's page; the next second
    // without frames puts the page about the program in front.
    w->Timer_1secTimer();  // still counts the answer before the loss
    w->Timer_1secTimer();
    EXPECT_EQ(Find<QTabWidget>("PageControl4")->currentWidget()->objectName(), "TabSheet_AboutTheSoftware");
}

TEST_F(MainWindow, CodeWithoutTextChangesColoursButNotTheTransfer) {
    Create();
    Plug();
    Feed(Answer{.error = 2}.Frame());
    w->recMBU.uTP = 2;
    Feed(Answer{.error = 8}.Frame());
    EXPECT_TRUE(Alarm("Label_MBURxError"));
    EXPECT_EQ(Text("Label_MBURxError"), "2: Unknow device.");
    EXPECT_TRUE(Find("Label_MBURxError2")->isVisibleTo(w));
    EXPECT_EQ(Text("Label_MBURxError2"), "Device ID error!");
    EXPECT_EQ(w->recMBU.uTP, 2);
}

TEST_F(MainWindow, FramesPerSecond) {
    Create();
    Plug();
    Feed(Answer{.counter = 250}.Frame());
    w->Timer_1secTimer();  // the first second shows 0 although frames came
    EXPECT_EQ(Text("Label_FPS2"), "0 FpS");
    EXPECT_EQ(Text("Label_FPS"), "0");
    EXPECT_EQ(w->recMBU.uComInSec, 1u);
    Feed(Answer{.counter = 4}.Frame());
    w->Timer_1secTimer();
    EXPECT_EQ(w->recRX.iFPS, 10);
    EXPECT_EQ(Text("Label_FPS2"), "10 FpS");
    EXPECT_EQ(Text("Label_FPS"), "10");
    EXPECT_EQ(TextColour("Label_FPS2"), colors::kGreen);
    w->Timer_1secTimer();  // a second without frames
    EXPECT_EQ(Text("Label_FPS2"), "0 FpS");
    EXPECT_EQ(TextColour("Label_FPS"), colors::kRed);
    EXPECT_EQ(w->recMBU.uComInSec, 0u);
    EXPECT_EQ(HeaderPageInFront(), Find<QWidget>("TabSheet_NoComm"));
}

TEST_F(MainWindow, ActivityLampsByCommandAndOffAfter100ms) {
    Create({"/QZKTRM"});
    Plug();
    struct Case {
        uint8_t command;
        QColor colour;
    } cases[] = {{1, colors::kYellow}, {101, colors::kYellow}, {217, colors::kLime}, {203, colors::kLime}};
    for (const auto& c : cases) {
        Feed(Answer{.command = c.command}.Frame());
        EXPECT_EQ(Find<Lamp>("Shape_MBUCom")->brushColor(), c.colour) << int(c.command);
        EXPECT_EQ(Find<Lamp>("Shape_USBCommunication")->brushColor(), c.colour) << int(c.command);
    }
    EXPECT_EQ(w->Timer_RxLED->interval(), 100);
    WAIT_FOR(!Find<Lamp>("Shape_MBUCom")->isLit(), 1000);
    EXPECT_FALSE(Find<Lamp>("Shape_USBCommunication")->isLit());
}

TEST_F(MainWindow, ReportFromAnotherDeviceOnlyBeeps) {
    Create();
    Plug();
    const auto before = w->FBufferIn;
    Feed(Answer{.counter = 3}.Frame(), FakeHid::kStranger);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(hid.incoming[FakeHid::kStranger].size(), 1u) << "not read";
    EXPECT_EQ(w->FBufferIn, before);
    EXPECT_EQ(Text("Label_MBURxError"), "???");
    EXPECT_EQ(Text("Label_MBURxCounter"), "???");
    Feed(Answer{}.Frame());
    EXPECT_EQ(beeps, 2);
}

}  // namespace
}  // namespace velmar
