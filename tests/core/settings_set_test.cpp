// The settings set byte for byte both ways, and the virtual instrument
// keeping it consistent with the module blocks it shares values with.
#include <gtest/gtest.h>

#include "tests/support/block_io.h"

#include "core/link/payload_io.h"
#include "core/modules/analog_input_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/modbus_codec.h"
#include "core/settings/settings_set_codec.h"
#include "core/views/display_codec.h"
#include "sim/settings_set.h"
#include "sim/virtual_instrument.h"

using namespace velmar;
using Bytes = std::vector<uint8_t>;

namespace {

// Every field away from its default, each value telling its field apart.
SettingsSet EveryFieldSet() {
    SettingsSet s;
    s.brightness = 7;
    s.tagname = {'T', 'a', 'n', 'k', ' ', '1'};
    s.dimension = {'m', 0xB3};  // m³ in Latin-1
    s.leadingZeros = true;
    s.averageCount = 24;
    s.analogueType = 3;
    s.analogueLow = -500;
    s.analogueHigh = 20000;
    s.analogueErrorHigh = true;
    s.barGraphMode = 1;
    s.bgLow = -100;
    s.bgHigh = 900;
    s.inputType = 4;
    s.decimals = 1;
    s.rounding = 5;
    s.scaleLow = -9999;
    s.scaleHigh = 99999;
    s.limitDisplayMode = 5;
    s.limits = {{{1, true, 100, 200, 5}, {2, false, -1, 0, 0}, {9, true, 0x01020304, 7, 8}, {10, false, 0, 0, 1}}};
    s.timeBase = {2, 600, 65535, 3};
    s.pulseWidth = {255, 3, 4, 2};
    s.modbusProtocol = 1;
    s.modbusParity = 2;
    s.modbusBaudRate = 15;
    s.modbusAddress = 247;
    s.analogueErrorDisabled = true;
    s.ptWires = 4;
    return s;
}

const Bytes kEveryFieldBytes = {
    7,  // brightness
    'T',  'a',  'n',  'k',  ' ',  '1',  0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // tag name, 22
    'm',  0xB3, 0,    0,    0,    0,    0,    0,    0,  // unit, 9
    1,  // leading zeros
    24,  // averaging count
    3,  // analog output type
    0x0C, 0xFE, 0xFF, 0xFF,  // its low, -500
    0x20, 0x4E, 0x00, 0x00,  // its high, 20000
    1,  // error high
    1,  // bar graph dot
    0x9C, 0xFF, 0xFF, 0xFF,  // bar graph 0 %, -100
    0x84, 0x03, 0x00, 0x00,  // bar graph 100 %, 900
    4,    1,    5,  // input type, decimals, rounding
    0xF1, 0xD8, 0xFF, 0xFF,  // scale low, -9999
    0x9F, 0x86, 0x01, 0x00,  // scale high, 99999
    5,  // limit display mode
    1,    1,    100,  0,    0,    0,    200,  0,    0, 0, 5, 0, 0, 0,  // limit 1
    2,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0,    0,    0, 0, 0, 0, 0, 0,  // limit 2
    9,    1,    0x04, 0x03, 0x02, 0x01, 7,    0,    0, 0, 8, 0, 0, 0,  // limit 3
    10,   0,    0,    0,    0,    0,    0,    0,    0, 0, 1, 0, 0, 0,  // limit 4
    0x02, 0x00, 0x58, 0x02, 0xFF, 0xFF, 0x03, 0x00,  // time bases
    255,  3,    4,    2,  // pulse widths
    1,    2,    15,   247,  // Modbus
    1,  // error signalling off
    4,  // Pt wires
};

const auto kSet = [](auto& io, SettingsSet& s) { SettingsSetLayout(io, s); };
Bytes Encode(const SettingsSet& s) { return test::Encode(s, kSet); }
SettingsSet Decode(const Bytes& bytes) { return test::Decode<SettingsSet>(bytes, kSet); }

TEST(SettingsSet, EveryFieldBothWays) {
    ASSERT_EQ(kEveryFieldBytes.size(), kSettingsSetSize);
    EXPECT_EQ(Encode(EveryFieldSet()), kEveryFieldBytes);
    EXPECT_EQ(Decode(kEveryFieldBytes), EveryFieldSet());
    EXPECT_EQ(Encode(SettingsSet{}).size(), kSettingsSetSize);
    // Flags read as set for any non-zero byte.
    Bytes flags(kSettingsSetSize);
    flags[32] = 0x80;
    flags[137] = 2;
    EXPECT_TRUE(Decode(flags).leadingZeros);
    EXPECT_TRUE(Decode(flags).analogueErrorDisabled);
}

// One exchange with the instrument, a single-frame request or answer.
Bytes Exchange(sim::VirtualInstrument& vi, uint8_t command, const Bytes& request = {}) {
    // Requests up to one frame go in one report; the answers of the set
    // span several, fetched chunk by chunk.
    auto frame = [&](uint8_t bits, uint16_t length, uint16_t index, const uint8_t* data, std::size_t n) {
        sim::Report r{};
        r[pos::kCommand] = command;
        r[pos::kFrameBits] = bits;
        PutU16(r.data(), pos::kVersionMin, DateToVersionCode({2022, 7, 21}));
        PutU16(r.data(), pos::kDataBytes, length);
        PutU16(r.data(), pos::kIndex, index);
        std::copy(data, data + n, r.begin() + kPayloadFirst);
        SealTxFrame(r.data());
        return *vi.HandleReport(r.data());
    };
    sim::Report a{};
    for (std::size_t at = 0; at == 0 || at < request.size(); at += kChunkSize) {
        const std::size_t n = std::min(kChunkSize, request.size() - std::min(at, request.size()));
        uint8_t bits = 0;
        if (at == 0) bits |= bits::kFirst;
        if (at + kChunkSize >= request.size()) bits |= bits::kLast;
        a = frame(bits, uint16_t(request.size()), uint16_t(at), request.data() + at, n);
    }
    EXPECT_EQ(a[pos::kError], 0);
    Bytes answer;
    const std::size_t length = GetU16(a.data(), pos::kDataBytes);
    for (std::size_t at = 0; at < length; at += kChunkSize) {
        if (at > 0) a = frame(bits::kAnswerRequest, 0, uint16_t(at), nullptr, 0);
        answer.insert(answer.end(), a.begin() + kPayloadFirst,
                      a.begin() + kPayloadFirst + std::min(kChunkSize, length - at));
    }
    return answer;
}

TEST(SettingsSet, InstrumentKeepsItConsistentWithItsModules) {
    sim::VirtualInstrument vi;
    // Written as a set, read back as a set and through the module blocks.
    Exchange(vi, kWriteSettingsSet, kEveryFieldBytes);
    EXPECT_EQ(Exchange(vi, kReadSettingsSet), kEveryFieldBytes);
    EXPECT_EQ(Exchange(vi, kReadAnalogInput), (Bytes{24, 4, 1, 0xF1, 0xD8, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0x00, 5}));
    EXPECT_EQ(Exchange(vi, kReadLimit1), (Bytes{1, 100, 0, 0, 0, 200, 0, 0, 0, 5, 0, 0, 0, 1, 2, 0, 255, 1}));
    EXPECT_EQ(Exchange(vi, kReadModbus), (Bytes{1, 2, 15, 247, 10, 0})) << "the time-out is the module's own";
    EXPECT_EQ(Exchange(vi, kReadDisplay), (Bytes{70, 1, 50})) << "brightness step 7 is 70 %";
    EXPECT_EQ(vi.Settings().rtd.wires, 4) << "the Pt input's wiring";

    // Written through a module block, read back in the set.
    Exchange(vi, kWriteLimit2, {4, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0, 9, 0, 8, 2});
    const SettingsSet set = Decode(Exchange(vi, kReadSettingsSet));
    EXPECT_EQ(set.limits[1], (SettingsSetLimit{4, false, 1, 2, 3}));
    EXPECT_EQ(set.timeBase[1], 9);
    EXPECT_EQ(set.pulseWidth[1], 8);
    EXPECT_EQ(set.limits[2], EveryFieldSet().limits[2]) << "limit 3 lives in the set alone";

    // Factory values gather the modules' own factory values.
    const SettingsSet factory = Decode(Exchange(vi, kSettingsSetDefaults));
    EXPECT_EQ(factory.scaleHigh, AnalogInputBlock{}.scaleHigh);
    EXPECT_EQ(factory.limits[0].a, LimitBlock{}.a);
    EXPECT_EQ(factory.modbusBaudRate, ModbusBlock{}.baudRate);
    EXPECT_EQ(Decode(Exchange(vi, kReadSettingsSet)).tagname, EveryFieldSet().tagname) << "defaults change nothing";
}

}  // namespace
