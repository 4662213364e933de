#include "transport/windows/usb_hid.h"

#include <hidapi.h>

#include <QCoreApplication>
#include <QtDebug>
#include <chrono>

#include "core/link/frame.h"
#include "transport/usb_access.h"
#include "transport/windows/device_mutex.h"
#include "transport/windows/device_notifier.h"
#include "transport/windows/hidapi_port.h"

namespace velmar {

namespace {

// A device path hidapi cannot open: another program holds it exclusively,
// or it has just gone.
hid_device* OpenPath(const std::string& path, NodeState* state) {
    hid_device* device = hid_open_path(path.c_str());
    *state = device ? NodeState::kFree : NodeState::kRefused;
    return device;
}

}  // namespace

UsbHid::UsbHid(InstrumentChoice choice, QObject* parent) : BusHid(std::move(choice), parent) {}

UsbHid::~UsbHid() {
    notifier_.reset();
    if (hidInitialized_) hid_exit();
}

void UsbHid::Watch() {
    hidInitialized_ = hid_init() == 0;
    if (!hidInitialized_) {
        SayProblem(QString::fromStdString(UsbUnavailableText(NarrowHidText(hid_error(nullptr)))));
        return;
    }
    // Notifications before the enumeration, so that a device arriving in
    // between is not missed.
    notifier_ = std::make_unique<DeviceNotifier>();
    connect(
        notifier_.get(), &DeviceNotifier::devicesChanged, this,
        [this] {
            Enumerate();
            NodesChanged();
        },
        Qt::QueuedConnection);
    Enumerate();
}

void UsbHid::Enumerate() {
    nodes_.clear();
    hid_device_info* list = hid_enumerate(kVendorId, kProductId);
    for (hid_device_info* info = list; info; info = info->next)
        if (info->path)
            nodes_[info->path] = {NarrowHidText(info->manufacturer_string), NarrowHidText(info->product_string)};
    hid_free_enumeration(list);
}

std::vector<std::string> UsbHid::Nodes() {
    std::vector<std::string> out;
    for (const auto& [path, names] : nodes_) out.push_back(path);
    return out;
}

std::unique_ptr<HidLibrary> UsbHid::OpenNode(const std::string& node, NodeState* state) {
    if (!hidInitialized_) {
        *state = NodeState::kGone;
        return nullptr;
    }
    std::unique_ptr<DeviceMutex> lock = DeviceMutex::Take(node, state);
    if (!lock) return nullptr;
    hid_device* device = OpenPath(node, state);
    if (!device) return nullptr;
    const auto names = nodes_.find(node);
    return names == nodes_.end()
               ? std::make_unique<HidapiPort>(device, std::move(lock), std::string(), std::string())
               : std::make_unique<HidapiPort>(device, std::move(lock), names->second.first, names->second.second);
}

std::vector<AttachedInstrument> UsbHid::Identify(const std::vector<std::string>& nodes, int ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    const auto request = StatusProbeRequest();
    std::vector<AttachedInstrument> out(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        AttachedInstrument& a = out[i];
        a.node = nodes[i];
        if (!hidInitialized_) {
            a.state = NodeState::kGone;
            continue;
        }
        const std::unique_ptr<DeviceMutex> lock = DeviceMutex::Take(a.node, &a.state);
        if (!lock) continue;
        hid_device* device = OpenPath(a.node, &a.state);
        if (!device) continue;
        a.state = NodeState::kSilent;
        if (hid_write(device, request.data(), request.size()) == int(request.size())) {
            for (;;) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
                if (left.count() <= 0) break;
                std::array<uint8_t, kReportSize> report{};
                const int n = hid_read_timeout(device, report.data() + 1, kFrameSize, int(left.count()));
                if (n <= 0) break;
                // A spoiled frame says nothing; the next may.
                const NodeIdentity identity = IdentityOfAnswer(report.data());
                if (!identity.answered) continue;
                a.identified = true;
                a.state = NodeState::kFree;
                a.deviceType = identity.deviceType;
                a.serial = identity.serial;
                break;
            }
        }
        hid_close(device);
    }
    return out;
}

void UsbHid::ShowProblems(const std::map<std::string, NodeState>& problems) {
    if (!hidInitialized_) return;  // said once at the start
    QString text;
    for (const auto& [node, state] : problems) {
        if (state == NodeState::kRefused) {
            text = QString::fromStdString(UsbAccessDeniedText(node, {}));
            break;
        }
        if (state == NodeState::kInUse && text.isEmpty()) text = QString::fromStdString(UsbInUseText(node));
    }
    SayProblem(text);
}

}  // namespace velmar
