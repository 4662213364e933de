#include "transport/sim_hid.h"

#include <QTimer>
#include <cstring>

namespace velmar {

SimHid::SimHid(sim::InstrumentConfig config, std::function<double()> clock, QObject* parent)
    : HidLibrary(parent), instrument_(std::make_unique<sim::VirtualInstrument>(config, std::move(clock))) {}

void SimHid::Connect() { Plug(); }

void SimHid::Plug() {
    if (plugged_) return;
    plugged_ = true;
    ++generation_;
    QTimer::singleShot(0, this, [this] { emit hidEvent(kHidPlugged, kHandle); });
}

void SimHid::Unplug() {
    if (!plugged_) return;
    plugged_ = false;
    ++generation_;
    received_.clear();
    QTimer::singleShot(0, this, [this] { emit hidEvent(kHidUnplugged, kHandle); });
}

HidHandle SimHid::GetHandle(uint16_t vendorId, uint16_t productId) {
    return plugged_ && vendorId == kVendorId && productId == kProductId ? kHandle : 0;
}

uint16_t SimHid::GetVendorID(HidHandle handle) { return handle == kHandle ? kVendorId : 0; }
uint16_t SimHid::GetProductID(HidHandle handle) { return handle == kHandle ? kProductId : 0; }

namespace {
void CopyName(const char* name, char* buffer, int size) {
    if (size <= 0) return;
    std::strncpy(buffer, name, std::size_t(size) - 1);
    buffer[size - 1] = 0;
}
}  // namespace

void SimHid::GetVendorName(HidHandle handle, char* buffer, int size) {
    CopyName(handle == kHandle ? "Velmar" : "", buffer, size);
}

void SimHid::GetProductName(HidHandle handle, char* buffer, int size) {
    CopyName(handle == kHandle ? "Virtual instrument" : "", buffer, size);
}

bool SimHid::Read(HidHandle handle, uint8_t* buffer) {
    if (handle != kHandle || received_.empty()) return false;
    std::memcpy(buffer, received_.front().data(), kReportSize);
    received_.pop_front();
    return true;
}

bool SimHid::Write(HidHandle handle, const uint8_t* buffer) {
    if (handle != kHandle || !plugged_) return false;
    auto answer = instrument_->HandleReport(buffer);
    if (!answer) return true;  // lost on the wire
    const unsigned generation = generation_;
    QTimer::singleShot(instrument_->Config().latencyMs, this, [this, generation, a = *answer] {
        if (generation == generation_) Deliver(a);
    });
    return true;
}

void SimHid::Deliver(const sim::Report& report) {
    received_.push_back(report);
    emit hidEvent(kHidReportReceived, kHandle);
}

}  // namespace velmar
