#pragma once
// Every command the instrument knows, with the direction of its payloads.

#include <cstdint>
#include <span>

#include "core/link/frame.h"

namespace velmar {

enum class PayloadDir : uint8_t { None, Out, In, Both };

struct CommandInfo {
    uint8_t code;
    PayloadDir payload;
    const char* purpose;
    // Stores something in the instrument or acts on it (a write, a
    // calibration, an erase, a restart): such a request is meant for the
    // instrument it was asked of and no other.
    bool changesInstrument = false;
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(uint8_t code);
bool ChangesInstrument(uint8_t code);

// Oldest firmware this program accepts for a device type (newest: no limit).
VersionDate MinimumFirmwareFor(uint16_t deviceType);

}  // namespace velmar
