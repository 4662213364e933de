#pragma once
// What the virtual instrument keeps of its modules' settings, and from which
// its live values follow. The module blocks are those the commands carry.

#include <array>
#include <cstdint>

#include "modules/analog_input_codec.h"
#include "modules/analog_output_codec.h"

namespace velmar::sim {

struct LimitSettings {
    int32_t limit = 8000;  // display value above which the relay switches on
    int32_t hysteresis = 100;
};

struct InstrumentSettings {
    AnalogInputBlock input;
    std::array<AnalogOutputBlock, 2> outputs{};
    std::array<LimitSettings, 2> limits{};
};

}  // namespace velmar::sim
