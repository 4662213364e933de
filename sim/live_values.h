#pragma once
// The live side of the virtual instrument: a measured value that follows a
// slow waveform, and what the status answer derives from it.

#include <cstdint>
#include <functional>
#include <vector>

#include "sim/instrument_config.h"

namespace velmar::sim {

class LiveValues {
public:
    // clock: seconds since the instrument was switched on.
    LiveValues(const InstrumentConfig& config, uint8_t optIn, uint8_t optOut1, uint8_t optOut2,
               std::function<double()> clock);

    // The 106-byte answer to the status command.
    std::vector<uint8_t> StatusAnswer() const;

    // Position of the measured value in its range, 0..1.
    double Fraction() const;

private:
    const InstrumentConfig& config_;
    uint8_t optIn_, optOut1_, optOut2_;
    std::function<double()> clock_;
};

}  // namespace velmar::sim
