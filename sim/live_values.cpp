#include "sim/live_values.h"

#include <cmath>

#include "device/status_codec.h"
#include "link/payload_io.h"

namespace velmar::sim {

namespace {
constexpr double kPeriodSeconds = 20.0;
constexpr uint32_t kHoursInServiceAtStart = 1234;
}  // namespace

LiveValues::LiveValues(const InstrumentConfig& config, uint8_t optIn, uint8_t optOut1, uint8_t optOut2,
                       std::function<double()> clock)
    : config_(config), optIn_(optIn), optOut1_(optOut1), optOut2_(optOut2), clock_(std::move(clock)) {}

double LiveValues::Fraction() const {
    return 0.5 + 0.45 * std::sin(2.0 * M_PI * clock_() / kPeriodSeconds);
}

std::vector<uint8_t> LiveValues::StatusAnswer() const {
    const double f = Fraction();
    tRX rx;
    tMSys sys;
    rx.uGyariSzamEv = uint8_t(config_.madeYear);
    rx.uGyariSzamHonap = uint8_t(config_.madeMonth);
    // A 4-20 mA input scaled to 0.0 .. 100.0 on the display.
    rx.uInputType = 0;
    rx.fFizikaiMennyiseg = float(4.0 + 16.0 * f);
    rx.fKimenetSzazalek = float(f);
    rx.uDecimalPoint = 1;
    rx.iSkalazottKijezesiErtek = int32_t(std::lround(f * 1000.0));
    rx.iRawADCData = int32_t(f * 8388607.0);
    rx.iAveragedADCData = rx.iRawADCData;
    rx.uCRCOKbits = rx.uCRCOKbits2 = rx.uCRCOKbits3 = 0x0F;
    rx.uAfterWriteOKbits = rx.uAfterWriteOKbits2 = rx.uAfterWriteOKbits3 = 0x0F;
    rx.uSPS = 50;
    rx.recFRAMCommon_uSizeKB = 8;
    rx.uSecondsOfOperation = kHoursInServiceAtStart * 3600u + uint32_t(clock_());
    rx.uPXOptIn = optIn_;
    rx.uPXOptOutPrimer = optOut1_;
    rx.uPXOptOutSecondary = optOut2_;
    // A limit relay switches on in the upper fifth of the range.
    rx.uLimit = f > 0.8 ? (optOut1_ == 5 ? 0x01 : 0) | (optOut2_ == 5 ? 0x02 : 0) : 0;
    rx.uMainLoopFrequency = 25000;
    rx.uSizeInBytesFRAM1 = rx.uSizeInBytesFRAM2 = rx.uSizeInBytesFRAM3 = 512;
    rx.fValue1 = rx.fFizikaiMennyiseg;
    rx.fiSkalazottKijezesiErtekPontos = float(f * 100.0);
    // Analog outputs follow the measured value as 4-20 mA.
    rx.fPXAOKimenoFizErtek = optOut1_ == 3 ? float(4.0 + 16.0 * f) : 0.0f;
    rx.fPXAOKimenoFizErtek_2 = optOut2_ == 3 ? float(4.0 + 16.0 * f) : 0.0f;
    rx.iSkalazottKijezesiErtek_2 = rx.iSkalazottKijezesiErtek;
    rx.fKimenetSzazalek_2 = rx.fKimenetSzazalek;

    std::vector<uint8_t> out;
    BytesWriter w(out);
    StatusAnswerLayout(w, rx, sys);
    return out;
}

}  // namespace velmar::sim
