#pragma once
// Settings of a virtual instrument, as given on the command line of
// velmar-sim or, for the in-process instrument, of velmar-setup.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/link/frame.h"

namespace velmar::sim {

struct InstrumentConfig {
    uint16_t deviceType = 330;
    uint32_t serial = 4711;
    int madeYear = 22;  // two digits, as the instrument stores it
    int madeMonth = 7;
    VersionDate firmware{2022, 7, 21};
    // Fitted option modules; unset means the usual ones of the device type.
    std::optional<uint8_t> optIn, optOut1, optOut2;
    bool pt1000 = false;  // Pt1000 sensor; PX370: no built-in shunt
    int latencyMs = 0;
    int dropEvery = 0;  // drop every Nth answer, 0 for never
    int badCrcEvery = 0;  // corrupt the CRC of every Nth answer
    int faultEvery = 0;  // spoil every Nth answer with the next kind of fault
    std::optional<uint8_t> forcedError;  // answer every frame with this code
    uint32_t errorBits = 0;  // reported in the status answer
    uint8_t globalError = 0;  // the status answer's global error code
    uint8_t buttons = 0;  // push buttons held: bit 0 right, 1 up, 2 left
    bool cycleButtons = false;  // press right, up and left in turn, a second each
};

// Usage text of the flags ParseInstrumentFlag understands.
const char* InstrumentFlagsHelp();

// Applies one "--name=value" flag. Returns false for a flag that is not an
// instrument flag; sets *error for an instrument flag with a bad value.
[[nodiscard]] bool ParseInstrumentFlag(const std::string& arg, InstrumentConfig& config, std::string* error);

// Applies every instrument flag of a command line, ignoring the others.
// Returns the first error, empty when all were good.
std::string ParseInstrumentFlags(const std::vector<std::string>& args, InstrumentConfig& config);

}  // namespace velmar::sim
