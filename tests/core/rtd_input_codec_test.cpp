// The RTD input's settings blocks byte for byte both ways, the lists its
// choices travel as, the order the correction points go out in, and the
// virtual instrument keeping the block and measuring through it.
#include <gtest/gtest.h>

#include <cmath>

#include "core/device/status_codec.h"
#include "core/link/payload_io.h"
#include "core/modules/rtd_input_codec.h"
#include "sim/rtd_handlers.h"
#include "sim/virtual_instrument.h"

using namespace velmar;

namespace {
using Bytes = std::vector<uint8_t>;

const auto kAll = [](auto& io, RtdBlock& b) { RtdLayout(io, b); };
const auto kFactory = [](auto& io, RtdBlock& b) { RtdDefaultsLayout(io, b); };

template <class Layout>
Bytes Encode(RtdBlock b, Layout layout) {
    Bytes out;
    BytesWriter w(out);
    layout(w, b);
    return out;
}
template <class Layout>
RtdBlock Decode(const Bytes& bytes, Layout layout, RtdBlock b = {}) {
    BytesReader r(bytes);
    layout(r, b);
    return b;
}

// Three wires, five seconds, scaled potentiometer; points at 100, 200 and
// 300 °C adding 2.0, 3.0 and 1.0 °C; potentiometer 12.5 .. 987.25 ohm; two
// decimals, -5.00 .. 999.99; 1.5 ohm of leads.
const RtdBlock kScaled{3, 50, 2, {1000, 2000, 3000}, {20, 30, 10}, 12.5f, 987.25f, 2, -500, 99999, 1.5f};
const Bytes kScaledBytes{0x03, 0x32, 0x02, 0xE8, 0x03, 0xD0, 0x07, 0xB8, 0x0B, 0x14, 0x00, 0x1E,
                         0x00, 0x0A, 0x00, 0x00, 0x00, 0x48, 0x41, 0x00, 0xD0, 0x76, 0x44, 0x02,
                         0x0C, 0xFE, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0x00, 0x00, 0x00, 0xC0, 0x3F};
}  // namespace

TEST(RtdCodec, SettingsBlockBothWays) {
    struct Case {
        RtdBlock block;
        Bytes bytes;
    } cases[] = {
        {kScaled, kScaledBytes},
        // Two wires, 0.1 s, Pt sensor; -50.5 °C, 0 and 800.0 °C adding
        // 1.5, -10.0 and +10.0 °C; nothing else set.
        {{2, 1, 0, {-505, 0, 8000}, {15, -100, 100}, 0.0f, 0.0f, 0, 0, 0, 0.0f},
         {0x02, 0x01, 0x00, 0x07, 0xFE, 0x00, 0x00, 0x40, 0x1F, 0x0F, 0x00, 0x9C, 0xFF, 0x64, 0x00, 0, 0, 0,
          0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.block, kAll), c.bytes);
        EXPECT_EQ(Decode(c.bytes, kAll), c.block);
    }
    EXPECT_EQ(kScaledBytes.size(), kRtdBlockSize);
    // A short answer leaves the fields it does not reach at zero.
    const RtdBlock cut = Decode({0x04, 0x0A, 0x01, 0x10, 0x00}, kAll);
    EXPECT_EQ(cut.corrTemp, (std::array<int16_t, 3>{16, 0, 0}));
    EXPECT_EQ(cut.potPercent100, 0.0f);
    EXPECT_EQ(cut.leadResistance, 0.0f);
}

TEST(RtdCodec, FactoryBlockCarriesNoMeasuredPoints) {
    const Bytes bytes{0x03, 0x32, 0x02, 0xE8, 0x03, 0xD0, 0x07, 0xB8, 0x0B, 0x14, 0x00, 0x1E,
                      0x00, 0x0A, 0x00, 0x02, 0x0C, 0xFE, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0x00};
    EXPECT_EQ(Encode(kScaled, kFactory), bytes);
    EXPECT_EQ(bytes.size(), kRtdDefaultsBlockSize);
    // Read over a block holding measured points: those stay.
    const RtdBlock before{4, 10, 0, {}, {}, 111.0f, 222.0f, 0, 0, 0, 3.25f};
    EXPECT_EQ(Decode(bytes, kFactory, before),
              (RtdBlock{3, 50, 2, {1000, 2000, 3000}, {20, 30, 10}, 111.0f, 222.0f, 2, -500, 99999, 3.25f}));
}

TEST(RtdCodec, WiringAndMeasuringTimeLists) {
    // The wiring item of a wire count; a radio group shows an index beyond
    // its items as the last item and a negative one as no choice.
    const std::pair<uint8_t, int> wirings[] = {{4, 0}, {3, 1}, {2, 2}, {1, 3}, {0, 4}, {5, -1}, {255, -251}};
    for (auto [wires, item] : wirings) EXPECT_EQ(RtdWiringIndexOf(wires), item) << int(wires);
    for (int item : {0, 1, 2}) EXPECT_EQ(RtdWiringIndexOf(RtdWiresOf(item)), item);

    const std::pair<uint8_t, int> counts[] = {{1, 0},  {2, 1}, {5, 2}, {10, 3},  {20, 4},
                                              {50, 5}, {0, 3}, {3, 3}, {100, 3}, {255, 3}};
    for (auto [count, item] : counts) EXPECT_EQ(RtdAverageIndexOf(count), item) << int(count);
    const std::pair<int, uint8_t> items[] = {{0, 1}, {1, 2}, {2, 5}, {3, 10}, {4, 20}, {5, 50}, {-1, 10}, {6, 10}};
    for (auto [item, count] : items) EXPECT_EQ(RtdAverageCountOf(item), count) << item;
}

TEST(RtdCodec, CorrectionsGoOutByTemperatureWithTheirAmounts) {
    using Points = std::array<int16_t, 3>;
    struct Case {
        Points temps, plus, sortedTemps, sortedPlus;
    } cases[] = {
        {{3000, 1000, 2000}, {10, 20, 30}, {1000, 2000, 3000}, {20, 30, 10}},
        {{3000, 2000, 1000}, {1, 2, 3}, {1000, 2000, 3000}, {3, 2, 1}},
        {{-505, 0, 8000}, {1, 2, 3}, {-505, 0, 8000}, {1, 2, 3}},
        // Equal temperatures keep the order they were given in.
        {{500, 500, 300}, {1, 2, 3}, {300, 500, 500}, {3, 1, 2}},
        {{500, 300, 500}, {1, 2, 3}, {300, 500, 500}, {2, 1, 3}},
        {{700, 700, 700}, {1, 2, 3}, {700, 700, 700}, {1, 2, 3}},
    };
    for (auto c : cases) {
        SortCorrections(c.temps, c.plus);
        EXPECT_EQ(c.temps, c.sortedTemps);
        EXPECT_EQ(c.plus, c.sortedPlus) << c.temps[0] << " " << c.temps[1] << " " << c.temps[2];
    }
}

TEST(RtdCodec, LiveValuesFormat) {
    struct Case {
        uint8_t optIn;
        uint16_t device;
        uint8_t inputType;
        bool pt1000;
        const char *mask, *unit;
    } cases[] = {
        {2, 330, 0, false, "#0.000", "ohm"}, {2, 310, 0, true, "#0.00", "ohm"}, {0, 310, 0, false, "#0.00", "ohm"},
        {0, 310, 0, true, "#0.0", "ohm"},    {1, 330, 1, false, "", "mA"},      {1, 330, 4, true, "", "V"},
        {1, 330, 9, false, "", ""},          {0, 530, 0, true, "", ""},         {6, 580, 2, false, "", ""},
    };
    for (const auto& c : cases) {
        const LiveFormat f = LiveInputFormat(c.optIn, c.device, c.inputType, c.pt1000);
        EXPECT_STREQ(f.mask, c.mask) << int(c.optIn) << " " << c.device;
        EXPECT_STREQ(f.unit, c.unit) << int(c.optIn) << " " << c.device;
    }
}

namespace {
Bytes Exchange(sim::VirtualInstrument& vi, uint8_t command, const Bytes& payload = {}) {
    sim::Report r{};
    r[7] = command;
    r[8] = 3;  // first and last frame
    PutU16(r.data(), 1, vi.Config().deviceType);
    PutU16(r.data(), 3, 8225);
    PutU16(r.data(), 9, uint16_t(payload.size()));
    std::copy(payload.begin(), payload.end(), r.begin() + 17);
    SealTxFrame(r.data());
    auto a = vi.HandleReport(r.data());
    EXPECT_EQ((*a)[5], 0) << "error code of command " << int(command);
    const std::size_t length = std::min<std::size_t>(GetU16(a->data(), 9), 46);  // one frame: the RTD blocks fit
    return Bytes(a->begin() + 17, a->begin() + 17 + std::ptrdiff_t(length));
}
tRX Status(sim::VirtualInstrument& vi) {
    tRX rx;
    tMSys sys;
    const Bytes answer = vi.Live().StatusAnswer();
    BytesReader in(answer);
    StatusAnswerLayout(in, rx, sys);
    return rx;
}
}  // namespace

TEST(RtdInstrument, KeepsTheBlockAndMeasuresThroughIt) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 310;
    double now = 5.0;  // the waveform at its top, 95 % of its travel
    sim::VirtualInstrument vi(cfg, [&] { return now; });
    EXPECT_EQ(Exchange(vi, kReadRtd), Encode(RtdBlock{}, kAll));

    Exchange(vi, kWriteRtd, kScaledBytes);
    EXPECT_EQ(vi.Settings().rtd, kScaled);
    EXPECT_EQ(Exchange(vi, kReadRtd), kScaledBytes);
    EXPECT_EQ(Exchange(vi, kRtdDefaults), Encode(RtdBlock{}, kFactory));
    EXPECT_EQ(vi.Settings().rtd, kScaled) << "the factory values are only shown";

    // Scaled potentiometer, 12.5 .. 987.25 ohm as -5.00 .. 999.99, on three
    // wires: the wiper at 950 ohm.
    tRX rx = Status(vi);
    EXPECT_EQ(rx.uPXRT_Mode, 2);
    EXPECT_FALSE(rx.bPt1000);
    EXPECT_NEAR(rx.fResistance, 950.0, 1e-3);
    EXPECT_EQ(rx.fFizikaiMennyiseg, rx.fResistance);
    EXPECT_EQ(rx.uDecimalPoint, 2);
    EXPECT_EQ(rx.iSkalazottKijezesiErtek, 96158);  // -5.00 + 1004.99 * (950 - 12.5) / (987.25 - 12.5)

    // A Pt100 on four wires, corrected by +1.0 °C everywhere: the sensor
    // stands at 7 + 36 * 0.95 = 41.2 °C.
    RtdBlock pt;
    pt.corrPlus = {10, 10, 10};
    Exchange(vi, kWriteRtd, Encode(pt, kAll));
    rx = Status(vi);
    EXPECT_EQ(rx.uPXRT_Mode, 0);
    EXPECT_EQ(rx.uDecimalPoint, 1);
    EXPECT_NEAR(rx.fResistance, 116.00, 0.01);
    EXPECT_EQ(rx.fResistance, rx.fFizikaiMennyiseg) << "no leads measured with four wires";
    EXPECT_EQ(rx.iSkalazottKijezesiErtek, 422);

    // It moves slowly: a quarter period later it is near the middle.
    now = 10.0;
    EXPECT_EQ(Status(vi).iSkalazottKijezesiErtek, 260);
}

TEST(RtdInstrument, ReadingsOfOddSettingsStayNumbers) {
    struct Case {
        RtdBlock block;
        int32_t shown;
    } cases[] = {
        // Potentiometer with both points alike: no percentage to give.
        {{3, 10, 1, {}, {}, 500.0f, 500.0f, 1, 0, 1000, 0.0f}, 0},
        {{2, 10, 0, {}, {}, 0.0f, 0.0f, 1, 0, 0, NAN}, 0},
        {{2, 10, 2, {}, {}, 0.0f, INFINITY, 9, 0, 99999, 0.0f}, 0},
        // Resistance on two wires: the lead resistance stored is taken off.
        {{2, 7, 3, {}, {}, 0.0f, 0.0f, 0, 0, 0, 0.8f}, 10973},  // a Pt100 at 25 °C
    };
    for (const auto& c : cases) {
        tRX rx;
        EXPECT_EQ(sim::ShowRtdReading(c.block, false, 0.5, rx), c.shown) << int(c.block.mode);
        EXPECT_EQ(rx.iSkalazottKijezesiErtek, c.shown);
        EXPECT_LE(rx.uDecimalPoint, 4);
    }
}
