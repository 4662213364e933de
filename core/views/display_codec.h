#pragma once
// The display settings block of the panel indicators (commands 217 to 219),
// shared by the program and the virtual instrument.

#include <cstdint>

#include "core/link/field_meta.h"
#include "core/views/display_refresh.h"

namespace velmar {

constexpr uint8_t kReadDisplay = 217, kWriteDisplay = 218, kDisplayDefaults = 219;
constexpr std::size_t kDisplayBlockSize = 3;

struct DisplayBlock {
    uint8_t brightness = 80;  // percent, 10..100 in steps of 10
    bool leadingZeros = false;
    uint8_t refresh = 50;  // display refresh period, units of 10 ms

    bool operator==(const DisplayBlock&) const = default;
};

template <class IO>
void DisplayLayout(IO& io, DisplayBlock& b) {
    using namespace field;
    io.U8(b.brightness, Code("brightness", "Kijelző fényerő", 10, 100).In("%"));
    io.Bool(b.leadingZeros, Code("leadingZeros", "Vezető nullák kijelzése", 0, 1));
    io.U8(b.refresh, Choice("refresh", "Kijelző frissítése", 0, 255, kDisplayRefreshOptions));
}

}  // namespace velmar
