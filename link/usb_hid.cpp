#include "link/usb_hid.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QtDebug>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <tuple>
#include <utility>
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <libudev.h>
#include <unistd.h>

#include "link/report_writer.h"
#include "link/usb_access.h"

namespace velmar {

namespace {

// hidapi gives wide strings; the interface hands out 8-bit ones.
std::string Narrow(const wchar_t* text) {
    std::string result;
    if (!text) return result;
    for (; *text; ++text) {
        const auto c = static_cast<unsigned long>(*text);
        result.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return result;
}

void CopyName(const std::string& name, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    const std::size_t n = std::min(name.size(), std::size_t(size) - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = 0;
}

// Manufacturer and product strings of the hidraw node at path, as hidapi
// reads them from the USB descriptors.
std::pair<std::string, std::string> NamesOf(const std::string& path, uint16_t vendorId,
                                            uint16_t productId) {
    std::pair<std::string, std::string> names;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (hid_device_info* info = list; info; info = info->next) {
        if (info->path && path == info->path) {
            names = {Narrow(info->manufacturer_string), Narrow(info->product_string)};
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

}  // namespace

UsbHid::UsbHid(QObject* parent) : HidLibrary(parent), retryTimer_(new QTimer(this)) {
    retryTimer_->setInterval(2000);
    connect(retryTimer_, &QTimer::timeout, this, &UsbHid::RetryRefused);
}

UsbHid::~UsbHid() {
    for (auto& [handle, device] : devices_) {
        device.notifier.reset();  // before the fd it watches goes away
        if (device.fd >= 0) ::close(device.fd);
    }
    monitorNotifier_.reset();
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
    if (hidInitialized_) hid_exit();
}

void UsbHid::Connect() {
    if (connected_) return;
    connected_ = true;
    hidInitialized_ = hid_init() == 0;
    if (!hidInitialized_) qWarning("USB: a hidapi nem indult el; a készülékek neve hiányozni fog");

    // The monitor starts before the enumeration so that a device arriving in
    // between is not missed; Attach ignores one seen twice.
    StartMonitor();
    hid_device_info* list = hid_enumerate(kVendorId, kProductId);
    for (hid_device_info* info = list; info; info = info->next) {
        if (!info->path) continue;
        Attach(info->path, info->vendor_id, info->product_id);
    }
    hid_free_enumeration(list);
}

void UsbHid::StartMonitor() {
    udev_ = udev_new();
    if (udev_) monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        qWarning("USB: az udev nem érhető el; a később csatlakoztatott készüléket a program nem látja");
        if (monitor_) udev_monitor_unref(monitor_);
        if (udev_) udev_unref(udev_);
        monitor_ = nullptr;
        udev_ = nullptr;
        return;
    }
    monitorNotifier_ = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_),
                                                         QSocketNotifier::Read);
    connect(monitorNotifier_.get(), &QSocketNotifier::activated, this, [this] { OnUdevEvent(); });
}

void UsbHid::OnUdevEvent() {
    // The monitor socket is non-blocking: drain what is waiting.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        if (action && node) {
            uint16_t vendorId = 0, productId = 0;
            if (std::strcmp(action, "remove") == 0) {
                if (HidHandle handle = HandleOfPath(node)) Detach(handle);
                if (refused_.erase(node)) UpdateAccessProblem();
            } else if ((std::strcmp(action, "add") == 0 || std::strcmp(action, "change") == 0) &&
                       IdsOf(device, vendorId, productId) && vendorId == kVendorId &&
                       productId == kProductId) {
                // A change may be a rule newly in force: a refused node opens now.
                Attach(node, vendorId, productId);
            }
        }
        udev_device_unref(device);
    }
}

HidHandle UsbHid::Attach(const std::string& path, uint16_t vendorId, uint16_t productId) {
    if (HidHandle known = HandleOfPath(path)) return known;
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if ((errno == EACCES || errno == EPERM) && vendorId == kVendorId && productId == kProductId) {
            if (refused_.insert(path).second) UpdateAccessProblem();
        } else {
            qWarning("USB: nem nyitható meg: %s: %s", path.c_str(), std::strerror(errno));
        }
        return 0;
    }
    if (refused_.erase(path)) UpdateAccessProblem();
    const HidHandle handle = nextHandle_++;
    Device& device = devices_[handle];
    device.path = path;
    device.vendorId = vendorId;
    device.productId = productId;
    std::tie(device.vendorName, device.productName) = NamesOf(path, vendorId, productId);
    device.fd = fd;
    device.writer = std::make_unique<ReportWriter>(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    device.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read, this);
    connect(device.notifier.get(), &QSocketNotifier::activated, this,
            [this, handle] { OnReadable(handle); });
    // Posted, like every event here, so that they reach the link in order and
    // never from inside a call the link made.
    QMetaObject::invokeMethod(this, [this, handle] { emit hidEvent(kHidPlugged, handle); },
                              Qt::QueuedConnection);
    return handle;
}

void UsbHid::Detach(HidHandle handle) {
    Device* device = Attached(handle);
    if (!device) return;
    // This may run inside the notifier's own signal: switch it off now,
    // delete it later.
    device->notifier->setEnabled(false);
    device->notifier.release()->deleteLater();
    device->writer.reset();
    ::close(device->fd);
    device->fd = -1;
    device->received.clear();
    QMetaObject::invokeMethod(this, [this, handle] { emit hidEvent(kHidUnplugged, handle); },
                              Qt::QueuedConnection);
}

void UsbHid::OnReadable(HidHandle handle) {
    // Reports waiting beyond this are old news nobody is reading.
    constexpr std::size_t kMaxWaiting = 1024;
    Device* device = Attached(handle);
    if (!device) return;
    for (;;) {
        Report report{};  // byte 0: report id 0, which hidraw leaves out
        const ssize_t n = ::read(device->fd, report.data() + 1, kFrameSize);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return;
        if (n <= 0) {
            // The node fails once the device is gone; udev may be missing or
            // late, so this is the unplug.
            Detach(handle);
            return;
        }
        if (device->received.size() == kMaxWaiting) device->received.pop_front();
        device->received.push_back(report);
        if (device->notify) {
            QMetaObject::invokeMethod(
                this, [this, handle] { emit hidEvent(kHidReportReceived, handle); },
                Qt::QueuedConnection);
        }
    }
}

void UsbHid::RetryRefused() {
    const std::set<std::string> nodes = refused_;
    for (const std::string& node : nodes) {
        if (::access(node.c_str(), F_OK) != 0) {
            // Gone without a udev event (udev may be missing).
            refused_.erase(node);
            UpdateAccessProblem();
        } else {
            Attach(node, kVendorId, kProductId);
        }
    }
}

void UsbHid::UpdateAccessProblem() {
    QString text;
    if (!refused_.empty()) {
        const std::string programDir = QCoreApplication::instance()
                                           ? QCoreApplication::applicationDirPath().toStdString()
                                           : std::string(".");
        text = QString::fromStdString(UsbAccessDeniedText(*refused_.begin(), FindUdevRule(programDir)));
    }
    if (refused_.empty()) retryTimer_->stop();
    else if (!retryTimer_->isActive()) retryTimer_->start();
    if (text == accessProblem_) return;
    accessProblem_ = text;
    if (!text.isEmpty()) qWarning("USB: %s", qUtf8Printable(text));
    QMetaObject::invokeMethod(this, [this, text] { emit accessProblem(text); }, Qt::QueuedConnection);
}

UsbHid::Device* UsbHid::Attached(HidHandle handle) {
    auto it = devices_.find(handle);
    return it != devices_.end() && it->second.fd >= 0 ? &it->second : nullptr;
}

HidHandle UsbHid::HandleOfPath(const std::string& path) const {
    for (const auto& [handle, device] : devices_)
        if (device.fd >= 0 && device.path == path) return handle;
    return 0;
}

HidHandle UsbHid::GetHandle(uint16_t vendorId, uint16_t productId) {
    for (const auto& [handle, device] : devices_)
        if (device.fd >= 0 && device.vendorId == vendorId && device.productId == productId)
            return handle;
    return 0;
}

uint16_t UsbHid::GetVendorID(HidHandle handle) {
    auto it = devices_.find(handle);
    return it != devices_.end() ? it->second.vendorId : 0;
}

uint16_t UsbHid::GetProductID(HidHandle handle) {
    auto it = devices_.find(handle);
    return it != devices_.end() ? it->second.productId : 0;
}

void UsbHid::GetVendorName(HidHandle handle, char* buffer, int size) {
    auto it = devices_.find(handle);
    CopyName(it != devices_.end() ? it->second.vendorName : std::string(), buffer, size);
}

void UsbHid::GetProductName(HidHandle handle, char* buffer, int size) {
    auto it = devices_.find(handle);
    CopyName(it != devices_.end() ? it->second.productName : std::string(), buffer, size);
}

void UsbHid::SetReadNotify(HidHandle handle, bool notify) {
    auto it = devices_.find(handle);
    if (it != devices_.end()) it->second.notify = notify;
}

bool UsbHid::Read(HidHandle handle, uint8_t* buffer) {
    Device* device = Attached(handle);
    if (!device || !buffer || device->received.empty()) return false;
    std::memcpy(buffer, device->received.front().data(), kReportSize);
    device->received.pop_front();
    return true;
}

bool UsbHid::Write(HidHandle handle, const uint8_t* buffer) {
    Device* device = Attached(handle);
    if (!device || !buffer) return false;
    // Report id 0 goes first; hidraw strips it for a device without numbered
    // reports and counts it in the result.
    return device->writer->Write(buffer, kReportSize);
}

}  // namespace velmar
