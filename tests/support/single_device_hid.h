#pragma once
// The HID library as the benchmark and the fuzzer need it: one attached
// instrument with the Velmar ids, whose answers wait in a queue until the
// window reads them. What happens to a written report is the user's choice.

#include <cstdio>
#include <cstring>
#include <deque>

#include "core/link/frame.h"
#include "gui/app/startup_options.h"
#include "sim/virtual_instrument.h"
#include "transport/hid_library.h"

namespace velmar::test {

class SingleDeviceHid : public HidLibrary {
public:
    static constexpr HidHandle kHandle = 1;

    void Connect() override {}
    HidHandle GetHandle(uint16_t v, uint16_t p) override { return v == kVendorId && p == kProductId ? kHandle : 0; }
    uint16_t GetVendorID(HidHandle h) override { return h == kHandle ? kVendorId : 0; }
    uint16_t GetProductID(HidHandle h) override { return h == kHandle ? kProductId : 0; }
    void GetVendorName(HidHandle, char* b, int size) override { std::snprintf(b, size_t(size), "Velmar"); }
    void GetProductName(HidHandle, char* b, int size) override { std::snprintf(b, size_t(size), "PX330"); }
    void SetReadNotify(HidHandle, bool) override {}
    bool Read(HidHandle, uint8_t* buffer) override {
        if (incoming.empty()) return false;
        std::memcpy(buffer, incoming.front().data(), kReportSize);
        incoming.pop_front();
        return true;
    }

    std::deque<sim::Report> incoming;
};

// Start-up options that touch nothing outside the process: no other copy
// is running, nothing beeps, asks or quits.
inline StartupOptions QuietOptions(bool service = false) {
    StartupOptions o;
    if (service) o.arguments << "/QZKTRM";
    o.executablePath = "/nonexistent/velmar-setup";
    o.claimOnlyInstance = [](const QString&) { return true; };
    o.beep = [] {};
    o.inform = [](const QString&) {};
    o.terminate = [] {};
    return o;
}

}  // namespace velmar::test
