// Answer frames of any content, in any order, fed to the main window's link
// and payload transfer, with the timers firing in between, while request
// buttons of the main window and of the dialogs are pressed. Crashes,
// sanitizer reports and broken transfer invariants are findings.
//
// An input is: one mode byte (what the host starts, how the frames are
// touched up), two bytes with the length of the request payload of the large
// test command, one byte with the command to start, one byte with the number
// of button presses (up to 8), two bytes a press (the row of the priority
// list, how its dialog is handled), then 64-byte answer frames, a short last
// one padded with zeros. The main window has all its dialogs, so the answers
// reach every decoder the program has, with the dialogs shown or hidden.
//
// With VELMAR_WRITE_SEEDS=DIR set, the target writes a few inputs recorded
// from the virtual instrument into DIR and ends, as a starting corpus.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/link/frame.h"
#include "core/link/priority_list.h"
#include "gui/app/form_main.h"
#include "gui/app/startup.h"
#include "sim/virtual_instrument.h"
#include "tests/support/press_button.h"
#include "tests/support/single_device_hid.h"
#include "written_frame_check.h"

namespace velmar {
namespace {

using sim::Report;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t kBigCommand = 123;
constexpr std::size_t kFixedHeader = 5;
constexpr unsigned kMaxPresses = 8;
// A little past the largest request payload, so that overfilling is tried.
constexpr unsigned kRequestLengths = PayloadTransfer::kMaxCommandPayload + 17;

namespace mode {
constexpr uint8_t kStartMask = 3;  // 0 status, 1 the input's command, 2 scheduler, 3 nothing
constexpr uint8_t kFixCrc = 4;  // reseal every frame, so it passes the CRC check
constexpr uint8_t kSteerIndex = 8;  // put the chunk index the host waits for
constexpr uint8_t kService = 16;  // started with /QZKTRM
constexpr uint8_t kRepeatLast = 32;  // feed the last frame again until the transfer ends
constexpr uint8_t kSlot1 = 64;  // the output-slot flag says slot 1
constexpr uint8_t kRefuse = 128;  // a question before a lasting change is answered no
}  // namespace mode

namespace press {
constexpr uint8_t kShow = 1;  // the button's dialog is shown before the press
constexpr uint8_t kSecond = 2;  // the row's second button, where it has one
constexpr uint8_t kClose = 4;  // the dialog is closed again after the press
}  // namespace press

struct Press {
    uint8_t row, how;
};

struct Header {
    uint8_t mode = 0;
    unsigned requestLength = 0;
    uint8_t command = 0;
    std::vector<Press> presses;
    std::size_t size = 0;  // where the frames start
};

std::optional<Header> ParseHeader(const uint8_t* data, std::size_t size) {
    if (size < kFixedHeader) return std::nullopt;
    Header h{data[0], GetU16(data, 1) % kRequestLengths, data[3], {}, kFixedHeader};
    const unsigned presses = data[4] % (kMaxPresses + 1);
    if (size < kFixedHeader + 2 * presses) return std::nullopt;
    for (unsigned i = 0; i < presses; ++i) h.presses.push_back({data[h.size + 2 * i], data[h.size + 2 * i + 1]});
    h.size += 2 * presses;
    return h;
}

Bytes HeaderBytes(const Header& h) {
    Bytes b{h.mode, uint8_t(h.requestLength), uint8_t(h.requestLength >> 8), h.command, uint8_t(h.presses.size())};
    for (const Press& p : h.presses) b.insert(b.end(), {p.row, p.how});
    return b;
}

// The largest request and answer take 713 exchanges; repeating one frame
// reaches the ends of both buffers from a short input.
constexpr int kMaxRepeats = 800;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_answers: %s\n", what);
    std::abort();
}

// ASan does not see an overrun from one array of TMBU into the next, so the
// indexes are checked here.
void CheckTransfer(const TMBU& m) {
    if (m.uDataInIndexForComm > kPayloadBufferSize) Fail("answer index past the buffer");
    if (m.uIndexForDataWrite > PayloadTransfer::kMaxCommandPayload) Fail("request length past the buffer");
    if (m.uDataOutIndexForComm > m.uIndexForDataWrite) Fail("request sent past its length");
    if (m.uIndexForDataRead > kPayloadBufferSize) Fail("answer read past the buffer");
}

// Hands the frames of the input to the window and checks what it writes;
// with an instrument attached, the instrument answers instead.
class FuzzHid : public test::SingleDeviceHid {
public:
    bool Write(HidHandle, const uint8_t* buffer) override {
        fuzz::CheckWritten(buffer);
        if (instrument)
            if (auto a = instrument->HandleReport(buffer)) incoming.push_back(*a);
        return true;
    }

    sim::VirtualInstrument* instrument = nullptr;
};

using test::QuietOptions;

// The program's windows as it starts them, built once per fuzzing process
// for each of the two ways it starts (service mode is decided at start-up)
// and brought back to their starting state before every input, as the
// program itself reuses its dialogs: building them for each input made the
// fuzzer slow and its memory grow. The timers are stopped, so that only the
// input decides when they fire.
struct ProgramWindowsForFuzzing {
    FuzzHid hid;
    bool confirmYes = true;
    unsigned requestLength = 0;
    std::unique_ptr<ProgramWindows> windows;
    TForm1* w = nullptr;

    explicit ProgramWindowsForFuzzing(bool service) {
        StartupOptions options = QuietOptions(service);
        options.confirm = [this](const QString&) { return confirmYes; };
        options.chooseFile = [](const QString&, bool) { return QString(); };
        options.journalFolder = JournalFolder();
        windows = Startup(hid, options);
        w = windows->main.get();
        w->commands.SetBuilder(kBigCommand, [this] {
            for (unsigned i = 0; i < requestLength; ++i) w->transfer.WriteByte(uint8_t(i * 13));
        });
        w->commands.SetDecoder(kBigCommand, [this] {
            while (w->recMBU.uIndexForDataRead < w->recMBU.uSumDataByteFromRx &&
                   w->recMBU.uIndexForDataRead < kPayloadBufferSize)
                w->transfer.ReadByte();
        });
    }

    // They live until the process ends, as the application does.
    static ProgramWindowsForFuzzing& Get(bool service) {
        static ProgramWindowsForFuzzing* made[2] = {};
        if (!made[service]) made[service] = new ProgramWindowsForFuzzing(service);
        return *made[service];
    }

    // What the last input left: the instrument gone, its frames dropped, the
    // requests let up, the dialogs closed, the transfer and records as at
    // start, and what the windows left for later done now (no event loop
    // runs between inputs).
    void Reset() {
        if (w->recMBU.bOnline) w->HandleHidMessage(kHidUnplugged, FuzzHid::kHandle);
        hid.incoming.clear();
        hid.instrument = nullptr;
        test::ReleaseRequestButtons(*w);
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible()) top->hide();
        w->EndTransfer();
        for (QTimer* t : {w->TimerTimeOut, w->Timer_1sec, w->Timer_RxLED, w->Timer_Comm}) t->stop();
        w->recMBU = {};
        w->recRX = {};
        w->recTX = {};
        w->recGlobalVar = {};
        w->recMSys = {};
        w->FBufferIn.fill(0);
        w->FBufferOut.fill(0);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Journals go to a folder of the fuzzer's own, never the user's.
    static QString JournalFolder() {
        static QTemporaryDir dir;
        return dir.path();
    }
};

// One input's run on the windows, started as the input's header says.
struct Session {
    ProgramWindowsForFuzzing& program;
    FuzzHid& hid;
    TForm1* w;

    Session(const Header& h, sim::VirtualInstrument* instrument = nullptr)
        : program(ProgramWindowsForFuzzing::Get(h.mode & mode::kService)), hid(program.hid), w(program.w) {
        program.Reset();
        hid.instrument = instrument;
        program.confirmYes = !(h.mode & mode::kRefuse);
        program.requestLength = h.requestLength;
        w->bFoKimenetiModulVanNyitva = h.mode & mode::kSlot1;
        w->FormActivate();
        w->HandleHidMessage(kHidPlugged, FuzzHid::kHandle);
        for (const Press& p : h.presses) PressButton(p);
        switch (h.mode & mode::kStartMask) {
        case 0: w->StartCommand(kStatusCommand); break;
        case 1: w->StartCommand(h.command); break;
        case 2: w->ScheduleCommand(); break;
        default: break;
        }
        CheckTransfer(w->recMBU);
    }

    ~Session() { hid.instrument = nullptr; }

    void PressButton(const Press& p) {
        test::PressRequestButton(
            *w, {p.row, bool(p.how & press::kShow), bool(p.how & press::kSecond), bool(p.how & press::kClose)});
    }

    // frame: the 64 bytes after the report id.
    void Feed(const uint8_t* frame, uint8_t modeByte) {
        Report r{};
        std::memcpy(r.data() + 1, frame, kFrameSize);
        // A frame that gets resealed has its CRC high byte free: it picks a
        // timer to fire after the frame.
        uint8_t timer = 0;
        if (modeByte & mode::kSteerIndex)
            PutU16(r.data(), pos::kIndex, w->recMBU.uTP == phase::kAnswerRequested ? w->recMBU.uDataInIndexForComm : 0);
        if (modeByte & mode::kFixCrc) {
            timer = r[kCrcFirst + 1] % 16;
            SealTxFrame(r.data());
        }
        hid.incoming.push_back(r);
        w->HandleHidMessage(kHidReportReceived, FuzzHid::kHandle);
        CheckTransfer(w->recMBU);
        switch (timer) {
        case 13: w->TimerTimeOutTimer(); break;
        case 14: w->Timer_1secTimer(); break;
        case 15: w->Timer_CommTimer(); break;
        default: return;
        }
        CheckTransfer(w->recMBU);
    }
};

void Run(const uint8_t* data, std::size_t size) {
    const auto h = ParseHeader(data, size);
    if (!h) return;
    Session s(*h);
    uint8_t frame[kFrameSize] = {};
    for (std::size_t at = h->size; at < size; at += kFrameSize) {
        std::memset(frame, 0, kFrameSize);
        std::memcpy(frame, data + at, std::min(kFrameSize, size - at));
        s.Feed(frame, h->mode);
    }
    if (!(h->mode & mode::kRepeatLast) || size <= h->size) return;
    for (int i = 0; i < kMaxRepeats && s.w->recMBU.uTP != phase::kIdle; ++i) s.Feed(frame, h->mode);
}

// One answer frame that, repeated, acknowledges every frame of the largest
// request and then carries the largest answer chunk by chunk.
Bytes LargestExchangeSeed() {
    Bytes seed = HeaderBytes({uint8_t(1 | mode::kFixCrc | mode::kSteerIndex | mode::kRepeatLast),
                              PayloadTransfer::kMaxCommandPayload,
                              kBigCommand,
                              {},
                              0});
    Report r{};
    PutU16(r.data(), pos::kDevice, 330);
    PutU16(r.data(), pos::kVersionMin, DateToVersionCode({2022, 7, 21}));
    r[pos::kCommand] = kBigCommand;
    PutU16(r.data(), pos::kDataBytes, uint16_t(kPayloadBufferSize));
    seed.insert(seed.end(), r.begin() + 1, r.end());
    return seed;
}

// One input: the answers the virtual instrument gives to what the host
// started, the report ids left out.
Bytes RecordSeed(const Header& h, std::size_t answerLength = 0) {
    sim::VirtualInstrument instrument({}, [] { return 12.5; });
    instrument.SetHandler(kBigCommand, [answerLength](const sim::Payload&) {
        sim::Payload answer(answerLength);
        for (std::size_t i = 0; i < answer.size(); ++i) answer[i] = uint8_t(i * 5);
        return answer;
    });
    Bytes seed = HeaderBytes(h);
    Session s(h, &instrument);
    for (int frames = 0; !s.hid.incoming.empty() && frames < 64; ++frames) {
        Report r = s.hid.incoming.front();
        // Resealed on replay anyway; 0 fires no timer, so the seed replays
        // the exchange as it went.
        if (h.mode & mode::kFixCrc) r[kCrcFirst + 1] = 0;
        seed.insert(seed.end(), r.begin() + 1, r.end());
        s.w->HandleHidMessage(kHidReportReceived, FuzzHid::kHandle);
    }
    return seed;
}

void WriteSeeds(const char* dir) {
    std::vector<std::pair<std::string, Bytes>> seeds = {
        {"status", RecordSeed({0, 0, 0, {}, 0})},
        {"status-service", RecordSeed({2 | mode::kService, 0, 0, {}, 0})},
        {"big", RecordSeed({1, 100, kBigCommand, {}, 0}, 300)},
        {"big-steered", RecordSeed({1 | mode::kFixCrc | mode::kSteerIndex, 100, kBigCommand, {}, 0}, 300)},
        {"empty-answer", RecordSeed({1, 46, kBigCommand, {}, 0})},
        {"largest-repeated", LargestExchangeSeed()},
    };
    // Every request button of the program pressed in service mode, its
    // dialog shown, as the virtual instrument answers; the output slots
    // taken in turn.
    const auto list = PriorityList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const uint8_t slot = i % 2 ? mode::kSlot1 : 0;
        seeds.emplace_back("button-" + std::to_string(list[i].rank),
                           RecordSeed({uint8_t(2 | mode::kService | slot), 0, 0, {{uint8_t(i), press::kShow}}, 0}));
    }
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(std::string(dir) + "/" + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) Fail("cannot write a seed");
    }
}

}  // namespace
}  // namespace velmar

// Freed memory held back by the default quarantine (256 MB) grows the
// process by a quarter of a gigabyte; 32 MB still catches a use soon after a
// free.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }

// fontconfig keeps a few bytes until exit that no pointer reaches any more.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt must not see libFuzzer's flags; the application lives until exit.
    static int argc = 1;
    static char name[] = "fuzz_answers";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    if (const char* dir = std::getenv("VELMAR_WRITE_SEEDS")) {
        velmar::WriteSeeds(dir);
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velmar::Run(data, size);
    return 0;
}
