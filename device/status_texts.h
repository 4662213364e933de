#pragma once
// Texts built from the status answer.

#include <cstdint>
#include <string>

namespace velmar {

// Which copies of a memory block are intact: "RAM, RAMB, FRAM, FRAMB, " for
// all four, "Mindegyik hibás!" when none is.
std::string FormatMemoryStatus(uint8_t bits);

// "1 nap, 1 óra, 1 perc, 1 mp"; leading units that are zero are left out.
std::string FormatOperatingTime(uint32_t seconds);

// "004711/22.07": serial number, production year and month.
std::string SerialNumberText(uint32_t serial, uint8_t year, uint8_t month);

}  // namespace velmar
