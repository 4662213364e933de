#include "link/hid_factory.h"

#include "link/sim_hid.h"
#include "link/socket_address.h"
#include "link/socket_hid.h"
#include "link/usb_hid.h"
#include "sim/instrument_config.h"

namespace velmar {

std::unique_ptr<HidLibrary> CreateHidLibrary(const QStringList& arguments, QString* error) {
    QString device;
    std::vector<std::string> args;
    for (const QString& a : arguments) {
        if (a.startsWith("--device=")) device = a.mid(9);
        args.push_back(a.toStdString());
    }
    if (device.isEmpty()) return std::make_unique<UsbHid>();

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
