#pragma once
// One instrument opened through hidapi's Windows backend, with the named
// mutex that keeps other programs off it. Reports are fetched on the GUI
// thread by a short poll (hidapi keeps one overlapped read pending, so a
// poll costs a system call), which needs no thread and no lock of our own.

#include <QTimer>
#include <array>
#include <deque>
#include <memory>
#include <string>

#include "core/link/frame.h"
#include "transport/hid_library.h"

struct hid_device_;

namespace velmar {

class DeviceMutex;

class HidapiPort : public HidLibrary {
    Q_OBJECT
public:
    // Takes over device and lock.
    HidapiPort(hid_device_* device, std::unique_ptr<DeviceMutex> lock, std::string vendorName, std::string productName,
               QObject* parent = nullptr);
    ~HidapiPort() override;

    void Connect() override;
    HidHandle GetHandle(uint16_t vendorId, uint16_t productId) override;
    uint16_t GetVendorID(HidHandle handle) override { return handle == kHandle ? kVendorId : 0; }
    uint16_t GetProductID(HidHandle handle) override { return handle == kHandle ? kProductId : 0; }
    void GetVendorName(HidHandle handle, char* buffer, int size) override;
    void GetProductName(HidHandle handle, char* buffer, int size) override;
    void SetReadNotify(HidHandle, bool notify) override { notify_ = notify; }
    [[nodiscard]] bool Read(HidHandle handle, uint8_t* buffer) override;
    [[nodiscard]] bool Write(HidHandle handle, const uint8_t* buffer) override;

private:
    using Report = std::array<uint8_t, kReportSize>;
    static constexpr HidHandle kHandle = 1;
    static constexpr int kPollMs = 2;

    void Poll();
    void Fail();
    void Post(int event);

    hid_device_* device_;
    std::unique_ptr<DeviceMutex> lock_;
    std::string vendorName_, productName_;
    QTimer poll_;
    std::deque<Report> received_;
    bool notify_ = true;
};

}  // namespace velmar
