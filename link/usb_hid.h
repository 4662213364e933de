#pragma once
// The real instrument on USB. Devices are found with hidapi, followed with a
// udev monitor, and read and written through their /dev/hidrawN node with a
// socket notifier on the GUI thread, so no thread and no lock is needed.

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "link/frame.h"
#include "link/hid_library.h"

class QSocketNotifier;
class QTimer;
struct udev;
struct udev_monitor;

namespace velmar {

class ReportWriter;

class UsbHid : public HidLibrary {
    Q_OBJECT
public:
    explicit UsbHid(QObject* parent = nullptr);
    ~UsbHid() override;

    void Connect() override;
    HidHandle GetHandle(uint16_t vendorId, uint16_t productId) override;
    uint16_t GetVendorID(HidHandle handle) override;
    uint16_t GetProductID(HidHandle handle) override;
    void GetVendorName(HidHandle handle, char* buffer, int size) override;
    void GetProductName(HidHandle handle, char* buffer, int size) override;
    void SetReadNotify(HidHandle handle, bool notify) override;
    bool Read(HidHandle handle, uint8_t* buffer) override;
    bool Write(HidHandle handle, const uint8_t* buffer) override;

private:
    using Report = std::array<uint8_t, kReportSize>;

    struct Device {
        std::string path;  // /dev/hidrawN
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        std::string vendorName;
        std::string productName;
        int fd = -1;  // -1 once detached; the entry stays so its ids remain known
        std::unique_ptr<QSocketNotifier> notifier;
        std::unique_ptr<ReportWriter> writer;
        std::deque<Report> received;
        bool notify = true;
    };

    void StartMonitor();
    void OnUdevEvent();
    HidHandle Attach(const std::string& path, uint16_t vendorId, uint16_t productId);
    void Detach(HidHandle handle);
    void OnReadable(HidHandle handle);
    Device* Attached(HidHandle handle);
    HidHandle HandleOfPath(const std::string& path) const;
    void RetryRefused();
    void UpdateAccessProblem();

    std::map<HidHandle, Device> devices_;
    HidHandle nextHandle_ = 1;
    bool connected_ = false;
    bool hidInitialized_ = false;
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> monitorNotifier_;
    // Nodes of our instruments that this user may not open: tried again on
    // every udev event and every few seconds, since the access a rule or the
    // login manager grants comes without an event of its own.
    std::set<std::string> refused_;
    QTimer* retryTimer_ = nullptr;
    QString accessProblem_;
};

}  // namespace velmar
