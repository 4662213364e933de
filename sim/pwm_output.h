#pragma once
// The analog output under direct control: while the host's force bit is set
// the output board drives the raw PWM value of the status request, and its
// reported signal follows that value through the board's two stored
// calibration points.

#include <cstdint>
#include <vector>

namespace velmar::sim {

class VirtualInstrument;

class PwmOutput {
public:
    // The force bits and the PWM value of a status request.
    void Take(uint8_t force, uint16_t pwm) {
        force_ = force;
        pwm_ = pwm;
    }
    // Replaces the reported signal of the forced board (slot 1 or 2);
    // the other one keeps what its scale gives.
    void Apply(float& slot1, float& slot2) const;

    // The present PWM becomes the low (4 mA / 2 V) or high (20 mA / 10 V)
    // point of the output type the host last chose; returns it.
    uint16_t StorePoint(bool high);
    // The four points in the order 4 mA, 20 mA, 2 V, 10 V.
    std::vector<uint8_t> Points() const;
    void Reset() { *this = PwmOutput{}; }

private:
    bool Current() const { return force_ & 0x02; }
    double Signal() const;

    uint8_t force_ = 0;
    uint16_t pwm_ = 0;
    // A new board: roughly where an uncalibrated one lies.
    uint16_t il_ = 10000, ih_ = 50000, ul_ = 8000, uh_ = 48000;
};

// Commands 114, 115 and 116.
void InstallPwmHandlers(VirtualInstrument& vi);

}  // namespace velmar::sim
