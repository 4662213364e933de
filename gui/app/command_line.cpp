#include "gui/app/command_line.h"

#include "core/link/socket_address.h"
#include "program/program_date.h"
#include "sim/instrument_config.h"
#include "transport/instrument_choice.h"

namespace velmar {

namespace {

QString UsageText() {
    return QString::fromUtf8(
               "Használat: velmar-setup [--device=…] [a virtuális készülék kapcsolói]\n"
               "Beállító program a Velmar Kft. USB csatlakozós készülékeihez.\n\n"
               "  --device=sim[:KÓD]      a programba épített virtuális készülék\n"
               "                          (KÓD: a készülék típusa, pl. 530)\n"
               "  --device=unix:ÚTVONAL   helyi socketen elérhető készülék, pl. a velmar-sim-é\n"
               "  --device=tcp:GÉP:PORT   TCP-n elérhető készülék\n"
               "  --device=usb:ESZKÖZ     több USB-s készülék közül az ezen a hidraw eszközfájlon\n"
               "                          lévő (pl. /dev/hidraw3)\n"
               "  --device=usb:GYÁRISZÁM  … vagy az ezzel a gyári számmal\n"
               "  --sim-bus=MAPPA         a MAPPA socketjein szolgáltatott virtuális készülékek\n"
               "                          állnak az USB-sek helyén\n"
               "  --open-trend=FÁJL.csv   megnyitja a trend ablakot, és a FÁJL.csv-be rögzít\n"
               "  --help                  ez a súgó\n"
               "  --version               a program dátuma\n\n"
               "--device nélkül a program az USB-n csatlakozó készülékkel beszél (gyártó 04d8,\n"
               "termék 003f). A hidraw eszközfájlját a 70-velmar.rules udev-szabály nyitja meg\n"
               "a gép előtt ülő felhasználónak; a csomag a /usr/lib/udev/rules.d mappába teszi.\n\n"
               "A virtuális készülék kapcsolói, a --device=sim mellett:\n") +
           QString::fromUtf8(sim::InstrumentFlagsHelp());
}

// The --device value's own check; empty when it is good.
QString CheckDevice(const QString& device, const QStringList& arguments) {
    if (device == "usb" || device.startsWith("usb:")) {
        InstrumentChoice choice;
        const std::string bad = ParseInstrumentChoice(device.mid(4).toStdString(), &choice);
        if (!bad.empty()) return "--device: " + QString::fromStdString(bad);
        if (choice.kind == InstrumentChoice::Kind::kAll)
            return "a --device=usb:all csak a velmar-cli parancsaihoz való";
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

CommandLineAnswer CheckCommandLine(const QStringList& arguments) {
    QString device;
    bool hasDevice = false;
    for (const QString& a : arguments) {
        if (a == "--help") return {CommandLineAnswer::kHelp, UsageText()};
        if (a == "--version") return {CommandLineAnswer::kVersion, VersionText("velmar-setup")};
    }
    for (const QString& a : arguments) {
        if (!a.startsWith("--")) continue;
        if (a.startsWith("--device=")) {
            device = a.mid(9);
            hasDevice = true;
            continue;
        }
        if (a == "--device")
            return {CommandLineAnswer::kError,
                    QString::fromUtf8("a --device kapcsolónak érték kell, pl. --device=sim")};
        if (a.startsWith("--open-trend")) continue;  // the trend window's business
        if (a.startsWith("--sim-bus=")) continue;
        std::string error;
        sim::InstrumentConfig ignored;
        if (sim::ParseInstrumentFlag(a.toStdString(), ignored, &error)) {
            if (!error.empty()) return {CommandLineAnswer::kError, QString::fromStdString(error)};
            continue;
        }
        return {CommandLineAnswer::kError, QString::fromUtf8("ismeretlen kapcsoló: %1 (velmar-setup --help)").arg(a)};
    }
    if (hasDevice) {
        if (const QString bad = CheckDevice(device, arguments); !bad.isEmpty()) return {CommandLineAnswer::kError, bad};
    }
    return {};
}

}  // namespace velmar
