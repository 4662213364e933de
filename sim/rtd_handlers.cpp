#include "sim/rtd_handlers.h"

#include <algorithm>
#include <cmath>

#include "core/device/number_mask.h"
#include "sim/block_handlers.h"
#include "sim/virtual_instrument.h"

namespace velmar::sim {

void InstallRtdHandlers(VirtualInstrument& vi) {
    RtdBlock& rtd = vi.Settings().rtd;
    const auto all = [](auto& io, RtdBlock& b) { RtdLayout(io, b); };
    const auto factory = [](auto& io, RtdBlock& b) { RtdDefaultsLayout(io, b); };
    vi.SetHandler(kReadRtd, Answer(rtd, all));
    vi.SetHandler(kWriteRtd, Take(rtd, all));
    vi.SetHandler(kRtdDefaults, Defaults<RtdBlock>(factory));
}

namespace {
// Platinum sensors by IEC 60751 (Callendar-Van Dusen).
constexpr double kA = 3.9083e-3, kB = -5.775e-7, kC = -4.183e-12;
constexpr double kLeadOhm = 0.8;  // both leads of a 2-wire connection together
constexpr double kPotTrackOhm = 1000.0;

double PtResistance(double celsius, double r0) {
    double r = 1.0 + kA * celsius + kB * celsius * celsius;
    if (celsius < 0) r += kC * (celsius - 100.0) * celsius * celsius * celsius;
    return r0 * r;
}

double PtTemperature(double ohm, double r0) {
    // The quadratic part solved, then refined against the full curve.
    const double discriminant = kA * kA - 4.0 * kB * (1.0 - ohm / r0);
    double t = discriminant < 0 ? 850.0 : (-kA + std::sqrt(discriminant)) / (2.0 * kB);
    for (int i = 0; i < 3; ++i) t -= (PtResistance(t, r0) - ohm) / (r0 * kA);
    return t;
}

// What the correction points add at a temperature: straight lines between
// the points, the nearest point's correction beyond them.
double Correction(const RtdBlock& b, double celsius) {
    auto temps = b.corrTemp;
    auto plus = b.corrPlus;
    SortCorrections(temps, plus);
    const double t = celsius * 10.0;
    if (t <= temps[0]) return plus[0] / 10.0;
    for (std::size_t i = 0; i + 1 < temps.size(); ++i) {
        if (t > temps[i + 1]) continue;
        const double span = double(temps[i + 1]) - temps[i];
        if (span == 0) return plus[i + 1] / 10.0;
        return (plus[i] + (plus[i + 1] - plus[i]) * (t - temps[i]) / span) / 10.0;
    }
    return plus.back() / 10.0;
}
}  // namespace

double ShowRtdReading(const RtdBlock& b, bool pt1000, double fraction, tRX& rx) {
    const double r0 = pt1000 ? 1000.0 : 100.0;
    const bool potentiometer = b.mode == kRtdPotentiometer || b.mode == kRtdScaledPotentiometer;
    const double sensor = potentiometer ? kPotTrackOhm * fraction : PtResistance(7.0 + 36.0 * fraction, r0);
    // Two wires measure the leads as well; the stored lead resistance is
    // taken off again.
    const bool twoWires = b.wires == 2;
    const double raw = sensor + (twoWires ? kLeadOhm : 0.0);
    const double measured = raw - (twoWires ? double(b.leadResistance) : 0.0);

    double shown = measured;  // resistance, ohm
    int decimals = 2;
    double percent = fraction * 100.0;
    if (b.mode == kRtdPt) {
        const double t = PtTemperature(measured, r0);
        shown = t + Correction(b, t);
        decimals = 1;
    } else if (potentiometer) {
        const double span = double(b.potPercent100) - double(b.potPercent0);
        percent = std::isfinite(span) && std::fabs(span) > 1e-6 ? (measured - b.potPercent0) / span * 100.0 : 0.0;
        shown = percent;
        decimals = 1;
        if (b.mode == kRtdScaledPotentiometer) {
            decimals = std::min<int>(b.decimals, 4);
            const double low = b.scaleLow / std::pow(10.0, decimals), high = b.scaleHigh / std::pow(10.0, decimals);
            shown = low + (high - low) * percent / 100.0;
        }
    }
    // Settings written with a NaN in them measure nothing.
    double display = RoundHalfEven(shown * std::pow(10.0, decimals));
    display = std::isfinite(display) ? std::clamp(display, -99999.0, 999999.0) : 0.0;

    rx.uPXRT_Mode = b.mode;
    rx.bPt1000 = pt1000;
    rx.fResistance = float(raw);
    rx.fFizikaiMennyiseg = float(measured);
    rx.fValue1 = rx.fFizikaiMennyiseg;
    rx.uDecimalPoint = uint8_t(decimals);
    rx.iSkalazottKijezesiErtek = int32_t(display);
    rx.fiSkalazottKijezesiErtekPontos = float(shown);
    rx.fKimenetSzazalek = float(std::clamp(percent / 100.0, -1.0, 2.0));
    // The PX310's converter gives 21 bits over about 400 ohm (4 kohm for a Pt1000).
    rx.iRawADCData = rx.iAveragedADCData = int32_t(std::clamp(raw / (4.0 * r0), 0.0, 1.0) * 2097151.0);
    return display;
}

}  // namespace velmar::sim
