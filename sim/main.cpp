// velmar-sim: one virtual instrument served on a local or TCP socket, for
// velmar-setup --device=unix:PATH / tcp:HOST:PORT and for the tests.

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

#include "app/program_date.h"
#include "link/qt_translation.h"
#include "link/socket_address.h"
#include "sim/instrument_config.h"
#include "sim/sim_server.h"

namespace {

void PrintUsage() {
    std::fprintf(stdout,
                 "Használat: velmar-sim --listen=unix:ÚTVONAL|tcp:GÉP:PORT [a virtuális készülék kapcsolói]\n"
                 "Egy virtuális készüléket szolgál ki, egyszerre egy kliensnek.\n\n"
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

}  // namespace

int main(int argc, char** argv) {
    velmar::sim::InstrumentConfig config;
    std::string listen;
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
            listen = arg.substr(9);
        } else if (arg.rfind("--disconnect-every=", 0) == 0) {
            disconnectEvery = std::atoi(arg.c_str() + 19);
            if (disconnectEvery <= 0 || disconnectEvery > 86400) return Fail("hibás érték: " + arg);
        } else if (velmar::sim::ParseInstrumentFlag(arg, config, &error)) {
            if (!error.empty()) return Fail(error);
        } else {
            return Fail("ismeretlen kapcsoló: " + arg);
        }
    }
    if (listen.empty()) return Fail("hiányzik a --listen=unix:ÚTVONAL vagy a --listen=tcp:GÉP:PORT");
    velmar::SocketAddress address;
    if (const auto error = velmar::ParseSocketAddress(listen, &address); !error.empty())
        return Fail(error);

    QCoreApplication app(argc, argv);
    velmar::InstallQtTranslation(app);
    QuitOnSignals(app);
    velmar::sim::SimServer server(config);
    if (const QString error = server.Listen(address); !error.isEmpty()) {
        std::fprintf(stderr, "velmar-sim: a szerver nem indul el itt: %s (%s)\n", listen.c_str(),
                     error.toLocal8Bit().constData());
        return 1;
    }
    std::fprintf(stderr, "velmar-sim: PX type %u, serial %u, listening on %s\n",
                 unsigned(config.deviceType), unsigned(config.serial),
                 server.Address().ToString().c_str());
    std::fflush(stderr);
    if (disconnectEvery > 0) server.DisconnectEvery(disconnectEvery);
    const int status = app.exec();
    std::fprintf(stderr, "velmar-sim: %s\n", server.Summary().c_str());
    return status;
}
