#include "sim/ac_input_live.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velmar::sim {

namespace {
constexpr double kCycleSeconds = 60.0;
constexpr double kLostFrom = 40.0, kTooHighFrom = 45.0, kNormalAgainFrom = 50.0;
constexpr double kStartupSeconds = 2.0;  // the converter is set up after switching on

struct Range {
    double nominal;  // in the measured value's unit
    bool dc;
    uint8_t decimals;
};
// PX350: 125, 250, 450 V AC, 75 ... 600 V DC; PX370: 1 ... 10 A, 60 and 150 mV.
constexpr std::array<Range, 7> kPX350{
    {{125, false, 1}, {250, false, 1}, {450, false, 1}, {75, true, 2}, {150, true, 1}, {300, true, 1}, {600, true, 1}}};
constexpr std::array<Range, 6> kPX370{
    {{1, false, 3}, {2.5, false, 3}, {5, false, 3}, {10, false, 2}, {0.06, false, 4}, {0.15, false, 4}}};
}  // namespace

void FillAcInputLive(tRX& rx, uint16_t deviceType, const AcInputBlock& settings, const AcCalibrationTable& table,
                     uint8_t directControl, double seconds) {
    const int ranges = AcCalibrationRanges(deviceType);
    int range = directControl >= 1 && directControl <= ranges ? directControl : settings.range;
    if (range < 1 || range > ranges) range = 1;
    const Range& r = deviceType == 370 ? kPX370[std::size_t(range - 1)] : kPX350[std::size_t(range - 1)];

    const double phase = std::fmod(seconds, kCycleSeconds);
    const bool lost = phase >= kLostFrom && phase < kTooHighFrom;
    const bool tooHigh = phase >= kTooHighFrom && phase < kNormalAgainFrom;
    const double level = lost ? 0.0 : 0.6 + 0.3 * std::sin(2.0 * M_PI * seconds / 20.0);
    double value = r.nominal * level * (1.0 + 0.0004 * std::sin(7.3 * seconds));
    // A current transformer multiplies what the PX370 measures.
    if (deviceType == 370 && settings.transformer && std::isfinite(settings.ratio) && settings.ratio > 0)
        value *= settings.ratio;

    uint8_t bits = 0;
    double frequency = 50.0 + 0.05 * std::sin(seconds / 7.0);
    if (tooHigh) frequency = 1200.0;
    if (lost || r.dc) frequency = 0.0;
    if (lost) bits |= 0x01;  // frequency too low
    if (tooHigh) bits |= 0x02;  // frequency too high
    if (lost || r.dc) bits |= 0x08;  // no AC component
    if (seconds < kStartupSeconds) bits |= 0x10;
    const std::size_t at = std::size_t(2 * (range - 1));
    if (table[at] == kUncalibrated || table[at + 1] == kUncalibrated) bits |= 0x20;
    if (value < settings.noiseGate) {  // below the noise gate it shows 0
        value = 0.0;
        bits |= 0x04;
    }

    // The converter's lowest and highest sample and its DC average; the
    // gain drives it harder, up to its limits.
    const double gain = std::max<int>(settings.gain, 1);
    const int32_t dc = r.dc ? int32_t(std::min(32767.0, level * 26000.0 * gain)) : 35;
    const int32_t peak = r.dc ? 12 : int32_t(std::min(32767.0, level * 16000.0 * gain + 12));
    rx.iRawADCData = std::max(dc - peak, -32768);
    rx.iAveragedADCData = std::min(dc + peak, 32767);
    rx.iDCAveragedMO = int16_t(std::clamp(dc, -32767, 32767));
    rx.fResistance = float(frequency);
    rx.uSlaveStatusBits = bits;
    rx.uGain = settings.gain;
    rx.uInputType = uint8_t(range);
    rx.bPt1000 = false;
    rx.uDecimalPoint = r.decimals;
    rx.fiSkalazottKijezesiErtekPontos = float(value);
    rx.fFizikaiMennyiseg = rx.fValue1 = float(value);
    rx.iSkalazottKijezesiErtek = int32_t(std::lround(value * std::pow(10.0, r.decimals)));
    rx.iSkalazottKijezesiErtek_2 = rx.iSkalazottKijezesiErtek;
}

}  // namespace velmar::sim
