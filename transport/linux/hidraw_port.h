#pragma once
// One instrument's hidraw node, opened and locked by the USB bus: read with
// a socket notifier on the GUI thread, written by a bounded writer. The
// lock goes with the descriptor when the port is destroyed.

#include <array>
#include <deque>
#include <memory>
#include <string>

#include "core/link/frame.h"
#include "transport/hid_library.h"

class QSocketNotifier;

namespace velmar {

class ReportWriter;

class HidrawPort : public HidLibrary {
    Q_OBJECT
public:
    // Takes over fd.
    HidrawPort(int fd, std::string vendorName, std::string productName, QObject* parent = nullptr);
    ~HidrawPort() override;

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

    void OnReadable();
    void Fail();
    void Post(int event);

    int fd_;
    std::string vendorName_, productName_;
    QSocketNotifier* notifier_ = nullptr;
    std::unique_ptr<ReportWriter> writer_;
    std::deque<Report> received_;
    bool notify_ = true;
};

}  // namespace velmar
