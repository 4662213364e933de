#include "app/command_line.h"

#include "app/program_date.h"
#include "link/instrument_choice.h"
#include "link/socket_address.h"
#include "sim/instrument_config.h"

namespace velmar {

namespace {

QString UsageText() {
    return QStringLiteral(
               "Usage: velmar-setup [--device=DEVICE] [instrument flags]\n"
               "Beállító program a Velmar Kft. USB csatlakozós készülékeihez\n"
               "(set-up program for the Velmar instruments on USB).\n\n"
               "  --device=sim[:CODE]     the virtual instrument inside the program\n"
               "                          (CODE: device type, e.g. 530)\n"
               "  --device=unix:PATH      an instrument served on a local socket, e.g. by velmar-sim\n"
               "  --device=tcp:HOST:PORT  an instrument served on TCP\n"
               "  --device=usb:NODE       of several instruments on USB, the one on this hidraw node\n"
               "  --device=usb:SERIAL     ... or the one with this serial number\n"
               "  --sim-bus=FOLDER        the virtual instruments served on the sockets in FOLDER\n"
               "                          stand for the USB ones\n"
               "  --open-trend=FILE.csv   opens the trend window, recording into FILE.csv\n"
               "  --help                  this text\n"
               "  --version               the program's date\n\n"
               "Without --device the program talks to an instrument on USB (vendor 04d8,\n"
               "product 003f). Its hidraw node is opened for the user at the desktop by the\n"
               "udev rule 70-velmar.rules, which the package installs in /usr/lib/udev/rules.d.\n\n"
               "Instrument flags, for --device=sim:\n") +
           QString::fromUtf8(sim::InstrumentFlagsHelp());
}

// The --device value's own check; empty when it is good.
QString CheckDevice(const QString& device, const QStringList& arguments) {
    if (device == "usb" || device.startsWith("usb:")) {
        InstrumentChoice choice;
        const std::string bad = ParseInstrumentChoice(device.mid(4).toStdString(), &choice);
        if (!bad.empty()) return "--device: " + QString::fromStdString(bad);
        if (choice.kind == InstrumentChoice::Kind::kAll) return "--device=usb:all is for velmar-cli";
        return {};
    }
    if (device == "sim" || device.startsWith("sim:")) {
        std::vector<std::string> args;
        for (const QString& a : arguments) args.push_back(a.toStdString());
        if (device.startsWith("sim:")) args.push_back("--type=" + device.mid(4).toStdString());
        sim::InstrumentConfig config;
        return QString::fromStdString(sim::ParseInstrumentFlags(args, config));
    }
    SocketAddress address;
    const std::string bad = ParseSocketAddress(device.toStdString(), &address);
    return bad.empty() ? QString() : "--device: " + QString::fromStdString(bad);
}

}  // namespace

CommandLineAnswer CheckCommandLine(const QStringList& arguments, QChar dateSeparator) {
    QString device;
    bool hasDevice = false;
    for (const QString& a : arguments) {
        if (a == "--help") return {CommandLineAnswer::kHelp, UsageText()};
        if (a == "--version") return {CommandLineAnswer::kVersion, "velmar-setup v" + ProgramDateText(dateSeparator)};
    }
    for (const QString& a : arguments) {
        if (!a.startsWith("--")) continue;
        if (a.startsWith("--device=")) {
            device = a.mid(9);
            hasDevice = true;
            continue;
        }
        if (a == "--device") return {CommandLineAnswer::kError, "--device needs a value, e.g. --device=sim"};
        if (a.startsWith("--open-trend")) continue;  // the trend window's business
        if (a.startsWith("--sim-bus=")) continue;
        std::string error;
        sim::InstrumentConfig ignored;
        if (sim::ParseInstrumentFlag(a.toStdString(), ignored, &error)) {
            if (!error.empty()) return {CommandLineAnswer::kError, QString::fromStdString(error)};
            continue;
        }
        return {CommandLineAnswer::kError, "unknown option " + a + " (velmar-setup --help lists the options)"};
    }
    if (hasDevice) {
        if (const QString bad = CheckDevice(device, arguments); !bad.isEmpty())
            return {CommandLineAnswer::kError, bad};
    }
    return {};
}

}  // namespace velmar
