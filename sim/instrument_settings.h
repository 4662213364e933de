#pragma once
// What the virtual instrument keeps of its modules' settings, and from which
// its live values follow.

#include <array>
#include <cstdint>

namespace velmar::sim {

struct AnalogInputSettings {
    uint8_t averageCount = 16;  // 200 ms
    uint8_t inputType = 0;      // 0 4-20 mA, 1 0-20 mA, 2 0-10 V, 3 0-5 V, 4 2-10 V
    uint8_t decimals = 1;
    int32_t scaleLow = 0;       // display value at the signal's low end, implied decimals
    int32_t scaleHigh = 1000;
    uint8_t rounding = 1;
};

struct AnalogOutputSettings {
    uint8_t type = 0;           // 0 4-20 mA, 1 0-20 mA, 2 0-10 V, 3 2-10 V
    int32_t low = 0;            // display value at the output's low end
    int32_t high = 1000;
    bool errorHigh = false;
};

struct LimitSettings {
    int32_t limit = 800;        // display value above which the relay switches on
    int32_t hysteresis = 10;
};

struct InstrumentSettings {
    AnalogInputSettings input;
    std::array<AnalogOutputSettings, 2> outputs{};
    std::array<LimitSettings, 2> limits{};
};

}  // namespace velmar::sim
