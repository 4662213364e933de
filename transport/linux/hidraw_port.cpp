#include "transport/linux/hidraw_port.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "program/log_categories.h"
#include "transport/linux/report_writer.h"

namespace velmar {

HidrawPort::HidrawPort(int fd, std::string vendorName, std::string productName, QObject* parent)
    : HidLibrary(parent), fd_(fd), vendorName_(std::move(vendorName)), productName_(std::move(productName)) {
    writer_ = std::make_unique<ReportWriter>(::fcntl(fd_, F_DUPFD_CLOEXEC, 0));
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &HidrawPort::OnReadable);
}

HidrawPort::~HidrawPort() {
    delete notifier_;  // before the descriptor it watches goes away
    if (fd_ >= 0) ::close(fd_);
}

void HidrawPort::Post(int event) {
    // Posted, so that events reach the link in order and never from inside
    // a call the link made.
    QMetaObject::invokeMethod(
        this, [this, event] { emit hidEvent(event, kHandle); }, Qt::QueuedConnection);
}

void HidrawPort::Connect() { Post(kHidPlugged); }

void HidrawPort::OnReadable() {
    // Reports waiting beyond this are old news nobody is reading.
    constexpr std::size_t kMaxWaiting = 1024;
    for (;;) {
        Report report{};  // byte 0: report id 0, which hidraw leaves out
        const ssize_t n = ::read(fd_, report.data() + 1, kFrameSize);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return;
        if (n <= 0) {
            // The node fails once the device is gone; udev may be missing or
            // late, so this is the unplug.
            Fail();
            return;
        }
        if (received_.size() == kMaxWaiting) received_.pop_front();
        received_.push_back(report);
        if (notify_) Post(kHidReportReceived);
    }
}

void HidrawPort::Fail() {
    if (fd_ < 0) return;
    notifier_->setEnabled(false);
    writer_.reset();
    ::close(fd_);
    fd_ = -1;
    received_.clear();
    Post(kHidUnplugged);
}

HidHandle HidrawPort::GetHandle(uint16_t vendorId, uint16_t productId) {
    return fd_ >= 0 && vendorId == kVendorId && productId == kProductId ? kHandle : 0;
}

void HidrawPort::GetVendorName(HidHandle handle, char* buffer, int size) {
    CopyHidName(handle == kHandle ? vendorName_ : std::string(), buffer, size);
}

void HidrawPort::GetProductName(HidHandle handle, char* buffer, int size) {
    CopyHidName(handle == kHandle ? productName_ : std::string(), buffer, size);
}

bool HidrawPort::Read(HidHandle handle, uint8_t* buffer) {
    if (handle != kHandle || fd_ < 0 || !buffer || received_.empty()) return false;
    std::memcpy(buffer, received_.front().data(), kReportSize);
    received_.pop_front();
    return true;
}

bool HidrawPort::Write(HidHandle handle, const uint8_t* buffer) {
    if (handle != kHandle || fd_ < 0 || !buffer) return false;
    // Report id 0 goes first; hidraw strips it for a device without numbered
    // reports and counts it in the result.
    if (writer_->Write(buffer, kReportSize)) return true;
    qCDebug(lcUsb, "a jelentés nem ment ki a csomópontra (foglalt, hiba vagy túl lassú)");
    return false;
}

}  // namespace velmar
