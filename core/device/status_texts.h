#pragma once
// Texts built from the status answer.

#include <cstdint>
#include <span>
#include <string>

#include "core/device/records.h"

namespace velmar {

// Which copies of a memory block are intact: "RAM, RAMB, FRAM, FRAMB, " for
// all four, "Mindegyik hibás!" when none is.
std::string FormatMemoryStatus(uint8_t bits);

// "1 nap, 1 óra, 1 perc, 1 mp"; leading units that are zero are left out.
std::string FormatOperatingTime(uint32_t seconds);

// "004711": a serial number as every text and file name shows it, six
// digits at least.
std::string SerialText(uint32_t serial);

// "PX330-004711": device type and serial number, as the journal, the
// report and their file names name an instrument.
std::string InstrumentTag(uint16_t deviceType, uint32_t serial);

// "004711/22.07": serial number, production year and month.
std::string SerialNumberText(uint32_t serial, uint8_t year, uint8_t month);

// The instrument's error bits as the errors dialog names them.
struct ErrorBitText {
    const char* label;  // the errors dialog's label
    const char* caption;
    int bit;  // -1: no bit drives it
};
std::span<const ErrorBitText> ErrorBitTexts();
// The captions of the bits set, joined by ", "; empty when none is.
std::string ErrorBitsText(uint32_t bits);

// The unit of measured value 1 as the header shows it; nullptr where the
// status answer does not tell it.
const char* MeasuredUnit(const tRX& rx);

}  // namespace velmar
