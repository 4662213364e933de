#include "transport/linux/usb_hid.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <hidapi/hidapi.h>
#include <libudev.h>
#include <unistd.h>

#include "core/link/frame.h"
#include "program/log_categories.h"
#include "transport/linux/hidraw_port.h"
#include "transport/usb_access.h"

namespace velmar {

namespace {

// Manufacturer and product strings of the hidraw node at path, as hidapi
// reads them from the USB descriptors.
std::pair<std::string, std::string> NamesOf(const std::string& path) {
    std::pair<std::string, std::string> names;
    hid_device_info* list = hid_enumerate(kVendorId, kProductId);
    for (hid_device_info* info = list; info; info = info->next) {
        if (info->path && path == info->path) {
            names = {NarrowHidText(info->manufacturer_string), NarrowHidText(info->product_string)};
            break;
        }
    }
    hid_free_enumeration(list);
    return names;
}

// Vendor and product of a hidraw device from its parent's HID_ID property
// ("bus:vendor:product" in hex); false when it has none.
bool IdsOf(udev_device* device, uint16_t& vendorId, uint16_t& productId) {
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    const char* id = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
    unsigned bus = 0, vendor = 0, product = 0;
    if (!id || std::sscanf(id, "%x:%x:%x", &bus, &vendor, &product) != 3) return false;
    vendorId = static_cast<uint16_t>(vendor);
    productId = static_cast<uint16_t>(product);
    return true;
}

// /dev/hidraw2 before /dev/hidraw10.
std::string OrderKey(const std::string& node) {
    char key[32];
    std::snprintf(key, sizeof key, "%08zu", node.size());
    return key + node;
}

}  // namespace

UsbHid::UsbHid(InstrumentChoice choice, QObject* parent) : BusHid(std::move(choice), parent) {}

UsbHid::~UsbHid() {
    monitorNotifier_.reset();
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
    if (hidInitialized_) hid_exit();
}

void UsbHid::Watch() {
    hidInitialized_ = hid_init() == 0;
    if (!hidInitialized_) qCWarning(lcUsb, "a hidapi nem indult el; a készülékek neve hiányozni fog");
    // The monitor starts before the enumeration so that a device arriving in
    // between is not missed.
    StartMonitor();
    hid_device_info* list = hid_enumerate(kVendorId, kProductId);
    for (hid_device_info* info = list; info; info = info->next)
        if (info->path) nodes_[info->path] = OrderKey(info->path);
    hid_free_enumeration(list);
}

void UsbHid::StartMonitor() {
    udev_ = udev_new();
    if (udev_) monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        qCWarning(lcUsb, "az udev nem érhető el; a később csatlakoztatott készüléket a program nem látja");
        if (monitor_) udev_monitor_unref(monitor_);
        if (udev_) udev_unref(udev_);
        monitor_ = nullptr;
        udev_ = nullptr;
        return;
    }
    monitorNotifier_ = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    connect(monitorNotifier_.get(), &QSocketNotifier::activated, this, [this] { OnUdevEvent(); });
}

void UsbHid::OnUdevEvent() {
    bool changed = false;
    // The monitor socket is non-blocking: drain what is waiting.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        if (action && node) {
            uint16_t vendorId = 0, productId = 0;
            if (std::strcmp(action, "remove") == 0) {
                changed |= nodes_.erase(node) > 0;
            } else if ((std::strcmp(action, "add") == 0 || std::strcmp(action, "change") == 0) &&
                       IdsOf(device, vendorId, productId) && vendorId == kVendorId && productId == kProductId) {
                // A change may be a rule newly in force: a refused node opens now.
                nodes_[node] = OrderKey(node);
                changed = true;
            }
        }
        udev_device_unref(device);
    }
    if (changed) NodesChanged();
}

std::vector<std::string> UsbHid::Nodes() {
    std::vector<std::pair<std::string, std::string>> keyed;
    for (const auto& [node, key] : nodes_) {
        // Gone without a udev event (udev may be missing).
        if (::access(node.c_str(), F_OK) == 0) keyed.emplace_back(key, node);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> out;
    for (const auto& [key, node] : keyed) out.push_back(node);
    return out;
}

std::unique_ptr<HidLibrary> UsbHid::OpenNode(const std::string& node, NodeState* state) {
    const int fd = OpenLockedNode(node, state);
    if (fd < 0) {
        if (*state == NodeState::kGone) qCWarning(lcUsb, "nem nyitható meg: %s", node.c_str());
        return nullptr;
    }
    auto [vendor, product] = NamesOf(node);
    qCDebug(lcUsb, "megnyitva: %s (%s, %s)", node.c_str(), vendor.c_str(), product.c_str());
    return std::make_unique<HidrawPort>(fd, vendor, product);
}

void UsbHid::ShowProblems(const std::map<std::string, NodeState>& problems) {
    QString text;
    for (const auto& [node, state] : problems) {
        if (state == NodeState::kRefused) {
            const std::string programDir =
                QCoreApplication::instance() ? QCoreApplication::applicationDirPath().toStdString() : std::string(".");
            text = QString::fromStdString(UsbAccessDeniedText(node, FindUdevRule(programDir)));
            break;
        }
        if (state == NodeState::kInUse && text.isEmpty()) text = QString::fromStdString(UsbInUseText(node));
    }
    SayProblem(text);
}

}  // namespace velmar
