// The AC input of the PX350 and PX370: its settings block byte for byte
// both ways, the lists whose items travel as codes, the precise-value
// statistics, and the virtual instrument's side of it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/device/status_codec.h"
#include "core/modules/ac_input_codec.h"
#include "core/modules/ac_input_statistics.h"
#include "sim/virtual_instrument.h"
#include "tests/support/block_io.h"

using namespace velmar;
using test::Decode;
using test::Encode;
using test::Exchange;

namespace {
using Bytes = std::vector<uint8_t>;
const auto kAc = [](auto& io, AcInputBlock& b) { AcInputLayout(io, b); };
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

AcCalibrationTable DecodeTable(const Bytes& bytes, int ranges) {
    AcCalibrationTable t{};
    BytesReader r(bytes);
    AcCalibrationLayout(r, t, ranges);
    return t;
}
}  // namespace

TEST(AcInputCodec, SettingsBlockBothWays) {
    struct Case {
        const char* what;
        AcInputBlock block;
        Bytes bytes;
    } cases[] = {
        {"PX350, 250 V TRMS, noise gate 0.5",
         {128, 1, 10, 2, 2, false, 0.0f, 0.5f},
         {0x80, 0x00, 0x01, 0x0A, 0x02, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F}},
        {"PX370 with a transformer of 100",
         {256, 4, 50, 3, 4, true, 100.0f, 0.0f},
         {0x00, 0x01, 0x04, 0x32, 0x03, 0x04, 0x01, 0x00, 0x00, 0xC8, 0x42, 0x00, 0x00, 0x00, 0x00}},
        {"PX370 without one",
         {4096, 32, 1, 1, 8, false, 1.0f, 2.5f},
         {0x00, 0x10, 0x20, 0x01, 0x01, 0x08, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x20, 0x40}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.block, kAc), c.bytes) << c.what;
        EXPECT_EQ(Decode<AcInputBlock>(c.bytes, kAc), c.block) << c.what;
    }
    EXPECT_EQ(kAcInputBlockSize, cases[0].bytes.size());

    // Any non-zero transformer byte reads as fitted; a short answer leaves
    // the rest at 0.
    const auto cut = Decode<AcInputBlock>({0x40, 0x00, 0x02, 0x05, 0x06, 0x01, 0x7F}, kAc);
    EXPECT_TRUE(cut.transformer);
    EXPECT_EQ(cut.oversampling, 64);
    EXPECT_EQ(cut.range, 6);
    EXPECT_EQ(cut.ratio, 0.0f);
    EXPECT_EQ(cut.noiseGate, 0.0f);
}

TEST(AcInputCodec, CalibrationTablesOfBothModels) {
    Bytes answer;
    for (int i = 0; i < 14; ++i) {
        const int16_t v = i == 0 ? kUncalibrated : int16_t(-1000 + 1234 * i);
        answer.push_back(uint8_t(v));
        answer.push_back(uint8_t(uint16_t(v) >> 8));
    }
    const AcCalibrationTable px350 = DecodeTable(answer, 7);
    EXPECT_EQ(px350[0], kUncalibrated);
    EXPECT_EQ(px350[1], 234);
    EXPECT_EQ(px350[13], -1000 + 1234 * 13);
    const AcCalibrationTable px370 = DecodeTable(answer, 6);
    EXPECT_EQ(px370[11], -1000 + 1234 * 11);
    EXPECT_EQ(px370[12], 0) << "the PX370 has six ranges";

    const AcCalibrationTable cut = DecodeTable(Bytes{0xD2, 0x04, 0x2E}, 7);
    EXPECT_EQ(cut[0], 1234);
    EXPECT_EQ(cut[1], 0x2E);
    EXPECT_EQ(cut[2], 0);
}

TEST(AcInputCodec, ConverterSettingsAndTheirFallbacks) {
    struct Case {
        const char* setting;
        int wire;
        int item;  // the item a read shows for the wire value
    } reads[] = {
        {"clock", 1, 0}, {"clock", 8, 3}, {"clock", 3, 0}, {"clock", 0, 0}, {"osr", 64, 0}, {"osr", 4096, 6},
        {"osr", 100, 1}, {"osr", 0, 1},   {"gain", 1, 0},  {"gain", 32, 5}, {"gain", 3, 0}, {"gain", 255, 0},
    };
    for (const auto& c : reads) {
        const std::string s = c.setting;
        const int item = s == "clock" ? AcClockItemOf(uint8_t(c.wire))
                         : s == "osr" ? AcOversamplingItemOf(uint16_t(c.wire))
                                      : AcGainItemOf(uint8_t(c.wire));
        EXPECT_EQ(item, c.item) << c.setting << " " << c.wire;
    }
    struct Write {
        const char* setting;
        int item;
        int wire;
    } writes[] = {
        {"clock", 1, 2},  {"clock", 3, 8}, {"clock", -1, 1}, {"clock", 4, 1}, {"osr", 1, 128}, {"osr", 6, 4096},
        {"osr", -1, 256}, {"osr", 7, 256}, {"gain", 5, 32},  {"gain", -1, 1}, {"gain", 6, 1},
    };
    for (const auto& c : writes) {
        const std::string s = c.setting;
        const int wire = s == "clock" ? AcClockOf(c.item) : s == "osr" ? AcOversamplingOf(c.item) : AcGainOf(c.item);
        EXPECT_EQ(wire, c.wire) << c.setting << " item " << c.item;
    }
}

TEST(AcInputCodec, RangeCodesByModelAndVariant) {
    struct Case {
        uint16_t device;
        bool shunt;
        uint8_t code;
        int item;  // beyond the list: its last item; below 0: none
        uint8_t codeWrittenBack;
    } cases[] = {
        {350, false, 1, 0, 1}, {350, false, 7, 6, 7}, {350, false, 0, -1, 0},
        {350, false, 9, 8, 0}, {370, false, 1, 0, 1}, {370, false, 4, 3, 4},
        {370, false, 5, 4, 0}, {370, true, 5, 0, 5},  {370, true, 6, 1, 6},
        {370, true, 4, -1, 0}, {370, true, 2, -3, 0}, {350, true, 2, 1, 2},  // the shunt variant is the PX370's only
    };
    for (const auto& c : cases) {
        const AcRangeList& list = AcRangesOf(c.device, c.shunt);
        EXPECT_EQ(AcRangeItemOf(list, c.code), c.item) << c.device << c.shunt << " code " << int(c.code);
        EXPECT_EQ(AcRangeCodeOf(list, c.item), c.codeWrittenBack) << c.device << c.shunt << " code " << int(c.code);
    }
    EXPECT_EQ(AcCalibrationRanges(350), 7);
    EXPECT_EQ(AcCalibrationRanges(370), 6);
}

TEST(AcInputStatistics, ExtremesAndDeviationFollowThePreciseValue) {
    tRX rx;
    ClearPreciseStatistics(rx);
    // Before any zeroing the reference is 0: the deviation reads 100 %.
    for (float v : {230.0f, 229.5f, 231.25f}) {
        rx.fiSkalazottKijezesiErtekPontos = v;
        TrackPreciseValue(rx);
    }
    EXPECT_EQ(rx.fDeltaMin, 229.5f) << "starts with the first value, not with 0";
    EXPECT_EQ(rx.fDeltaMax, 231.25f);
    EXPECT_EQ(rx.fHibaSzazalek, 100.0f);
    EXPECT_EQ(rx.fHibaSzazalekMin, 100.0f);

    rx.fiSkalazottKijezesiErtekPontos = 200.0f;
    ZeroPreciseStatistics(rx);
    EXPECT_EQ(rx.fValueAtZero, 200.0f);
    EXPECT_EQ(rx.fDeltaMin, 200.0f);
    EXPECT_EQ(rx.fHibaSzazalekMax, 0.0f) << "the old 100 % does not outlive the zeroing";
    for (float v : {202.0f, 199.0f, kNaN, 200.5f}) {
        rx.fiSkalazottKijezesiErtekPontos = v;
        TrackPreciseValue(rx);
    }
    // A value that is not a number restarts the extremes with the next one.
    EXPECT_EQ(rx.fDeltaMin, 200.5f);
    EXPECT_EQ(rx.fDeltaMax, 200.5f);
    EXPECT_FLOAT_EQ(rx.fHibaSzazalek, 0.25f);
    EXPECT_FLOAT_EQ(rx.fHibaSzazalekMin, 0.25f);

    EXPECT_FLOAT_EQ(DeviationPercent(101.0f, 100.0f), 1.0f);
    EXPECT_EQ(DeviationPercent(5.0f, 0.0001f), 100.0f) << "no reference to speak of";
    EXPECT_FLOAT_EQ(DeviationPercent(-25.0f, -50.0f), -50.0f);
}

TEST(AcInputInstrument, KeepsTheBlockAndTheCalibrationPoints) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 350;
    sim::VirtualInstrument vi(cfg);
    const Bytes factory = Exchange(vi, kAcInputDefaults, {}, 350);
    EXPECT_EQ(Decode<AcInputBlock>(factory, kAc), AcInputBlock{});
    EXPECT_EQ(Exchange(vi, kReadAcInput, {}, 350), factory);
    const Bytes written{0x00, 0x02, 0x08, 0x14, 0x05, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F};
    EXPECT_TRUE(Exchange(vi, kWriteAcInput, written, 350).empty());
    EXPECT_EQ(Exchange(vi, kReadAcInput, {}, 350), written);
    EXPECT_EQ(vi.Settings().acInput.averaging, 20);
    EXPECT_EQ(Exchange(vi, kAcInputDefaults, {}, 350), factory);

    // Factory table: all calibrated but the last range of each model.
    AcCalibrationTable t = DecodeTable(Exchange(vi, kPX350CalRead, {}, 350), 7);
    EXPECT_NE(t[0], kUncalibrated);
    EXPECT_EQ(t[12], kUncalibrated);
    EXPECT_EQ(t[13], kUncalibrated);
    EXPECT_EQ(Exchange(vi, kPX350CalRead, {}, 350).size(), 28u);
    EXPECT_EQ(Exchange(vi, kPX370CalRead, {}, 350).size(), 24u);

    Exchange(vi, kPX350CalZero, {7}, 350);
    t = DecodeTable(Exchange(vi, kPX350CalRead, {}, 350), 7);
    EXPECT_NE(t[12], kUncalibrated) << "zero point of range 7 taken";
    EXPECT_EQ(t[13], kUncalibrated);
    Exchange(vi, kPX350CalNominal, {7}, 350);
    EXPECT_NE(DecodeTable(Exchange(vi, kPX350CalRead, {}, 350), 7)[13], kUncalibrated);

    // Ranges a model does not have change nothing, and write nowhere.
    const AcCalibrationTable before = vi.Settings().acCalibration;
    for (auto [command, range] :
         {std::pair{kPX350CalZero, 0}, {kPX350CalNominal, 8}, {kPX370CalZero, 7}, {kPX370CalNominal, 255}})
        Exchange(vi, command, {uint8_t(range)}, 350);
    Exchange(vi, kPX350CalZero, {}, 350);
    EXPECT_EQ(vi.Settings().acCalibration, before);
}

TEST(AcInputInstrument, LiveValuesMoveAndTheStatusBitsComeAndGo) {
    double now = 5.0;
    sim::InstrumentConfig cfg;
    cfg.deviceType = 350;
    sim::VirtualInstrument vi(cfg, [&] { return now; });
    auto status = [&](uint8_t directControl = 0) {
        Bytes request;
        BytesWriter w(request);
        tTX tx;
        tMSys sys;
        tx.uDirectControl = directControl;
        StatusRequestLayout(w, tx, sys);
        const Bytes answer = vi.Live().StatusAnswer(request);
        tRX rx;
        BytesReader r(answer);
        StatusAnswerLayout(r, rx, sys);
        return rx;
    };
    struct Case {
        double at;
        uint8_t directControl;
        uint8_t bits;
        bool near50Hz;
    } cases[] = {
        {0.5, 0, 0x10, true},  // the converter is not set up yet
        {5.0, 0, 0x00, true},   {42.0, 0, 0x09, false},  // signal lost: frequency too low, no AC component
        {47.0, 0, 0x02, false},  // frequency too high
        {5.0, 7, 0x28, false},  // calibrating the 600 V DC range: no AC, not calibrated
        {5.0, 4, 0x08, false},
    };
    for (const auto& c : cases) {
        now = c.at;
        const tRX rx = status(c.directControl);
        EXPECT_EQ(rx.uSlaveStatusBits, c.bits) << c.at << " s, range " << int(c.directControl);
        EXPECT_EQ(std::fabs(rx.fResistance - 50.0f) < 0.1f, c.near50Hz) << c.at;
        EXPECT_EQ(rx.uInputType, c.directControl ? c.directControl : 2);
        EXPECT_LE(rx.iRawADCData, rx.iAveragedADCData);
        EXPECT_GE(rx.iRawADCData, -32768);
        EXPECT_LE(rx.iAveragedADCData, 32767);
    }

    now = 5.0;
    const tRX first = status();
    now = 6.0;
    const tRX second = status();
    EXPECT_NE(first.fiSkalazottKijezesiErtekPontos, second.fiSkalazottKijezesiErtekPontos) << "the value moves";
    EXPECT_GT(second.fiSkalazottKijezesiErtekPontos, 0.3f * 250) << "in the 250 V range";
    EXPECT_LT(second.fiSkalazottKijezesiErtekPontos, 0.95f * 250);
    EXPECT_EQ(second.uGain, 1);

    // A noise gate above the signal shuts it off.
    vi.Settings().acInput.noiseGate = 1000.0f;
    const tRX gated = status();
    EXPECT_EQ(gated.fiSkalazottKijezesiErtekPontos, 0.0f);
    EXPECT_EQ(gated.uSlaveStatusBits & 0x04, 0x04);
}
