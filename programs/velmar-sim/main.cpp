// velmar-sim: virtual instruments served on local or TCP sockets, one per
// socket, for velmar-setup --device=unix:PATH / tcp:HOST:PORT, --sim-bus and
// the tests.

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "core/device/status_texts.h"
#include "core/link/socket_address.h"
#include "program/program_date.h"
#include "program/qt_translation.h"
#include "program/utf8_console.h"
#include "programs/velmar-sim/sim_server.h"
#include "sim/instrument_config.h"

namespace {

void PrintUsage() {
    std::fprintf(stdout,
                 "Használat: velmar-sim [a virtuális készülék kapcsolói] --listen=unix:ÚTVONAL|tcp:GÉP:PORT\n"
                 "                  [a virtuális készülék kapcsolói] [--listen=… [kapcsolók]]…\n"
                 "Minden címen egy virtuális készüléket szolgál ki, egyszerre egy kliensnek. Az első\n"
                 "--listen előtti kapcsolók minden készülékre vonatkoznak, az utána állók a sajátjára.\n\n"
                 "  --listen=CÍM         itt várja a kapcsolatot (TCP-n a 0 port egy szabad portot választ)\n"
                 "  --disconnect-every=MP\n"
                 "                       ennyi másodpercenként bontja a kliens kapcsolatát\n"
                 "  --help               ez a súgó\n"
                 "  --version            a program dátuma\n\n"
                 "A virtuális készülék kapcsolói:\n%s",
                 velmar::sim::InstrumentFlagsHelp());
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "velmar-sim: %s (velmar-sim --help)\n", message.c_str());
    return 2;
}

#ifdef _WIN32
// Ctrl+C, Ctrl+Break and the console closing end the event loop, so the
// server closes its pipes.
BOOL WINAPI OnConsoleControl(DWORD) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    return TRUE;
}

void QuitOnSignals(QCoreApplication&) { ::SetConsoleCtrlHandler(OnConsoleControl, TRUE); }
#else
int quitPipe[2] = {-1, -1};

void OnQuitSignal(int) {
    const char byte = 0;
    [[maybe_unused]] const auto n = ::write(quitPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the event loop, so the server closes and removes
// its socket file instead of leaving it behind.
void QuitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, quitPipe) != 0) return;
    auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const velmar::Utf8Console console;
    struct Served {
        std::string listen;
        velmar::sim::InstrumentConfig config;
    };
    velmar::sim::InstrumentConfig common;
    std::vector<Served> served;
    int disconnectEvery = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string error;
        if (arg == "--help") {
            PrintUsage();
            return 0;
        } else if (arg == "--version") {
            std::printf("%s\n", qPrintable(velmar::VersionText("velmar-sim")));
            return 0;
        } else if (arg.rfind("--listen=", 0) == 0) {
            served.push_back({arg.substr(9), common});
        } else if (arg.rfind("--disconnect-every=", 0) == 0) {
            disconnectEvery = std::atoi(arg.c_str() + 19);
            if (disconnectEvery <= 0 || disconnectEvery > 86400) return Fail("hibás érték: " + arg);
        } else if (velmar::sim::ParseInstrumentFlag(arg, served.empty() ? common : served.back().config, &error)) {
            if (!error.empty()) return Fail(error);
        } else {
            return Fail("ismeretlen kapcsoló: " + arg);
        }
    }
    if (served.empty()) return Fail("hiányzik a --listen=unix:ÚTVONAL vagy a --listen=tcp:GÉP:PORT");
    std::vector<velmar::SocketAddress> addresses(served.size());
    for (std::size_t i = 0; i < served.size(); ++i)
        if (const auto error = velmar::ParseSocketAddress(served[i].listen, &addresses[i]); !error.empty())
            return Fail(error);

    QCoreApplication app(argc, argv);
    // Without it only Qt's own texts stay in English.
    (void)velmar::InstallQtTranslation(app);
    QuitOnSignals(app);
    std::vector<std::unique_ptr<velmar::sim::SimServer>> servers;
    for (std::size_t i = 0; i < served.size(); ++i) {
        const velmar::sim::InstrumentConfig& config = served[i].config;
        auto& server = *servers.emplace_back(std::make_unique<velmar::sim::SimServer>(config));
        if (const QString error = server.Listen(addresses[i]); !error.isEmpty()) {
            std::fprintf(stderr, "velmar-sim: a szerver nem indul el itt: %s (%s)\n", served[i].listen.c_str(),
                         error.toLocal8Bit().constData());
            return 1;
        }
        std::fprintf(stderr, "velmar-sim: PX%u, gyári szám %s, itt vár: %s\n", unsigned(config.deviceType),
                     velmar::SerialText(config.serial).c_str(), server.Address().ToString().c_str());
        if (disconnectEvery > 0) server.DisconnectEvery(disconnectEvery);
    }
    std::fflush(stderr);
    const int status = app.exec();
    for (const auto& server : servers) std::fprintf(stderr, "velmar-sim: %s\n", server->Summary().c_str());
    return status;
}
