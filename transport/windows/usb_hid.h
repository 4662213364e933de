#pragma once
// The real instruments on USB, on Windows: found with hidapi's Windows
// backend, followed with the system's device notifications, the chosen one
// opened as a HidapiPort under a named mutex. When hidapi cannot start (as
// under Wine, whose HID stack lacks what it needs) the user is told and the
// program goes on without USB.

#include <map>
#include <memory>
#include <string>

#include "transport/bus_hid.h"

namespace velmar {

class DeviceNotifier;

class UsbHid : public BusHid {
    Q_OBJECT
public:
    explicit UsbHid(InstrumentChoice choice = {}, QObject* parent = nullptr);
    ~UsbHid() override;

    // Whether hidapi started (known once the bus is watched).
    bool Available() const { return hidInitialized_; }

protected:
    std::vector<std::string> Nodes() override;
    std::unique_ptr<HidLibrary> OpenNode(const std::string& node, NodeState* state) override;
    std::vector<AttachedInstrument> Identify(const std::vector<std::string>& nodes, int ms) override;
    void Watch() override;
    void ShowProblems(const std::map<std::string, NodeState>& problems) override;

private:
    void Enumerate();

    std::map<std::string, std::pair<std::string, std::string>> nodes_;  // path: vendor, product
    bool hidInitialized_ = false;
    std::unique_ptr<DeviceNotifier> notifier_;
};

}  // namespace velmar
