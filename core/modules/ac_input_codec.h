#pragma once
// The TRMS AC input of the PX350 and PX370 (commands 241 to 249): its
// settings block, the calibration table, and the lists whose items travel
// as codes. Shared by the program and the virtual instrument.

#include <array>
#include <cstdint>

#include "core/link/field_meta.h"

#include "core/device/code_list.h"

namespace velmar {

constexpr uint8_t kReadAcInput = 241, kAcInputDefaults = 242, kWriteAcInput = 243;
// Calibration of the converter per range: zero point, nominal point, table.
constexpr uint8_t kPX350CalZero = 244, kPX350CalNominal = 245, kPX350CalRead = 246;
constexpr uint8_t kPX370CalZero = 247, kPX370CalNominal = 248, kPX370CalRead = 249;
constexpr std::size_t kAcInputBlockSize = 15;

constexpr uint8_t kAveragingMin = 1, kAveragingMax = 50;  // samples of 40 ms

// The input ranges as the user sees them: the PX350's seven, then the
// PX370's four current ranges and the two of its shunt variant. The models
// read the codes differently.
inline constexpr FieldOption kAcRangeOptions[] = {
    {1, "125 V TRMS", 350},  {2, "250 V TRMS", 350}, {3, "450 V TRMS", 350}, {4, "75 V DC", 350},
    {5, "150 V DC", 350},    {6, "300 V DC", 350},   {7, "600 V DC", 350},   {1, "1 A TRMS", 370},
    {2, "2,5 A TRMS", 370},  {3, "5 A TRMS", 370},   {4, "10 A TRMS", 370},  {5, "60 mV TRMS", 370},
    {6, "150 mV TRMS", 370},
};

struct AcInputBlock {
    uint16_t oversampling = 128;  // converter oversampling ratio
    uint8_t gain = 1;  // converter gain
    uint8_t averaging = 10;  // samples of 40 ms
    uint8_t range = 2;  // range code, by model and variant
    uint8_t clockMHz = 2;  // converter clock
    bool transformer = false;  // a current transformer is fitted
    float ratio = 1.0f;  // its ratio; the shunt variant: nominal shunt current, A
    float noiseGate = 0.0f;  // in the unit of the measured value

    bool operator==(const AcInputBlock&) const = default;
};

template <class IO>
void AcInputLayout(IO& io, AcInputBlock& b) {
    using namespace field;
    io.U16(b.oversampling, Code("oversampling", "Túlmintavételezés", 1, 65535));
    io.U8(b.gain, Code("gain", "Erősítés", 1, 255));
    io.U8(b.averaging, Code("averaging", "Átlagolt minták (* 40 ms)", kAveragingMin, kAveragingMax));
    io.U8(b.range, Choice("range", "Méréshatár", 1, 7, kAcRangeOptions));
    io.U8(b.clockMHz, Code("clockMHz", "Órajel", 1, 255).In("MHz"));
    io.Bool(b.transformer, Code("transformer", "Áramváltó", 0, 1));
    io.F32(b.ratio, Code("ratio", "Transzformátor áttétele", 0, 1e6));
    io.F32(b.noiseGate, Code("noiseGate", "Zajzár", 0, 1e6));
}

// The calibration table: per range a zero point (a) and a nominal point (b),
// converter counts. 32767 marks a point not calibrated.
constexpr int16_t kUncalibrated = 32767;
constexpr int kMaxCalibrationRanges = 7;
using AcCalibrationTable = std::array<int16_t, 2 * kMaxCalibrationRanges>;

// The table of a model with the given number of ranges: 01a, 01b, 02a, ...
template <class IO>
void AcCalibrationLayout(IO& io, AcCalibrationTable& t, int ranges) {
    for (int i = 0; i < 2 * ranges && i < int(t.size()); ++i) io.S16(t[std::size_t(i)]);
}

// --- converter settings: wire values by item, with the fallbacks the
// instrument family uses for values outside the lists.
inline constexpr std::array<uint8_t, 4> kAcClocks{1, 2, 4, 8};
inline constexpr std::array<uint16_t, 7> kAcOversampling{64, 128, 256, 512, 1024, 2048, 4096};
inline constexpr std::array<uint8_t, 6> kAcGains{1, 2, 4, 8, 16, 32};

inline int AcClockItemOf(uint8_t mhz) { return ItemOfCode(kAcClocks, mhz, 0); }
inline uint8_t AcClockOf(int item) { return CodeOfItem(kAcClocks, item, 1); }
inline int AcOversamplingItemOf(uint16_t ratio) { return ItemOfCode(kAcOversampling, ratio, 1); }
inline uint16_t AcOversamplingOf(int item) { return CodeOfItem(kAcOversampling, item, 256); }
inline int AcGainItemOf(uint8_t gain) { return ItemOfCode(kAcGains, gain, 0); }
inline uint8_t AcGainOf(int item) { return CodeOfItem(kAcGains, item, 1); }

// --- input ranges by model and variant. A range list's items carry the
// codes firstCode, firstCode + 1, ...
struct AcRangeList {
    uint8_t firstCode;
    int count;
};
inline constexpr AcRangeList kPX350Ranges{1, 7};  // 125, 250, 450 V AC; 75, 150, 300, 600 V DC
inline constexpr AcRangeList kPX370CurrentRanges{1, 4};  // 1, 2,5, 5, 10 A
inline constexpr AcRangeList kPX370ShuntRanges{5, 2};  // 60, 150 mV of an external shunt

// The ranges as the user sees them, in code order.
inline constexpr auto kPX350RangeItems = OptionTexts<7>(kAcRangeOptions);
inline constexpr auto kPX370CurrentRangeItems = OptionTexts<4>(kAcRangeOptions, 7);
inline constexpr auto kPX370ShuntRangeItems = OptionTexts<2>(kAcRangeOptions, 11);

inline const AcRangeList& AcRangesOf(uint16_t deviceType, bool shuntVariant) {
    if (deviceType == 370) return shuntVariant ? kPX370ShuntRanges : kPX370CurrentRanges;
    return kPX350Ranges;
}
// The item of a received code, for a list that takes an item beyond its end
// as its last item and one below 0 as none.
inline int AcRangeItemOf(const AcRangeList& list, uint8_t code) { return int(code) - int(list.firstCode); }
// The code of a chosen item; 0 when none is chosen, which no range has.
inline uint8_t AcRangeCodeOf(const AcRangeList& list, int item) {
    return item >= 0 && item < list.count ? uint8_t(list.firstCode + item) : 0;
}

// Ranges of the calibration tables: the PX350's seven, and the PX370's
// four current and two shunt ranges in one table.
inline int AcCalibrationRanges(uint16_t deviceType) { return deviceType == 370 ? 6 : 7; }

}  // namespace velmar
