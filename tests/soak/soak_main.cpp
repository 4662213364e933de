// velmar_soak: the program's windows against an instrument served by
// velmar-sim (which spoils its answers on purpose), driven for a number of
// minutes as a busy technician would: request buttons pressed in every
// dialog, shown or not, the trend opened and closed, the settings saved to a
// file now and then. Counts the frames, the faulty answers the program met
// and its recoveries, and watches its memory.
//
//   velmar_soak --device=unix:PATH --minutes=N [--seed=N]
//
// Exits 1 when the link did not come back at the end or memory grew.
#include <malloc.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <map>
#include <random>

#include "core/link/frame.h"
#include "core/link/mbu.h"
#include "gui/app/form_main.h"
#include "gui/app/startup.h"
#include "gui/device/header_page.h"
#include "gui/files/settings_files.h"
#include "gui/trend/trend_window.h"
#include "tests/support/press_button.h"
#include "transport/socket_hid.h"

namespace velmar {
namespace {

// The socket transport, counting what passes and what comes back spoiled.
class CountingHid : public SocketHid {
public:
    using SocketHid::SocketHid;

    bool Write(HidHandle h, const uint8_t* buffer) override {
        if (awaiting) ++unanswered;  // the answer timed out, or the link went
        awaiting = true;
        ++written;
        return SocketHid::Write(h, buffer);
    }

    bool Read(HidHandle h, uint8_t* buffer) override {
        if (!SocketHid::Read(h, buffer)) return false;
        ++received;
        awaiting = false;
        const bool crcGood = CalcCRC16(buffer + 1, 62) == GetU16(buffer, kCrcFirst);
        // Every chunk an instrument sends starts on a chunk boundary, and no
        // answer is longer than the transfer buffer.
        const bool shapeGood =
            GetU16(buffer, pos::kIndex) % kChunkSize == 0 && GetU16(buffer, pos::kDataBytes) <= kPayloadBufferSize;
        const bool good = crcGood && shapeGood && buffer[pos::kError] == 0;
        if (!crcGood)
            ++badCrc;
        else if (!shapeGood)
            ++badShape;
        else if (buffer[pos::kError] != 0)
            ++errorCodes[buffer[pos::kError]];
        else if (faulty || unanswered != unansweredSeen)
            ++recoveries;
        faulty = !good;
        unansweredSeen = unanswered;
        if (good) lastGoodMs = clock.elapsed();
        return true;
    }

    QElapsedTimer clock;
    uint64_t written = 0, received = 0, badCrc = 0, badShape = 0, unanswered = 0, recoveries = 0;
    std::map<int, uint64_t> errorCodes;
    uint64_t unansweredSeen = 0;
    int64_t lastGoodMs = -1;
    bool awaiting = false, faulty = false;
};

long RssKb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

long HeapKb() { return long(mallinfo2().uordblks / 1024); }

int Run(const QString& device, int minutes, unsigned seed) {
    SocketAddress address;
    if (const auto e = ParseSocketAddress(device.toStdString(), &address); !e.empty()) {
        std::fprintf(stderr, "velmar_soak: %s\n", e.c_str());
        return 2;
    }
    CountingHid hid(address);
    hid.clock.start();
    QTemporaryDir scratch;
    StartupOptions options;
    options.executablePath = "/nonexistent/velmar-setup";
    options.claimOnlyInstance = [](const QString&) { return true; };
    options.beep = [] {};
    options.inform = [](const QString&) {};
    options.confirm = [](const QString&) { return false; };  // nothing lasting
    options.chooseFile = [&scratch](const QString&, bool) { return scratch.filePath("settings.json"); };
    options.journalFolder = scratch.filePath("journal");
    options.terminate = [] {};
    auto windows = Startup(hid, options);
    TForm1& w = *windows->main;
    w.show();

    uint64_t plugs = 0, unplugs = 0;
    QObject::connect(&hid, &HidLibrary::hidEvent, [&](int event, HidHandle) {
        if (event == kHidPlugged && unplugs > 0) ++plugs;  // back after a loss, not the first
        if (event == kHidUnplugged) ++unplugs;
    });

    std::mt19937 random(seed);
    QTimer act;
    QObject::connect(&act, &QTimer::timeout, [&] {
        const unsigned what = random() % 100;
        if (what < 90) {
            test::PressRequestButton(w, {random(), random() % 2 == 0, random() % 2 == 0, random() % 4 == 0});
        } else if (what < 95) {
            if (w.Form_Trend && w.Form_Trend->isVisible())
                w.Form_Trend->hide();
            else
                w.header->ui.Button_Trend->click();
        } else if (w.settingsFiles->Action_SaveSettings->isEnabled()) {
            w.settingsFiles->Action_SaveSettings->trigger();
        }
    });
    act.start(250);

    long rssStart = -1, heapStart = -1, rssWarm = -1, heapWarm = -1;
    // A minute to settle (fonts, caches, the trend's ring), or a tenth of a
    // short run: memory is measured from there.
    const int warmMs = std::min(60'000, minutes * 6'000);
    QTimer::singleShot(0, [&] { rssStart = RssKb(), heapStart = HeapKb(); });
    QTimer::singleShot(warmMs, [&] { rssWarm = RssKb(), heapWarm = HeapKb(); });
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, [&] {
        std::fprintf(stderr, "velmar_soak: %lld s, frames %llu/%llu, rss %ld kB, heap %ld kB\n",
                     static_cast<long long>(hid.clock.elapsed() / 1000), static_cast<unsigned long long>(hid.written),
                     static_cast<unsigned long long>(hid.received), RssKb(), HeapKb());
    });
    progress.start(60'000);
    QTimer::singleShot(minutes * 60'000, [] { QApplication::exit(0); });
    QApplication::exec();
    act.stop();

    const long rssEnd = RssKb(), heapEnd = HeapKb();
    const int64_t sinceGood = hid.lastGoodMs < 0 ? -1 : hid.clock.elapsed() - hid.lastGoodMs;
    std::printf("soak: %d min, frames written %llu, answers %llu\n", minutes,
                static_cast<unsigned long long>(hid.written), static_cast<unsigned long long>(hid.received));
    QStringList codes;
    for (const auto& [code, n] : hid.errorCodes) codes << QString("%1: %2").arg(code).arg(n);
    std::printf(
        "soak: faults met: bad CRC %llu, bad index or length %llu, unanswered %llu, connection lost %llu, "
        "error codes {%s}\n",
        static_cast<unsigned long long>(hid.badCrc), static_cast<unsigned long long>(hid.badShape),
        static_cast<unsigned long long>(hid.unanswered), static_cast<unsigned long long>(unplugs),
        qPrintable(codes.join(", ")));
    std::printf("soak: recoveries: good answers after a fault %llu, connection back %llu\n",
                static_cast<unsigned long long>(hid.recoveries), static_cast<unsigned long long>(plugs));
    std::printf(
        "soak: memory at start rss %ld kB heap %ld kB; settled rss %ld kB heap %ld kB; end rss %ld kB heap %ld kB\n",
        rssStart, heapStart, rssWarm, heapWarm, rssEnd, heapEnd);
    bool ok = true;
    if (sinceGood < 0 || sinceGood > 15'000) {
        std::printf("soak: FAILED: no good answer in the last %lld ms\n", static_cast<long long>(sinceGood));
        ok = false;
    }
    // Flat: the heap in use may move by a few megabytes with what happens
    // to be open at the end, not grow with the run.
    if (heapEnd - heapWarm > 8 * 1024 || rssEnd - rssWarm > 16 * 1024) {
        std::printf("soak: FAILED: memory grew\n");
        ok = false;
    }
    std::printf("soak: %s\n", ok ? "passed" : "failed");
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace velmar

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString device;
    int minutes = 1;
    unsigned seed = 1;
    for (const QString& a : QApplication::arguments().mid(1)) {
        if (a.startsWith("--device="))
            device = a.mid(9);
        else if (a.startsWith("--minutes="))
            minutes = a.mid(10).toInt();
        else if (a.startsWith("--seed="))
            seed = a.mid(7).toUInt();
        else {
            std::fprintf(stderr, "velmar_soak: unknown option %s\n", qPrintable(a));
            return 2;
        }
    }
    if (device.isEmpty() || minutes < 1) {
        std::fprintf(stderr, "usage: velmar_soak --device=unix:PATH --minutes=N [--seed=N]\n");
        return 2;
    }
    return velmar::Run(device, minutes, seed);
}
