#include "sim/pwm_output.h"

#include "core/device/service_commands.h"
#include "core/link/payload_io.h"
#include "sim/virtual_instrument.h"

namespace velmar::sim {

namespace {
constexpr uint8_t kForce = 0x01, kCheck12mA = 0x04, kCheck5V = 0x08, kSecondBoard = 0x10;

// The straight line through two points; a board whose points coincide
// reports its low end rather than dividing by zero.
double Through(uint16_t pwm, uint16_t low, uint16_t high, double atLow, double atHigh) {
    if (low == high) return atLow;
    return atLow + (atHigh - atLow) * (double(pwm) - low) / (double(high) - low);
}
}  // namespace

double PwmOutput::Signal() const {
    // The mid-scale checks drive the board from its own calibration.
    if (force_ & kCheck12mA) return 12.0;
    if (force_ & kCheck5V) return 5.0;
    return Current() ? Through(pwm_, il_, ih_, 4.0, 20.0) : Through(pwm_, ul_, uh_, 2.0, 10.0);
}

void PwmOutput::Apply(float& slot1, float& slot2) const {
    if (!(force_ & kForce)) return;
    (force_ & kSecondBoard ? slot2 : slot1) = float(Signal());
}

uint16_t PwmOutput::StorePoint(bool high) {
    uint16_t& point = Current() ? (high ? ih_ : il_) : (high ? uh_ : ul_);
    point = pwm_;
    return point;
}

std::vector<uint8_t> PwmOutput::Points() const {
    std::vector<uint8_t> out;
    BytesWriter w(out);
    for (uint16_t p : {il_, ih_, ul_, uh_}) w.U16(p);
    return out;
}

void InstallPwmHandlers(VirtualInstrument& vi) {
    for (bool high : {false, true})
        vi.SetHandler(high ? kCalibrateOutputHigh : kCalibrateOutputLow, [&vi, high](const Payload&) {
            Payload out;
            BytesWriter(out).U16(vi.Live().Pwm().StorePoint(high));
            return out;
        });
    vi.SetHandler(kReadOutputCalibration, [&vi](const Payload&) { return vi.Live().Pwm().Points(); });
}

}  // namespace velmar::sim
