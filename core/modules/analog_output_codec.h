#pragma once
// The analog output module's settings block (commands 203 to 206 and 212),
// shared by the program and the virtual instrument.

#include <cstdint>

#include "core/link/field_meta.h"
#include "core/modules/signal_options.h"

namespace velmar {

constexpr uint8_t kReadAnalogOutput1 = 203, kWriteAnalogOutput1 = 204;
constexpr uint8_t kReadAnalogOutput2 = 205, kWriteAnalogOutput2 = 206;
constexpr uint8_t kAnalogOutputDefaults = 212;
constexpr std::size_t kAnalogOutputBlockSize = 12;

// The scale ends with what the dialog's value editor lets them take.
inline constexpr FieldMeta kAnalogOutputScaleLow =
    field::InMeasured("scaleLow", "Alsó értékhez tartozó skálázott bemenő jel").Within(kEditorLow, kEditorHigh);
inline constexpr FieldMeta kAnalogOutputScaleHigh =
    field::InMeasured("scaleHigh", "Felső értékhez tartozó skálázott bemenő jel").Within(kEditorLow, kEditorHigh);

struct AnalogOutputBlock {
    uint8_t type = 0;  // 0 4-20 mA, 1 0-20 mA, 2 0-10 V, 3 0-5 V, 4 2-10 V
    int32_t scaleLow = 0;  // measured value at the output's low end, implied decimals
    int32_t scaleHigh = 10000;
    bool errorHigh = false;  // an error drives the output to its high end
    bool errorDisabled = false;
    uint8_t source = 1;  // measured value 1 or 2
};

template <class IO>
void AnalogOutputLayout(IO& io, AnalogOutputBlock& b) {
    using namespace field;
    io.U8(b.type, Choice("type", "Típus", 0, 4, kSignalTypeOptions));
    io.S32(b.scaleLow, kAnalogOutputScaleLow);
    io.S32(b.scaleHigh, kAnalogOutputScaleHigh);
    io.Bool(b.errorHigh, Code("errorHigh", "Magas szint jelzi a hibát", 0, 1));
    io.Bool(b.errorDisabled, Code("errorDisabled", "Hibajelzés bekapcsolva", 0, 1).Inverted());
    io.U8(b.source, Choice("source", "Bemenő jel forrása", 1, 2, kSourceValueOptions));
}

}  // namespace velmar
