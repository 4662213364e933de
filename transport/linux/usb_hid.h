#pragma once
// The real instruments on USB. Their hidraw nodes are found with hidapi and
// followed with a udev monitor; the one the program talks to is opened and
// locked as a HidrawPort, read with a socket notifier on the GUI thread, so
// no thread and no lock of our own is needed.

#include <map>
#include <memory>
#include <string>

#include "core/link/frame.h"
#include "transport/bus_hid.h"
#include "transport/linux/node_probe.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace velmar {

class UsbHid : public BusHid {
    Q_OBJECT
public:
    explicit UsbHid(InstrumentChoice choice = {}, QObject* parent = nullptr);
    ~UsbHid() override;

protected:
    std::vector<std::string> Nodes() override;
    std::unique_ptr<HidLibrary> OpenNode(const std::string& node, NodeState* state) override;
    // hidraw delivers bare frames.
    std::vector<AttachedInstrument> Identify(const std::vector<std::string>& nodes, int ms) override {
        return IdentifyNodes(nodes, ms, OpenLockedNode, kFrameSize, NodeState::kSilent);
    }
    void Watch() override;
    void ShowProblems(const std::map<std::string, NodeState>& problems) override;

private:
    void StartMonitor();
    void OnUdevEvent();

    std::map<std::string, std::string> nodes_;  // node: its order key
    bool hidInitialized_ = false;
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> monitorNotifier_;
};

}  // namespace velmar
