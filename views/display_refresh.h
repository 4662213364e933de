#pragma once
// The display refresh choice of the indicator pages and its code on the
// wire, in units of 10 ms. Shared by the PX530 and PX210 pages.

#include <array>
#include <cstdint>

#include "device/code_list.h"

namespace velmar {

inline constexpr std::array<const char*, 7> kDisplayRefreshItems{"Leggyorsabb", "100 ms", "200 ms", "300 ms",
                                                                 "500 ms",      "1 s",    "2 s"};
inline constexpr std::array<uint8_t, 7> kDisplayRefreshCodes{1, 10, 20, 30, 50, 100, 200};
constexpr int kDisplayRefreshDefaultItem = 4;  // "500 ms"

// A code not in the table shows as "500 ms".
inline int DisplayRefreshIndexOf(uint8_t code) { return ItemOfCode(kDisplayRefreshCodes, code, kDisplayRefreshDefaultItem); }

// Any index not in the table sends 50.
inline uint8_t DisplayRefreshCodeOf(int index) { return CodeOfItem(kDisplayRefreshCodes, index, 50); }

}  // namespace velmar
