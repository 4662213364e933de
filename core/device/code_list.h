#pragma once
// A choice shown as a list whose items travel as codes: the item of a
// received code, and the code of a chosen item, each with the fallback the
// instrument family uses for whatever is not in the list.

#include <array>
#include <cstdint>
#include <type_traits>

namespace velmar {

template <class Code, std::size_t N>
int ItemOfCode(const std::array<Code, N>& codes, std::type_identity_t<Code> code, int fallbackItem) {
    for (std::size_t i = 0; i < N; ++i)
        if (codes[i] == code) return int(i);
    return fallbackItem;
}

template <class Code, std::size_t N>
Code CodeOfItem(const std::array<Code, N>& codes, int item, std::type_identity_t<Code> fallbackCode) {
    return item >= 0 && item < int(N) ? codes[std::size_t(item)] : fallbackCode;
}

}  // namespace velmar
