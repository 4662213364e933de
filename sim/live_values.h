#pragma once
// The live side of the virtual instrument: a measured signal that follows a
// slow waveform across the input's range, and what the status answer derives
// from it through the instrument's settings.

#include <cstdint>
#include <functional>
#include <vector>

#include "sim/instrument_config.h"
#include "sim/instrument_settings.h"
#include "sim/limit_relay.h"
#include "sim/pwm_output.h"

namespace velmar::sim {

struct FittedModules {
    uint8_t in = 0, out1 = 0, out2 = 0;
};

class LiveValues {
public:
    // clock: seconds since the instrument was switched on.
    LiveValues(const InstrumentConfig& config, const InstrumentSettings& settings, FittedModules modules,
               std::function<double()> clock);

    // The 106-byte answer to the status command; the request may force the
    // limit outputs for a test.
    std::vector<uint8_t> StatusAnswer(const std::vector<uint8_t>& request = {});

    // A limit output's settings were written: it starts afresh.
    void LimitWritten(int output) { relays_.at(std::size_t(output)).Reset(); }

    void SetModules(FittedModules modules) { modules_ = modules; }
    // The displayed value now, in display units with the input's decimals implied.
    double DisplayValue() const;

    // Position of the signal in its range now, 0..1.
    double Fraction() const;

    // The display test pattern the host asks for, 0 while no test runs.
    uint8_t DisplayTestPattern() const { return displayTest_; }

    // The analog output as the host drives it directly for calibration.
    PwmOutput& Pwm() { return pwm_; }

private:
    const InstrumentConfig& config_;
    const InstrumentSettings& settings_;
    FittedModules modules_;
    std::function<double()> clock_;
    bool HasLimitOutput(int output) const;

    std::array<LimitRelay, 2> relays_{};
    uint8_t displayTest_ = 0;
    PwmOutput pwm_;
};

}  // namespace velmar::sim
