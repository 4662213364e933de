#include "transport/windows/hidapi_port.h"

#include <hidapi.h>

#include <cstring>

#include "transport/windows/device_mutex.h"

namespace velmar {

HidapiPort::HidapiPort(hid_device_* device, std::unique_ptr<DeviceMutex> lock, std::string vendorName,
                       std::string productName, QObject* parent)
    : HidLibrary(parent), device_(device), lock_(std::move(lock)), vendorName_(std::move(vendorName)),
      productName_(std::move(productName)) {
    poll_.setTimerType(Qt::PreciseTimer);
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &HidapiPort::Poll);
}

HidapiPort::~HidapiPort() {
    if (device_) hid_close(device_);
}

void HidapiPort::Post(int event) {
    // Posted, so that events reach the link in order and never from inside
    // a call the link made.
    QMetaObject::invokeMethod(
        this, [this, event] { emit hidEvent(event, kHandle); }, Qt::QueuedConnection);
}

void HidapiPort::Connect() {
    poll_.start();
    Post(kHidPlugged);
}

void HidapiPort::Poll() {
    // Reports waiting beyond this are old news nobody is reading.
    constexpr std::size_t kMaxWaiting = 1024;
    while (device_) {
        Report report{};  // byte 0: report id 0, which hidapi leaves out
        const int n = hid_read_timeout(device_, report.data() + 1, kFrameSize, 0);
        if (n == 0) return;
        if (n < 0) {
            // The device is gone; the notification may come later.
            Fail();
            return;
        }
        if (received_.size() == kMaxWaiting) received_.pop_front();
        received_.push_back(report);
        if (notify_) Post(kHidReportReceived);
    }
}

void HidapiPort::Fail() {
    if (!device_) return;
    poll_.stop();
    hid_close(device_);
    device_ = nullptr;
    lock_.reset();
    received_.clear();
    Post(kHidUnplugged);
}

HidHandle HidapiPort::GetHandle(uint16_t vendorId, uint16_t productId) {
    return device_ && vendorId == kVendorId && productId == kProductId ? kHandle : 0;
}

void HidapiPort::GetVendorName(HidHandle handle, char* buffer, int size) {
    CopyHidName(handle == kHandle ? vendorName_ : std::string(), buffer, size);
}

void HidapiPort::GetProductName(HidHandle handle, char* buffer, int size) {
    CopyHidName(handle == kHandle ? productName_ : std::string(), buffer, size);
}

bool HidapiPort::Read(HidHandle handle, uint8_t* buffer) {
    if (handle != kHandle || !device_ || !buffer || received_.empty()) return false;
    std::memcpy(buffer, received_.front().data(), kReportSize);
    received_.pop_front();
    return true;
}

bool HidapiPort::Write(HidHandle handle, const uint8_t* buffer) {
    if (handle != kHandle || !device_ || !buffer) return false;
    // Report id 0 first; hidapi waits at most a second for a device that
    // stops taking reports, and the link ends the command on a failure.
    return hid_write(device_, buffer, kReportSize) == int(kReportSize);
}

}  // namespace velmar
