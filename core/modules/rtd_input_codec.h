#pragma once
// The RTD input's settings block (commands 228 to 230): the PXRT module and
// the input built into the PX310, shared by the program and the virtual
// instrument; and the lists its choices travel as.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/link/field_meta.h"
#include <utility>

namespace velmar {

constexpr uint8_t kReadRtd = 228, kRtdDefaults = 229, kWriteRtd = 230;
constexpr std::size_t kRtdBlockSize = 36;
constexpr std::size_t kRtdDefaultsBlockSize = 24;  // no potentiometer points, no lead resistance

// Input sources, the item index of the source choice.
enum RtdMode : uint8_t { kRtdPt, kRtdPotentiometer, kRtdScaledPotentiometer, kRtdResistance };
constexpr int kRtdModeCount = 4;

// The Pt item names the sensor the instrument reports, which a saved block
// does not tell: the table names both.
inline constexpr FieldOption kRtdModeOptions[] = {
    {kRtdPt, "Pt100 / Pt1000 hőmérséklet érzékelő"},
    {kRtdPotentiometer, "Potenciométer 0% - 100%"},
    {kRtdScaledPotentiometer, "Skálázott potenciométer"},
    {kRtdResistance, "Ellenállás"},
};
inline constexpr FieldOption kRtdWiringOptions[] = {{4, "4 vezeték"}, {3, "3 vezeték"}, {2, "2 vezeték"}};
// Measuring time: the wire carries tenths of a second.
inline constexpr FieldOption kRtdMeasuringTimeOptions[] = {
    {1, "0,1 másodperc"}, {2, "0,2 másodperc"}, {5, "0,5 másodperc"},
    {10, "1 másodperc"},  {20, "2 másodperc"},  {50, "5 másodperc"},
};

// The values the dialog's value editor sets, with its limits: a correction
// point at -200.0 … 800.0 °C adding -10.0 … +10.0 °C, and the scale ends.
inline constexpr FieldMeta kRtdCorrTemp =
    field::Tenths("corrTemp", "Korrekciós pont hőmérséklete").In("°C").Within(-2000, 8000);
inline constexpr FieldMeta kRtdCorrPlus = field::Tenths("corrPlus", "Korrekció").In("°C").Within(-100, 100);
inline constexpr FieldMeta kRtdScaleLow =
    field::Scaled("scaleLow", "0%-hoz tartozó számérték", "decimals").Within(kEditorLow, kEditorHigh);
inline constexpr FieldMeta kRtdScaleHigh =
    field::Scaled("scaleHigh", "100%-hoz tartozó számérték", "decimals").Within(kEditorLow, kEditorHigh);

struct RtdBlock {
    uint8_t wires = 4;  // 4, 3 or 2 wires to the sensor
    uint8_t averageCount = 10;  // measuring time in tenths of a second
    uint8_t mode = kRtdPt;
    // Correction points of a calibrated sensor, tenths of a degree: the
    // temperature of each point and what is added to the reading there.
    std::array<int16_t, 3> corrTemp{0, 1000, 2000};
    std::array<int16_t, 3> corrPlus{};
    float potPercent0 = 0.0f;  // potentiometer resistance at 0 %, ohm
    float potPercent100 = 1000.0f;
    uint8_t decimals = 1;  // of the scaled potentiometer value
    int32_t scaleLow = 0;  // scaled value at 0 %, implied decimals
    int32_t scaleHigh = 1000;
    float leadResistance = 0.0f;  // subtracted in 2-wire measuring, ohm

    bool operator==(const RtdBlock&) const = default;
};

namespace rtd_detail {
template <class IO>
void Head(IO& io, RtdBlock& b) {
    using namespace field;
    io.U8(b.wires, Choice("wires", "Jelforrás bekötése", 2, 4, kRtdWiringOptions));
    io.U8(b.averageCount, Choice("averageCount", "Mérési idő", 1, 50, kRtdMeasuringTimeOptions));
    io.U8(b.mode, Choice("mode", "Bemeneti jelforrás", 0, kRtdModeCount - 1, kRtdModeOptions));
    for (auto& t : b.corrTemp) io.S16(t, kRtdCorrTemp);
    for (auto& c : b.corrPlus) io.S16(c, kRtdCorrPlus);
}
template <class IO>
void Scale(IO& io, RtdBlock& b) {
    using namespace field;
    io.U8(b.decimals, Code("decimals", "Tizedesjegyek", 0, 4));
    io.S32(b.scaleLow, kRtdScaleLow);
    io.S32(b.scaleHigh, kRtdScaleHigh);
}
}  // namespace rtd_detail

// Answer to the read, request of the write.
template <class IO>
void RtdLayout(IO& io, RtdBlock& b) {
    rtd_detail::Head(io, b);
    io.F32(b.potPercent0, field::Code("potPercent0", "Potenciométer 0%", 0, 1e6).In("ohm"));
    io.F32(b.potPercent100, field::Code("potPercent100", "Potenciométer 100%", 0, 1e6).In("ohm"));
    rtd_detail::Scale(io, b);
    io.F32(b.leadResistance, field::Code("leadResistance", "Tárolt vezetékellenállás", 0, 1e4).In("ohm"));
}

// Answer to the factory defaults: the points measured on the site (the
// potentiometer's ends, the leads) are not the factory's to reset.
template <class IO>
void RtdDefaultsLayout(IO& io, RtdBlock& b) {
    rtd_detail::Head(io, b);
    rtd_detail::Scale(io, b);
}

// Wiring choice: item 0 is 4 wires, item 2 is 2 wires.
inline int RtdWiringIndexOf(uint8_t wires) { return 4 - int(wires); }
inline uint8_t RtdWiresOf(int index) { return uint8_t(4 - index); }

// Measuring time choice and the averaging count on the wire.
inline constexpr auto kRtdAverageCounts = OptionCodes<uint8_t>(kRtdMeasuringTimeOptions);

// A count not in the list shows as one second.
inline int RtdAverageIndexOf(uint8_t count) {
    for (std::size_t i = 0; i < kRtdAverageCounts.size(); ++i)
        if (kRtdAverageCounts[i] == count) return int(i);
    return 3;
}

// No choice, or one not in the list, goes out as one second.
inline uint8_t RtdAverageCountOf(int index) {
    return index >= 0 && index < int(kRtdAverageCounts.size()) ? kRtdAverageCounts[std::size_t(index)] : 10;
}

// The instrument interpolates between the points in ascending order of
// temperature; each correction travels with its temperature, and points of
// equal temperature keep the order the user gave them.
inline void SortCorrections(std::array<int16_t, 3>& temps, std::array<int16_t, 3>& plus) {
    for (std::size_t i = 1; i < temps.size(); ++i)
        for (std::size_t j = i; j > 0 && temps[j - 1] > temps[j]; --j) {
            std::swap(temps[j - 1], temps[j]);
            std::swap(plus[j - 1], plus[j]);
        }
}

// Mask and unit of the measured input values the status answer shows: the
// unit of an analog input's signal, or ohm with the resolution of the RTD
// input. An empty mask means the general format.
struct LiveFormat {
    const char* mask;
    const char* unit;
};
inline LiveFormat LiveInputFormat(uint8_t optIn, uint16_t device, uint8_t inputType, bool pt1000) {
    LiveFormat f{"", ""};
    if (optIn == 1 && inputType <= 4) f.unit = inputType <= 1 ? "mA" : "V";
    // The module reports a finer resolution than the PX310's own input.
    if (optIn == 2) return {pt1000 ? "#0.00" : "#0.000", "ohm"};
    if (device == 310) return {pt1000 ? "#0.0" : "#0.00", "ohm"};
    return f;
}

}  // namespace velmar
