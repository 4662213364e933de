#pragma once
// The analog input module's settings block (commands 201, 202, 211), shared
// by the program and the virtual instrument.

#include <array>
#include <cstdint>

#include "core/link/field_meta.h"

#include "core/device/code_list.h"
#include "core/modules/signal_options.h"

namespace velmar {

constexpr uint8_t kReadAnalogInput = 201, kWriteAnalogInput = 202, kAnalogInputDefaults = 211;
constexpr std::size_t kAnalogInputBlockSize = 12;

// The measuring time: the wire carries an averaging count, the dialog
// shows milliseconds.
inline constexpr FieldOption kMeasuringTimeOptions[] = {{1, "12"},   {5, "60"},   {8, "100"},
                                                        {16, "200"}, {24, "300"}, {40, "500"}};

// The scale ends with what the dialog's value editor lets them take.
inline constexpr FieldMeta kAnalogInputScaleLow =
    field::Scaled("scaleLow", "Skála alsó számérték", "decimals").Within(kEditorLow, kEditorHigh);
inline constexpr FieldMeta kAnalogInputScaleHigh =
    field::Scaled("scaleHigh", "Skála felső számérték", "decimals").Within(kEditorLow, kEditorHigh);

struct AnalogInputBlock {
    uint8_t averageCount = 16;  // 1, 5, 8, 16, 24 or 40 samples
    uint8_t inputType = 0;  // 0 4-20 mA, 1 0-20 mA, 2 0-10 V, 3 0-5 V, 4 2-10 V
    uint8_t decimals = 2;
    int32_t scaleLow = 0;  // display value at the signal's low end, implied decimals
    int32_t scaleHigh = 10000;
    uint8_t rounding = 1;
};

template <class IO>
void AnalogInputLayout(IO& io, AnalogInputBlock& b) {
    using namespace field;
    io.U8(b.averageCount, Choice("averageCount", "Mérési idő", 1, 40, kMeasuringTimeOptions).In("ms"));
    io.U8(b.inputType, Choice("inputType", "Típus", 0, 4, kSignalTypeOptions));
    io.U8(b.decimals, Code("decimals", "Tizedesjegyek", 0, 4));
    io.S32(b.scaleLow, kAnalogInputScaleLow);
    io.S32(b.scaleHigh, kAnalogInputScaleHigh);
    io.U8(b.rounding, Code("rounding", "Kerekítés", 1, 5));
}

// The measuring time choice and the averaging count on the wire.
inline constexpr auto kAverageCounts = OptionCodes<uint8_t>(kMeasuringTimeOptions);

// An unknown count shows as "300" (index 4).
inline int AverageIndexOf(uint8_t count) { return ItemOfCode(kAverageCounts, count, 4); }

// Any other index sends the longest time.
inline uint8_t AverageCountOf(int index) { return CodeOfItem(kAverageCounts, index, 40); }

}  // namespace velmar
