// The host's cost of the link: one status exchange as the main window does
// it, the virtual instrument's share of it, and the largest command with the
// largest answer through the event loop.
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <deque>
#include <memory>
#include <vector>

#include "core/link/frame.h"
#include "gui/app/form_main.h"
#include "gui/app/late_windows.h"
#include "gui/app/startup.h"
#include "gui/files/settings_files.h"
#include "gui/link/monitor_page.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/report/report_window.h"
#include "gui/trend/trend_window.h"
#include "sim/virtual_instrument.h"
#include "tests/support/single_device_hid.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

using sim::Report;

// Hands every written report to a virtual instrument at once and keeps its
// answer until the window reads it, so no event loop is needed.
class LoopbackHid : public test::SingleDeviceHid {
public:
    explicit LoopbackHid(sim::InstrumentConfig config = {}) : instrument(config) {}
    bool Write(HidHandle, const uint8_t* buffer) override {
        std::copy(buffer, buffer + kReportSize, lastWritten.begin());
        if (auto a = instrument.HandleReport(buffer)) incoming.push_back(*a);
        return true;
    }

    sim::VirtualInstrument instrument;
    Report lastWritten{};
};

using test::QuietOptions;

// The program polling the status, driven by hand: the timers are stopped and
// every exchange is one call. All dialogs exist, as in the program, so their
// share of each status answer and request counts, and the scheduler looks
// through every request button.
struct PollingWindow {
    LoopbackHid hid;
    std::unique_ptr<ProgramWindows> windows;
    TForm1* w = nullptr;

    explicit PollingWindow(sim::InstrumentConfig config = {}, bool service = false) : hid(config) {
        windows = Startup(hid, QuietOptions(service));
        w = windows->main.get();
        w->Timer_1sec->stop();
        w->Timer_Comm->stop();
        w->HandleHidMessage(kHidPlugged, LoopbackHid::kHandle);
        w->ScheduleCommand();
    }
    // Takes the waiting answer, which sends the next frame of the command;
    // once the command is complete the next status command starts.
    void Exchange() {
        w->HandleHidMessage(kHidReportReceived, LoopbackHid::kHandle);
        if (w->recMBU.uTP == phase::kIdle) w->ScheduleCommand();
    }
};

void RunExchanges(benchmark::State& state, PollingWindow& p) {
    for (int i = 0; i < 30; ++i) p.Exchange();  // past the first answers' one-off changes
    for (auto _ : state) p.Exchange();
    // Every exchange must have been answered without error, or the figure
    // would describe a different path.
    if (p.hid.incoming.size() != 1 || p.w->FBufferIn[pos::kError] != err::kOk)
        state.SkipWithError("the link left status polling");
}

void BM_HostExchange(benchmark::State& state) {
    PollingWindow p;
    RunExchanges(state, p);
}
BENCHMARK(BM_HostExchange);

// The busiest view: a PX350 in service mode with the protocol monitor in
// front, and its AC input dialog open with the live converter values.
void BM_HostExchangeMonitorAndAcDialog(benchmark::State& state) {
    sim::InstrumentConfig config;
    config.deviceType = 350;
    PollingWindow p(config, true);
    p.w->show();
    p.w->PageControl4->setCurrentWidget(p.w->TabSheet_Velmar);
    p.w->PageControl1->setCurrentWidget(p.w->monitor);
    p.w->Form_PXTR->show();
    RunExchanges(state, p);
}
BENCHMARK(BM_HostExchangeMonitorAndAcDialog);

// The trend window shown and a recording running: each status answer adds
// a sample to the ring and a line to the recording's buffer, which goes to
// the file whenever it has grown large. Its timer's redraw and writing are
// not in here (no event loop runs); scripts/measure-cpu sees them.
void BM_HostExchangeTrendRecording(benchmark::State& state) {
    PollingWindow p;
    QTemporaryDir dir;
    TrendWindow(*p.w)->show();
    if (!p.w->Form_Trend->StartRecording(dir.filePath("bench.csv"))) {
        state.SkipWithError("no recording");
        return;
    }
    RunExchanges(state, p);
    state.counters["records"] = double(p.w->Form_Trend->Recorder().Records());
    p.w->Form_Trend->StopRecording();
}
BENCHMARK(BM_HostExchangeTrendRecording);

// The instrument's share of BM_HostExchange: answering the frames the host
// writes while polling the status, first request and answer requests alike.
void BM_InstrumentAnswer(benchmark::State& state) {
    PollingWindow p;
    std::vector<Report> requests;
    for (int i = 0; i < 3; ++i) {
        p.Exchange();
        requests.push_back(p.hid.lastWritten);
    }
    sim::VirtualInstrument instrument;
    // Same order as in polling, so each answer request finds its answer.
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(instrument.HandleReport(requests[next].data()));
        next = next + 1 == requests.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_InstrumentAnswer);

constexpr uint8_t kBigCommand = 123;

// 16,383 bytes out, 16,384 back, through the event loop against the
// in-process instrument without latency.
void BM_LargestTransfer(benchmark::State& state) {
    class CountingSimHid : public SimHid {
    public:
        using SimHid::SimHid;
        bool Write(HidHandle h, const uint8_t* b) override {
            ++writes;
            return SimHid::Write(h, b);
        }
        long writes = 0;
    } hid{sim::InstrumentConfig{}};
    hid.Instrument().SetHandler(kBigCommand, [](const sim::Payload&) {
        sim::Payload answer(sim::VirtualInstrument::kMaxAnswerPayload);
        for (std::size_t i = 0; i < answer.size(); ++i) answer[i] = uint8_t(i * 7);
        return answer;
    });
    TForm1 w(hid, QuietOptions());
    w.Timer_1sec->stop();
    w.Timer_Comm->stop();
    w.commands.SetBuilder(kBigCommand, [&w] {
        for (std::size_t i = 0; i < PayloadTransfer::kMaxCommandPayload; ++i) w.transfer.WriteByte(uint8_t(i));
    });
    bool done = false;
    std::size_t received = 0;
    w.commands.SetDecoder(kBigCommand, [&] {
        done = true;
        received = w.recMBU.uSumDataByteFromRx;
    });
    while (!w.recMBU.bOnline) QCoreApplication::processEvents();

    long exchanges = 0;
    for (auto _ : state) {
        done = false;
        const long before = hid.writes;
        w.StartCommand(kBigCommand);
        while (!done && w.recMBU.uTP != phase::kIdle) QCoreApplication::processEvents();
        exchanges += hid.writes - before;
        if (!done || received != sim::VirtualInstrument::kMaxAnswerPayload) {
            state.SkipWithError("the transfer did not complete");
            return;
        }
    }
    state.counters["exchanges"] = double(exchanges) / double(state.iterations());
    state.counters["per_exchange"] =
        benchmark::Counter(double(exchanges), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LargestTransfer)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Mentés fájlba…" of a PX330 with three modules, as the user starts it, on
// the in-process instrument answering each frame after 1 ms: the reads
// beside the status poll, and the file written.
void BM_SaveSettingsPX330(benchmark::State& state) {
    sim::InstrumentConfig config;
    config.optIn = 1;
    config.optOut1 = 5;
    config.optOut2 = 3;
    config.latencyMs = 1;
    SimHid hid(config);
    QTemporaryDir dir;
    bool saved = false;
    StartupOptions o = test::QuietOptions();
    o.inform = [&](const QString& text) { saved = text.contains("elmentve"); };
    o.chooseFile = [&](const QString&, bool) { return dir.filePath("px330.velmar.json"); };
    o.journalFolder = dir.filePath("journal");
    auto windows = Startup(hid, o);
    TForm1* w = windows->main.get();
    if (!QTest::qWaitFor([&] { return w->recRX.uPXOptOutSecondary == 3; }, 3000)) {
        state.SkipWithError("the instrument never answered");
        return;
    }
    for (auto _ : state) {
        saved = false;
        w->settingsFiles->SaveToFile();
        if (!QTest::qWaitFor([&] { return saved; }, 5000)) {
            state.SkipWithError("the save did not finish");
            return;
        }
    }
}
BENCHMARK(BM_SaveSettingsPX330)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// "Mentés PDF-be…" of the report window for the same PX330: the instrument
// read as left beside the status poll, the journal read, the PDF laid out
// and written.
void BM_ReportPX330(benchmark::State& state) {
    sim::InstrumentConfig config;
    config.optIn = 1;
    config.optOut1 = 5;
    config.optOut2 = 3;
    config.latencyMs = 1;
    SimHid hid(config);
    QTemporaryDir dir;
    bool saved = false;
    StartupOptions o = test::QuietOptions();
    o.inform = [&](const QString& text) { saved = text.contains("elmentve"); };
    o.journalFolder = dir.filePath("journal");
    auto windows = Startup(hid, o);
    TForm1* w = windows->main.get();
    auto* report = ReportWindow(*w);
    report->chooseFile = [&](const QString&) { return dir.filePath("report.pdf"); };
    if (!QTest::qWaitFor([&] { return w->recRX.uPXOptOutSecondary == 3; }, 3000)) {
        state.SkipWithError("the instrument never answered");
        return;
    }
    for (auto _ : state) {
        saved = false;
        report->Button_SavePdf->click();
        if (!QTest::qWaitFor([&] { return saved; }, 5000)) {
            state.SkipWithError("the report was not written");
            return;
        }
    }
}
BENCHMARK(BM_ReportPX330)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
}  // namespace velmar

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
