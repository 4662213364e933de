#pragma once
// The PX210USB's settings block (commands 234, 235, 236), shared by the
// program and the virtual instrument, with the tables that turn its codes
// into the choices of the page.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/link/field_meta.h"

#include "core/device/code_list.h"
#include "core/views/display_refresh.h"

namespace velmar {

constexpr uint8_t kReadPX210 = 234, kPX210Defaults = 235, kWritePX210 = 236;
constexpr std::size_t kPX210BlockSize = 13;

// The measuring time choice and its code on the wire.
inline constexpr FieldOption kPX210MeasuringTimeOptions[] = {
    {2, "10 ms"}, {8, "50 ms"}, {14, "100 ms"}, {26, "200 ms"}, {40, "300 ms"}, {55, "500 ms"}, {90, "1000 ms"}};

// The scale ends as far as the four-digit display and the page's digit-wise
// editor reach.
inline constexpr FieldMeta kPX210ScaleLow =
    field::Scaled("scaleLow", "Skála alsó számérték", "decimals").Within(-9999, 9999);
inline constexpr FieldMeta kPX210ScaleHigh =
    field::Scaled("scaleHigh", "Skála felső számérték", "decimals").Within(-9999, 9999);

struct PX210Block {
    bool leadingZeros = true;
    uint8_t displayRefresh = 50;  // units of 10 ms, 1 the fastest
    uint8_t measuringTime = 55;  // code of the measuring time table: 500 ms
    uint8_t decimals = 1;
    int32_t scaleLow = 0;  // displayed at 4 mA, implied decimals
    int32_t scaleHigh = 1000;  // displayed at 20 mA
    uint8_t rounding = 1;

    bool operator==(const PX210Block&) const = default;
};

template <class IO>
void PX210Layout(IO& io, PX210Block& b) {
    using namespace field;
    io.Bool(b.leadingZeros, Code("leadingZeros", "Vezető nullák kijelzése", 0, 1));
    io.U8(b.displayRefresh, Choice("displayRefresh", "Kijelző frissítése", 0, 255, kDisplayRefreshOptions));
    io.U8(b.measuringTime, Choice("measuringTime", "Mérési idő", 0, 255, kPX210MeasuringTimeOptions));
    io.U8(b.decimals, Code("decimals", "Tizedesjegyek", 0, 4));
    io.S32(b.scaleLow, kPX210ScaleLow);
    io.S32(b.scaleHigh, kPX210ScaleHigh);
    io.U8(b.rounding, Code("rounding", "Kerekítés", 1, 5));
}

inline constexpr auto kPX210MeasuringTimeItems = OptionTexts<7>(kPX210MeasuringTimeOptions);
inline constexpr auto kPX210MeasuringTimeCodes = OptionCodes<uint8_t>(kPX210MeasuringTimeOptions);
constexpr int kPX210MeasuringTimeDefaultItem = 5;  // "500 ms"

// A code not in the table shows as "500 ms".
inline int PX210MeasuringTimeIndexOf(uint8_t code) {
    return ItemOfCode(kPX210MeasuringTimeCodes, code, kPX210MeasuringTimeDefaultItem);
}

// Any index not in the table sends 500 ms.
inline uint8_t PX210MeasuringTimeCodeOf(int index) {
    return CodeOfItem(kPX210MeasuringTimeCodes, index, kPX210MeasuringTimeCodes[kPX210MeasuringTimeDefaultItem]);
}

// The scale ends are shown with at least four digits, as the instrument's
// own four-digit display does, and with the decimals chosen on the page.
struct PX210DecimalFormat {
    const char* mask;
    float divider;
};
inline constexpr std::array<PX210DecimalFormat, 5> kPX210DecimalFormats{
    {{"0000", 1.0f}, {"000.0", 10.0f}, {"00.00", 100.0f}, {"0.000", 1000.0f}, {"0.0000", 10000.0f}}};

}  // namespace velmar
