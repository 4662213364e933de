#include "sim/live_values.h"

#include <algorithm>
#include <cmath>

#include "core/device/device_types.h"
#include "core/device/status_codec.h"
#include "core/link/payload_io.h"
#include "sim/ac_input_live.h"
#include "sim/rtd_handlers.h"

namespace velmar::sim {

namespace {
constexpr double kPeriodSeconds = 20.0;
constexpr uint32_t kHoursInServiceAtStart = 1234;
constexpr uint8_t kRtdInput = 2, kAnalogOutput = 3, kLimitRelay = 5;

// The signal at a fraction of the input range, in its own unit.
double InputSignal(uint8_t type, double f) {
    switch (type) {
    case 0: return 4.0 + 16.0 * f;  // mA
    case 1: return 20.0 * f;  // mA
    case 2: return 10.0 * f;  // V
    case 3: return 5.0 * f;  // V
    default: return 2.0 + 8.0 * f;  // V
    }
}

// An output's signal for a display value, by its scale; out of the scale it
// stays at the nearer end.
float OutputSignal(const AnalogOutputBlock& o, double display) {
    const double span = double(o.scaleHigh) - double(o.scaleLow);
    double f = span == 0 ? 0 : (display - o.scaleLow) / span;
    f = std::clamp(f, 0.0, 1.0);
    return float(InputSignal(o.type, f));  // the same five signal ranges
}
}  // namespace

LiveValues::LiveValues(const InstrumentConfig& config, const InstrumentSettings& settings, FittedModules modules,
                       std::function<double()> clock)
    : config_(config), settings_(settings), modules_(modules), clock_(std::move(clock)) {}

double LiveValues::DisplayValue() const {
    const AnalogInputBlock& in = settings_.input;
    return in.scaleLow + Fraction() * (double(in.scaleHigh) - double(in.scaleLow));
}

double LiveValues::Fraction() const { return 0.5 + 0.45 * std::sin(2.0 * M_PI * clock_() / kPeriodSeconds); }

// The PX530 family has its two limit outputs built in; the others carry
// them as relay modules in their output slots.
bool LiveValues::HasLimitOutput(int output) const {
    if (IsPX530Family(config_.deviceType)) return true;
    return (output == 0 ? modules_.out1 : modules_.out2) == kLimitRelay;
}

std::vector<uint8_t> LiveValues::StatusAnswer(const std::vector<uint8_t>& request) {
    tTX tx;
    tMSys requestSys;
    BytesReader req(request);
    StatusRequestLayout(req, tx, requestSys);
    displayTest_ = tx.uTestForce;
    pwm_.Take(tx.uForce, tx.uPWM);

    const double f = Fraction();
    const AnalogInputBlock& in = settings_.input;
    double display = DisplayValue();

    tRX rx;
    tMSys sys;
    rx.uGyariSzamEv = uint8_t(config_.madeYear);
    rx.uGyariSzamHonap = uint8_t(config_.madeMonth);
    rx.uErrorBits = config_.errorBits;
    rx.bPt1000 = config_.pt1000;
    rx.uGlobalErrorCode = config_.globalError;
    rx.uInputType = in.inputType;
    rx.fFizikaiMennyiseg = float(InputSignal(in.inputType, f));
    rx.fKimenetSzazalek = float(f);
    rx.uDecimalPoint = in.decimals;
    rx.iSkalazottKijezesiErtek = int32_t(std::lround(display));
    rx.iRawADCData = int32_t(f * 8388607.0);
    rx.iAveragedADCData = rx.iRawADCData;
    rx.uCRCOKbits = rx.uCRCOKbits2 = rx.uCRCOKbits3 = 0x0F;
    rx.uAfterWriteOKbits = rx.uAfterWriteOKbits2 = rx.uAfterWriteOKbits3 = 0x0F;
    rx.uSPS = 50;
    rx.recFRAMCommon_uSizeKB = 8;
    rx.uSecondsOfOperation = kHoursInServiceAtStart * 3600u + uint32_t(clock_());
    rx.uPXOptIn = modules_.in;
    rx.uPXOptOutPrimer = modules_.out1;
    rx.uPXOptOutSecondary = modules_.out2;
    rx.uMainLoopFrequency = 25000;
    rx.uSizeInBytesFRAM1 = rx.uSizeInBytesFRAM2 = rx.uSizeInBytesFRAM3 = 512;
    rx.fValue1 = rx.fFizikaiMennyiseg;
    rx.fiSkalazottKijezesiErtekPontos = float(display);
    rx.uJelszoUser = settings_.passwords.user;
    rx.uJelszoSupervisor = settings_.passwords.supervisor;
    // The PX310 measures with the RTD input built in.
    if (config_.deviceType == 310 || modules_.in == kRtdInput)
        display = ShowRtdReading(settings_.rtd, config_.pt1000, f, rx);
    // Cycling: right, up, left, then a second with none held.
    rx.uDebounced = config_.cycleButtons ? uint8_t((1 << int(clock_()) % 4) & 0x07) : config_.buttons;

    for (int i = 0; i < 2; ++i) {
        if (!HasLimitOutput(i)) continue;
        bool on = relays_[std::size_t(i)].Update(settings_.limits[std::size_t(i)], display, clock_());
        // A test forces the output while its enable bit (4 + output) is set.
        if (tx.uLimitForceAndEnable & (0x10 << i)) on = tx.uLimitForceAndEnable & (1 << i);
        if (on) rx.uLimit |= uint8_t(1 << i);
    }
    const AnalogOutputBlock& o1 = settings_.outputs[0];
    const AnalogOutputBlock& o2 = settings_.outputs[1];
    if (modules_.out1 == kAnalogOutput) {
        rx.fPXAOKimenoFizErtek = OutputSignal(o1, display);
        rx.uAnalogueTypeFor101 = o1.type;
    }
    if (modules_.out2 == kAnalogOutput) {
        rx.fPXAOKimenoFizErtek_2 = OutputSignal(o2, display);
        rx.uAnalogueTypeFor101_2 = o2.type;
    }
    pwm_.Apply(rx.fPXAOKimenoFizErtek, rx.fPXAOKimenoFizErtek_2);
    rx.iSkalazottKijezesiErtek_2 = rx.iSkalazottKijezesiErtek;
    rx.fKimenetSzazalek_2 = rx.fKimenetSzazalek;
    if (const uint16_t t = config_.deviceType; t == 350 || t == 370)  // the TRMS converter is their input
        FillAcInputLive(rx, t, settings_.acInput, settings_.acCalibration, tx.uDirectControl, clock_());

    std::vector<uint8_t> out;
    BytesWriter w(out);
    StatusAnswerLayout(w, rx, sys);
    return out;
}

}  // namespace velmar::sim
