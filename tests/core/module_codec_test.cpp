// The module settings blocks, byte for byte both ways, and the virtual
// instrument keeping what is written to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "core/link/payload_io.h"
#include "core/modules/analog_input_codec.h"
#include "core/modules/analog_output_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/modbus_codec.h"
#include "core/modules/password_codec.h"
#include "core/views/display_codec.h"
#include "core/views/px210_codec.h"
#include "sim/virtual_instrument.h"
#include "tests/support/block_io.h"

using namespace velmar;

namespace {
using test::Decode;
using test::Encode;
using test::Exchange;

const auto kIn = [](auto& io, AnalogInputBlock& b) { AnalogInputLayout(io, b); };
const auto kOut = [](auto& io, AnalogOutputBlock& b) { AnalogOutputLayout(io, b); };
const auto kLimit = [](auto& io, LimitBlock& b) { LimitLayout(io, b); };
const auto kModbus = [](auto& io, ModbusBlock& b) { ModbusLayout(io, b); };
const auto kDisplay = [](auto& io, DisplayBlock& b) { DisplayLayout(io, b); };
const auto kPasswords = [](auto& io, PasswordBlock& b) { PasswordLayout(io, b); };
const auto kPX210 = [](auto& io, PX210Block& b) { PX210Layout(io, b); };

bool operator==(const AnalogInputBlock& a, const AnalogInputBlock& b) {
    return a.averageCount == b.averageCount && a.inputType == b.inputType && a.decimals == b.decimals &&
           a.scaleLow == b.scaleLow && a.scaleHigh == b.scaleHigh && a.rounding == b.rounding;
}
bool operator==(const AnalogOutputBlock& a, const AnalogOutputBlock& b) {
    return a.type == b.type && a.scaleLow == b.scaleLow && a.scaleHigh == b.scaleHigh && a.errorHigh == b.errorHigh &&
           a.errorDisabled == b.errorDisabled && a.source == b.source;
}
}  // namespace

TEST(ModuleCodec, AnalogInputBlockBothWays) {
    struct Case {
        AnalogInputBlock block;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {{40, 1, 3, -500, 20000, 1}, {0x28, 0x01, 0x03, 0x0C, 0xFE, 0xFF, 0xFF, 0x20, 0x4E, 0x00, 0x00, 0x01}},
        {{24, 2, 1, 0, 1000, 1}, {0x18, 0x02, 0x01, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x01}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.block, kIn), c.bytes);
        EXPECT_TRUE(Decode<AnalogInputBlock>(c.bytes, kIn) == c.block);
    }
    // A short answer leaves the missing fields at 0.
    const auto cut = Decode<AnalogInputBlock>({0x05, 0x01, 0x02, 0x10}, kIn);
    EXPECT_EQ(cut.scaleLow, 0x10);
    EXPECT_EQ(cut.scaleHigh, 0);
}

TEST(ModuleCodec, AnalogOutputBlockBothWays) {
    struct Case {
        AnalogOutputBlock block;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {{2, 0, 1000, true, false, 1}, {0x02, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x01, 0x00, 0x01}},
        {{4, -1, 99999, false, true, 2}, {0x04, 0xFF, 0xFF, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0x00, 0x00, 0x01, 0x02}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.block, kOut), c.bytes);
        EXPECT_TRUE(Decode<AnalogOutputBlock>(c.bytes, kOut) == c.block);
    }
    // Any non-zero flag byte reads as set.
    const auto flags = Decode<AnalogOutputBlock>({0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 9, 1}, kOut);
    EXPECT_TRUE(flags.errorHigh);
    EXPECT_TRUE(flags.errorDisabled);
}

TEST(ModuleCodec, LimitBlockBothWays) {
    struct Case {
        LimitBlock block;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {{3, 100, 200, 5, true, 60, 2, 2},
         {0x03, 0x64, 0, 0, 0, 0xC8, 0, 0, 0, 0x05, 0, 0, 0, 0x01, 0x3C, 0x00, 0x02, 0x02}},
        {{10, -9999, 99999, 0, false, 65535, 255, 1},
         {0x0A, 0xF1, 0xD8, 0xFF, 0xFF, 0x9F, 0x86, 0x01, 0x00, 0, 0, 0, 0, 0x00, 0xFF, 0xFF, 0xFF, 0x01}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.block, kLimit), c.bytes);
        EXPECT_EQ(Decode<LimitBlock>(c.bytes, kLimit), c.block);
    }
    EXPECT_EQ(kLimitBlockSize, cases[0].bytes.size());
    // Any non-zero hold byte reads as set.
    EXPECT_TRUE(Decode<LimitBlock>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}, kLimit).hold);
}

TEST(ModuleCodec, ModbusBlockBothWays) {
    struct Case {
        ModbusBlock block;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {{0, 1, 5, 1, 10}, {0x00, 0x01, 0x05, 0x01, 0x0A, 0x00}},
        {{1, 3, 15, 247, 65535}, {0x01, 0x03, 0x0F, 0xF7, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.block, kModbus), c.bytes);
        EXPECT_EQ(Decode<ModbusBlock>(c.bytes, kModbus), c.block);
    }
    EXPECT_EQ(kModbusBlockSize, cases[0].bytes.size());
}

TEST(ModuleCodec, DisplayAndPasswordBlocksBothWays) {
    const std::pair<DisplayBlock, std::vector<uint8_t>> displays[] = {
        {{70, false, 200}, {70, 0, 200}},
        {{100, true, 1}, {100, 1, 1}},
    };
    for (const auto& [block, bytes] : displays) {
        EXPECT_EQ(Encode(block, kDisplay), bytes);
        EXPECT_EQ(Decode<DisplayBlock>(bytes, kDisplay), block);
    }
    EXPECT_TRUE(Decode<DisplayBlock>({10, 0x40, 10}, kDisplay).leadingZeros) << "any non-zero byte";

    const std::pair<PasswordBlock, std::vector<uint8_t>> passwords[] = {
        {{1234, 4321}, {0xD2, 0x04, 0xE1, 0x10}},
        {{0, 9999}, {0x00, 0x00, 0x0F, 0x27}},
    };
    for (const auto& [block, bytes] : passwords) {
        EXPECT_EQ(Encode(block, kPasswords), bytes);
        EXPECT_EQ(Decode<PasswordBlock>(bytes, kPasswords), block);
    }
}

TEST(ModuleCodec, PasswordRules) {
    struct Case {
        const char *user, *supervisor;
        PasswordProblem problem;
    } cases[] = {
        {"1234", "4321", PasswordProblem::None},    {"0", "9999", PasswordProblem::None},
        {"", "", PasswordProblem::NotANumber},      {"", "12", PasswordProblem::NotANumber},
        {"abc", "12", PasswordProblem::NotANumber}, {"12", "1x", PasswordProblem::NotANumber},
        {"-5", "12", PasswordProblem::NotANumber},  {"12", "10000", PasswordProblem::NotANumber},
        {"1.5", "12", PasswordProblem::NotANumber}, {" 12", "13", PasswordProblem::NotANumber},
        {"12", "12", PasswordProblem::Equal},       {"0012", "12", PasswordProblem::Equal},
        {"0", "0000", PasswordProblem::Equal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckPasswords(c.user, c.supervisor), c.problem) << c.user << " / " << c.supervisor;
}

TEST(ModuleCodec, MeasuringTimeAndAveragingCount) {
    const std::pair<uint8_t, int> counts[] = {{1, 0}, {5, 1}, {8, 2}, {16, 3}, {24, 4}, {40, 5}, {7, 4}, {0, 4}};
    for (auto [count, index] : counts) EXPECT_EQ(AverageIndexOf(count), index) << int(count);
    const std::pair<int, uint8_t> items[] = {{0, 1}, {3, 16}, {4, 24}, {5, 40}, {-1, 40}, {9, 40}};
    for (auto [index, count] : items) EXPECT_EQ(AverageCountOf(index), count) << index;
}

TEST(ModuleCodec, PX210BlockBothWays) {
    struct Case {
        PX210Block block;
        std::vector<uint8_t> bytes;
    } cases[] = {
        // leading zeros, fastest refresh, 100 ms, 3 decimals, -200 .. 1800
        {{true, 1, 14, 3, -200, 1800, 1}, {1, 1, 14, 3, 0x38, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x00, 0x00, 1}},
        {{false, 200, 90, 0, -9999, 9999, 5}, {0, 200, 90, 0, 0xF1, 0xD8, 0xFF, 0xFF, 0x0F, 0x27, 0x00, 0x00, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encode(c.block, kPX210), c.bytes);
        EXPECT_EQ(Decode<PX210Block>(c.bytes, kPX210), c.block);
    }
    EXPECT_EQ(kPX210BlockSize, cases[0].bytes.size());
    // Any non-zero leading-zeros byte reads as set; a short answer leaves the rest at 0.
    const auto cut = Decode<PX210Block>({0x80, 10, 55, 2, 0xD2, 0x04}, kPX210);
    EXPECT_TRUE(cut.leadingZeros);
    EXPECT_EQ(cut.scaleLow, 0x04D2);
    EXPECT_EQ(cut.scaleHigh, 0);
    EXPECT_EQ(cut.rounding, 0);
}

TEST(ModuleCodec, PX210MeasuringTimeCodes) {
    const std::pair<uint8_t, int> codes[] = {{2, 0},  {8, 1},  {14, 2}, {26, 3}, {40, 4},
                                             {55, 5}, {90, 6}, {77, 5}, {0, 5},  {255, 5}};
    for (auto [code, index] : codes) EXPECT_EQ(PX210MeasuringTimeIndexOf(code), index) << int(code);
    const std::pair<int, uint8_t> items[] = {{0, 2}, {2, 14}, {5, 55}, {6, 90}, {-1, 55}, {7, 55}};
    for (auto [index, code] : items) EXPECT_EQ(PX210MeasuringTimeCodeOf(index), code) << index;
    for (std::size_t i = 0; i < kPX210MeasuringTimeItems.size(); ++i)
        EXPECT_EQ(PX210MeasuringTimeIndexOf(PX210MeasuringTimeCodeOf(int(i))), int(i)) << kPX210MeasuringTimeItems[i];
    // By the captions the user sees.
    for (uint8_t code : {55, 77})
        EXPECT_STREQ(kPX210MeasuringTimeItems[std::size_t(PX210MeasuringTimeIndexOf(code))], "500 ms") << int(code);
    const auto at = std::find_if(kPX210MeasuringTimeItems.begin(), kPX210MeasuringTimeItems.end(),
                                 [](const char* caption) { return std::string_view(caption) == "1000 ms"; });
    EXPECT_EQ(PX210MeasuringTimeCodeOf(int(at - kPX210MeasuringTimeItems.begin())), 90);
}

TEST(ModuleCodec, VirtualPX210KeepsWhatIsWritten) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = 210;
    sim::VirtualInstrument vi(cfg);
    const std::vector<uint8_t> factory = Exchange(vi, kPX210Defaults, {}, 210);
    EXPECT_EQ(Decode<PX210Block>(factory, kPX210), PX210Block{});
    EXPECT_EQ(Exchange(vi, kReadPX210, {}, 210), factory) << "leaves the factory with its defaults";

    const std::vector<uint8_t> written{1, 1, 14, 3, 0x38, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x00, 0x00, 1};
    EXPECT_TRUE(Exchange(vi, kWritePX210, written, 210).empty());
    EXPECT_EQ(Exchange(vi, kReadPX210, {}, 210), written);
    EXPECT_EQ(vi.Settings().px210.scaleLow, -200);
    EXPECT_EQ(Exchange(vi, kPX210Defaults, {}, 210), factory) << "factory values stay what they were";
}

TEST(ModuleCodec, VirtualInstrumentKeepsWhatIsWrittenPerSlot) {
    sim::VirtualInstrument vi;
    auto exchange = [&](uint8_t command, std::vector<uint8_t> payload) { return Exchange(vi, command, payload); };
    const AnalogOutputBlock second{3, 100, 900, true, true, 2};
    exchange(kWriteAnalogOutput2, Encode(second, kOut));
    EXPECT_TRUE(Decode<AnalogOutputBlock>(exchange(kReadAnalogOutput2, {}), kOut) == second);
    EXPECT_TRUE(Decode<AnalogOutputBlock>(exchange(kReadAnalogOutput1, {}), kOut) == AnalogOutputBlock{});
    EXPECT_TRUE(Decode<AnalogOutputBlock>(exchange(kAnalogOutputDefaults, {}), kOut) == AnalogOutputBlock{});

    const AnalogInputBlock input{40, 1, 3, -500, 20000, 1};
    exchange(kWriteAnalogInput, Encode(input, kIn));
    EXPECT_TRUE(Decode<AnalogInputBlock>(exchange(kReadAnalogInput, {}), kIn) == input);
    EXPECT_TRUE(Decode<AnalogInputBlock>(exchange(kAnalogInputDefaults, {}), kIn) == AnalogInputBlock{});

    const LimitBlock relay2{4, 1, 2, 3, true, 30, 5, 2};
    exchange(kWriteLimit2, Encode(relay2, kLimit));
    EXPECT_EQ(Decode<LimitBlock>(exchange(kReadLimit2, {}), kLimit), relay2);
    EXPECT_EQ(Decode<LimitBlock>(exchange(kReadLimit1, {}), kLimit), LimitBlock{});
    EXPECT_EQ(Decode<LimitBlock>(exchange(kLimitDefaults, {}), kLimit), LimitBlock{});

    const ModbusBlock modbus{1, 2, 11, 247, 300};
    exchange(kWriteModbus, Encode(modbus, kModbus));
    EXPECT_EQ(Decode<ModbusBlock>(exchange(kReadModbus, {}), kModbus), modbus);
    EXPECT_EQ(Decode<ModbusBlock>(exchange(kModbusDefaults, {}), kModbus), ModbusBlock{});

    exchange(kWriteDisplay, {30, 1, 100});
    EXPECT_EQ(exchange(kReadDisplay, {}), (std::vector<uint8_t>{30, 1, 100}));
    EXPECT_EQ(Decode<DisplayBlock>(exchange(kDisplayDefaults, {}), kDisplay), DisplayBlock{});

    exchange(kWritePasswords, {0xD2, 0x04, 0xE1, 0x10});
    EXPECT_EQ(exchange(kReadPasswords, {}), (std::vector<uint8_t>{0xD2, 0x04, 0xE1, 0x10}));
    EXPECT_EQ(Decode<PasswordBlock>(exchange(kPasswordDefaults, {}), kPasswords), PasswordBlock{});
}
