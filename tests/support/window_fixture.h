#pragma once
// A main window with all its dialogs on a fake HID library, its timers
// stopped so that every step is taken by the test.

#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/device/status_codec.h"
#include "core/link/payload_io.h"
#include "gui/app/form_main.h"
#include "gui/app/startup.h"
#include "gui/views/label_colors.h"
#include "tests/support/fake_hid.h"
#include "transport/sim_hid.h"

namespace velmar {

using test::Answer;
using test::FakeHid;

struct WindowFixture : ::testing::Test {
    QTemporaryDir dir;
    FakeHid hid;
    int beeps = 0, instancesRunning = 1, terminated = 0;
    QStringList informed;
    QStringList asked;  // yes/no questions put to the user
    std::function<bool()> answer = [] { return true; };
    std::unique_ptr<ProgramWindows> windows;
    TForm1* w = nullptr;
    uint8_t counter = 0;  // the instrument's frame counter in status answers
    // The instrument the last status answer came from: it answers the
    // other commands too.
    uint16_t device = 330;
    uint32_t serial = 4711;

    StartupOptions Options(QStringList args = {}, QChar dateSeparator = '.') {
        StartupOptions o;
        o.arguments = args;
        o.executablePath = dir.filePath("velmar-setup");
        o.regional.dateSeparator = dateSeparator;
        o.claimOnlyInstance = [this](const QString&) { return instancesRunning <= 1; };
        o.beep = [this] { ++beeps; };
        o.inform = [this](const QString& t) { informed << t; };
        o.confirm = [this](const QString& t) {
            asked << t;
            return answer();
        };
        o.terminate = [this] { ++terminated; };
        o.journalFolder = dir.filePath("journal");
        return o;
    }

    void Create(QStringList args = {}, QChar dateSeparator = '.') {
        windows.reset();
        windows = Startup(hid, Options(args, dateSeparator));
        w = windows->main.get();
        w->Timer_1sec->stop();
        w->Timer_Comm->stop();
        w->FormActivate();
    }

    template <class T = QLabel>
    T* Find(const char* name) {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QString Text(const char* name) { return Find(name)->text(); }
    QColor TextColour(const char* name) { return Find(name)->palette().color(QPalette::WindowText); }
    bool Alarm(const char* name) {
        auto* l = Find(name);
        return l->palette().color(QPalette::Window) == colors::kWhite &&
               l->palette().color(QPalette::WindowText) == colors::kRed;
    }

    void Feed(const test::Report& r, HidHandle h = FakeHid::kInstrument) {
        hid.incoming[h].push_back(r);
        w->HandleHidMessage(kHidReportReceived, h);
    }
    void Plug() { w->HandleHidMessage(kHidPlugged, FakeHid::kInstrument); }
    // One status exchange: the window asks, the instrument answers with rx.
    void Status(tRX rx, uint16_t device = 330, uint32_t serial = 4711) {
        this->device = device;
        this->serial = serial;
        tMSys sys;
        std::vector<uint8_t> bytes;
        BytesWriter out(bytes);
        StatusAnswerLayout(out, rx, sys);
        w->StartCommand(101);
        for (std::size_t at = 0; at < bytes.size() + 46 && w->recMBU.uTP != 0; at += 46) {
            auto frame = Answer{.counter = ++counter,
                                .device = device,
                                .serial = serial,
                                .dataBytes = uint16_t(bytes.size()),
                                .index = uint16_t(at)}
                             .Frame();
            for (std::size_t i = 0; i < 46 && at + i < bytes.size(); ++i) frame[17 + i] = bytes[at + i];
            SealTxFrame(frame.data());
            Feed(frame);
        }
    }
    // One poll tick: the command of the frame it sent, 0 when none went out.
    int Tick() {
        const auto before = hid.written.size();
        w->Timer_CommTimer();
        return hid.written.size() == before ? 0 : hid.written.back()[pos::kCommand];
    }
    // Answers the frame in flight with an empty payload, completing it.
    void AnswerEmpty() {
        Feed(Answer{
            .command = hid.written.back()[pos::kCommand], .counter = ++counter, .device = device, .serial = serial}
                 .Frame());
    }
    // One poll tick whose command is answered with the payload (up to one
    // frame); returns the command, 0 when none went out.
    int Serve(const std::vector<uint8_t>& answer = {}) {
        const int command = Tick();
        if (!command) return 0;
        const auto& sent = hid.written.back();
        lastRequest.assign(
            sent.begin() + kPayloadFirst,
            sent.begin() + kPayloadFirst + std::min<int>(kChunkSize, GetU16(sent.data(), pos::kDataBytes)));
        auto frame =
            Answer{
                .command = uint8_t(command), .device = device, .serial = serial, .dataBytes = uint16_t(answer.size())}
                .Frame();
        std::copy(answer.begin(), answer.end(), frame.begin() + kPayloadFirst);
        SealTxFrame(frame.data());
        Feed(frame);
        return command;
    }
    std::vector<uint8_t> lastRequest;  // payload of the last request Serve sent

    QWidget* HeaderPageInFront() { return Find<QTabWidget>("PageControl5")->currentWidget(); }
};

// The program on the in-process virtual instrument, its timers running, as
// a user starts it.
struct InstrumentProgram {
    QTemporaryDir dir;
    SimHid hid;
    std::unique_ptr<ProgramWindows> windows;
    TForm1* w = nullptr;

    // clock: the instrument's seconds since switching on; at 5 s its signal
    // stands at 95 % of the input's range.
    explicit InstrumentProgram(
        const sim::InstrumentConfig& cfg, std::function<double()> clock = [] { return 5.0; },
        std::function<void(StartupOptions&)> tweak = {})
        : hid(cfg, std::move(clock)) {
        StartupOptions o;
        o.executablePath = dir.filePath("velmar-setup");
        o.claimOnlyInstance = [](const QString&) { return true; };
        o.journalFolder = dir.filePath("journal");
        if (tweak) tweak(o);
        windows = Startup(hid, o);
        w = windows->main.get();
    }
};

}  // namespace velmar
