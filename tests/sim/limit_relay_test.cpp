// The virtual instrument's limit outputs: each mode with its hysteresis, the
// hold, the delta modes' pulse, and a test forcing them through the status
// request.
#include <gtest/gtest.h>

#include "core/device/status_codec.h"
#include "core/link/payload_io.h"
#include "sim/limit_relay.h"
#include "sim/virtual_instrument.h"

using namespace velmar;
using namespace velmar::sim;

namespace {

// Output states for a run of values, one second apart, as "0" and "1".
std::string States(const LimitBlock& s, std::initializer_list<double> values) {
    LimitRelay relay;
    std::string out;
    double now = 0;
    for (double v : values) out += relay.Update(s, v, now++) ? '1' : '0';
    return out;
}

LimitBlock Mode(uint8_t mode, int32_t a, int32_t b, int32_t h) {
    LimitBlock s;
    s.mode = mode;
    s.a = a;
    s.b = b;
    s.hysteresis = h;
    return s;
}

TEST(LimitRelay, ModesWithTheirHysteresis) {
    struct Case {
        LimitBlock settings;
        std::initializer_list<double> values;
        const char* states;
    } cases[] = {
        {Mode(kLimitOff, 0, 0, 0), {-100, 0, 100}, "000"},
        {Mode(kLimitAtLeastA, 100, 0, 10), {99, 100, 95, 90, 89, 95, 100}, "0111001"},
        {Mode(kLimitAtMostA, 100, 0, 10), {101, 100, 105, 110, 111, 105}, "011100"},
        {Mode(kLimitInsideAB, 100, 200, 10), {99, 100, 200, 210, 211, 205, 150, 91, 89}, "011100110"},
        {Mode(kLimitOutsideAB, 100, 200, 10), {150, 99, 105, 110, 150, 201, 195, 190}, "01100110"},
        {Mode(kLimitControlAB, 100, 200, 0), {150, 100, 150, 199, 200, 150, 101, 100}, "01110001"},
        {Mode(kLimitControlBA, 100, 200, 0), {150, 200, 150, 101, 100, 150}, "011100"},
        {Mode(kLimitOn, 0, 0, 0), {-100, 100}, "11"},
        {Mode(42, 0, 0, 0), {0}, "1"},  // beyond the list the instrument treats as on
    };
    for (const auto& c : cases) EXPECT_EQ(States(c.settings, c.values), c.states) << int(c.settings.mode);
}

TEST(LimitRelay, HoldKeepsTheOutputOnUntilNewSettings) {
    LimitBlock s = Mode(kLimitAtLeastA, 100, 0, 0);
    s.hold = true;
    EXPECT_EQ(States(s, {50, 150, 50, 0}), "0111");
    LimitRelay relay;
    relay.Update(s, 150, 0);
    EXPECT_TRUE(relay.Update(s, 0, 1));
    relay.Reset();
    EXPECT_FALSE(relay.Update(s, 0, 2));
}

TEST(LimitRelay, DeltaModesPulseOnAChangeWithinTheTimeBase) {
    auto delta = [](uint8_t mode) {
        LimitBlock s = Mode(mode, 50, 0, 0);
        s.timeBase = 3;
        s.pulseWidth = 2;
        return s;
    };
    // A rise of 50 within 3 s switches the output on for 2 s, once per
    // change; a slow rise (10 per second) never does.
    EXPECT_EQ(States(delta(kLimitRise), {0, 20, 40, 60, 80, 100, 100, 100}), "00011000");
    EXPECT_EQ(States(delta(kLimitRise), {0, 10, 20, 30, 40, 50, 60, 70}), "00000000");
    EXPECT_EQ(States(delta(kLimitRise), {0, 60, 0, 0}), "0110");
    EXPECT_EQ(States(delta(kLimitRise), {100, 40, 40, 40}), "0000") << "a fall is no rise";
    EXPECT_EQ(States(delta(kLimitFall), {100, 40, 40, 40}), "0110");
    EXPECT_EQ(States(delta(kLimitChange), {100, 40, 40, 40, 100, 100}), "011011");
}

// The status answer's output bits, for a status request with the given
// limit force byte.
uint8_t OutputsFor(VirtualInstrument& vi, uint8_t forceByte) {
    tTX tx;
    tMSys sys;
    tx.uLimitForceAndEnable = forceByte;
    std::vector<uint8_t> request;
    BytesWriter w(request);
    StatusRequestLayout(w, tx, sys);
    const auto answer = vi.Live().StatusAnswer(request);
    tRX rx;
    BytesReader r(answer);
    StatusAnswerLayout(r, rx, sys);
    return rx.uLimit;
}

TEST(LimitRelay, TestForcesOnlyTheEnabledOutputs) {
    InstrumentConfig cfg;
    cfg.deviceType = 530;  // two limit outputs built in
    VirtualInstrument vi(cfg, [] { return 5.0; });  // 95.00 of 0..100.00
    vi.Settings().limits[1].a = 9900;
    struct Case {
        uint8_t force, outputs;
    } cases[] = {
        {0x00, 0x01}, {0x10, 0x00}, {0x11, 0x01}, {0x20, 0x01}, {0x22, 0x03}, {0x30, 0x00}, {0x02, 0x01},
    };
    for (const auto& c : cases) EXPECT_EQ(OutputsFor(vi, c.force), c.outputs) << std::hex << int(c.force);

    cfg.deviceType = 330;
    cfg.optOut1 = 3;
    cfg.optOut2 = 5;
    VirtualInstrument modules(cfg, [] { return 5.0; });
    EXPECT_EQ(OutputsFor(modules, 0x00), 0x02) << "only slot 2 holds a relay";
    EXPECT_EQ(OutputsFor(modules, 0x33), 0x02) << "an analog output cannot be forced as a relay";
}

}  // namespace
