#pragma once
// The display refresh choice of the indicator pages and its code on the
// wire, in units of 10 ms. Shared by the PX530 and PX210 pages.

#include <array>
#include <cstdint>

#include "core/device/code_list.h"
#include "core/link/field_meta.h"

namespace velmar {

inline constexpr FieldOption kDisplayRefreshOptions[] = {
    {1, "Leggyorsabb"}, {10, "100 ms"}, {20, "200 ms"}, {30, "300 ms"}, {50, "500 ms"}, {100, "1 s"}, {200, "2 s"}};
inline constexpr auto kDisplayRefreshItems = OptionTexts<7>(kDisplayRefreshOptions);
inline constexpr auto kDisplayRefreshCodes = OptionCodes<uint8_t>(kDisplayRefreshOptions);
constexpr int kDisplayRefreshDefaultItem = 4;  // "500 ms"

// A code not in the table shows as "500 ms".
inline int DisplayRefreshIndexOf(uint8_t code) {
    return ItemOfCode(kDisplayRefreshCodes, code, kDisplayRefreshDefaultItem);
}

// Any index not in the table sends 50.
inline uint8_t DisplayRefreshCodeOf(int index) { return CodeOfItem(kDisplayRefreshCodes, index, 50); }

}  // namespace velmar
