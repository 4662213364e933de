#pragma once
// A virtual instrument inside the program, behind the HID interface.

#include <deque>
#include <memory>

#include "sim/virtual_instrument.h"
#include "transport/hid_library.h"

namespace velmar {

class SimHid : public HidLibrary {
    Q_OBJECT
public:
    // clock: seconds since switching on, a steady clock when not given.
    explicit SimHid(sim::InstrumentConfig config, std::function<double()> clock = {}, QObject* parent = nullptr);

    void Connect() override;
    HidHandle GetHandle(uint16_t vendorId, uint16_t productId) override;
    uint16_t GetVendorID(HidHandle handle) override;
    uint16_t GetProductID(HidHandle handle) override;
    void GetVendorName(HidHandle handle, char* buffer, int size) override;
    void GetProductName(HidHandle handle, char* buffer, int size) override;
    void SetReadNotify(HidHandle, bool) override {}
    [[nodiscard]] bool Read(HidHandle handle, uint8_t* buffer) override;
    [[nodiscard]] bool Write(HidHandle handle, const uint8_t* buffer) override;

    // Takes the instrument off the bus and puts it back, as a cable would.
    void Unplug();
    void Plug();
    sim::VirtualInstrument& Instrument() { return *instrument_; }

private:
    void Deliver(const sim::Report& report);

    static constexpr HidHandle kHandle = 1;
    std::unique_ptr<sim::VirtualInstrument> instrument_;
    std::deque<sim::Report> received_;
    bool plugged_ = false;
    unsigned generation_ = 0;  // answers of an earlier plug are not delivered
};

}  // namespace velmar
