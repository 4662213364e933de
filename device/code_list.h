#pragma once
// A choice shown as a list whose items travel as codes: the item of a
// received code, and the code of a chosen item, each with the fallback the
// instrument family uses for whatever is not in the list.

#include <array>
#include <cstdint>

namespace velmar {

template <std::size_t N>
int ItemOfCode(const std::array<uint8_t, N>& codes, uint8_t code, int fallbackItem) {
    for (std::size_t i = 0; i < N; ++i)
        if (codes[i] == code) return int(i);
    return fallbackItem;
}

template <std::size_t N>
uint8_t CodeOfItem(const std::array<uint8_t, N>& codes, int item, uint8_t fallbackCode) {
    return item >= 0 && item < int(N) ? codes[std::size_t(item)] : fallbackCode;
}

}  // namespace velmar
