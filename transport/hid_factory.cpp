#include "transport/hid_factory.h"

#include "core/link/socket_address.h"
#include "transport/sim_hid.h"
#include "transport/socket_hid.h"
#include "transport/usb_hid.h"
#ifndef _WIN32
#include "transport/linux/socket_bus.h"
#endif
#include "sim/instrument_config.h"

namespace velmar {

namespace {

QString Value(const QStringList& arguments, const QString& prefix) {
    QString value;
    for (const QString& a : arguments)
        if (a.startsWith(prefix)) value = a.mid(prefix.size());
    return value;
}

}  // namespace

bool ChoosesOnBus(const QStringList& arguments, InstrumentChoice* choice, QString* error) {
    const QString device = Value(arguments, "--device=");
    *choice = {};
    if (!device.isEmpty() && device != "usb" && !device.startsWith("usb:")) return false;
    const std::string bad = ParseInstrumentChoice(device.mid(4).toStdString(), choice);
    if (!bad.empty()) *error = "--device: " + QString::fromStdString(bad);
    return bad.empty();
}

std::unique_ptr<HidLibrary> CreateHidLibrary(const QStringList& arguments, QString* error) {
    const QString device = Value(arguments, "--device=");
    std::vector<std::string> args;
    for (const QString& a : arguments) args.push_back(a.toStdString());

    InstrumentChoice choice;
    error->clear();
    if (ChoosesOnBus(arguments, &choice, error)) {
        const QString folder = Value(arguments, "--sim-bus=");
#ifdef _WIN32
        // The bus of virtual instruments lives on Unix sockets in a folder.
        if (!folder.isEmpty()) {
            *error = "--sim-bus: csak Linuxon érhető el";
            return nullptr;
        }
#else
        if (!folder.isEmpty()) return std::make_unique<SocketBus>(folder, choice);
#endif
        return std::make_unique<UsbHid>(choice);
    }
    if (!error->isEmpty()) return nullptr;

    if (device == "sim" || device.startsWith("sim:")) {
        sim::InstrumentConfig config;
        if (device.startsWith("sim:")) args.push_back("--type=" + device.mid(4).toStdString());
        const std::string bad = sim::ParseInstrumentFlags(args, config);
        if (!bad.empty()) {
            *error = QString::fromStdString(bad);
            return nullptr;
        }
        return std::make_unique<SimHid>(config);
    }

    SocketAddress address;
    const std::string bad = ParseSocketAddress(device.toStdString(), &address);
    if (!bad.empty()) {
        *error = "--device: " + QString::fromStdString(bad);
        return nullptr;
    }
    return std::make_unique<SocketHid>(address);
}

}  // namespace velmar
