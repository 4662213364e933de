#pragma once
// The calibration constants a service-mode report lists: which read
// command carries them for an instrument, and what each constant is.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/settings_blocks.h"

namespace velmar {

struct CalibrationRead {
    uint8_t command;
    const char* caption;  // of the group, as the calibration page names it
    std::array<const char*, 4> points;  // each constant's calibration point; null after the last
};

// The reads that apply to the instrument, in the order the report lists them.
std::vector<const CalibrationRead*> CalibrationReadsOf(const InstrumentFit& fit);

struct CalibrationValue {
    std::string group, point, value;
};
// The constants of one read's answer; an answer too short gives none.
std::vector<CalibrationValue> DecodeCalibration(const CalibrationRead& read, const Bytes& answer);

}  // namespace velmar
