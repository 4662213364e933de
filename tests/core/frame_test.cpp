#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "core/device/service_commands.h"
#include "core/link/command_table.h"
#include "core/link/frame.h"
#include "core/settings/settings_blocks.h"

using namespace velmar;

TEST(Crc, CheckValueAndZeroFrame) {
    const char* text = "123456789";
    EXPECT_EQ(CalcCRC16(reinterpret_cast<const uint8_t*>(text), 9), 0x4B37);

    std::array<uint8_t, 67> out{};
    out[0] = 0x55;  // the report id is not covered
    SealTxFrame(out.data());
    EXPECT_EQ(out[63], 0x01);
    EXPECT_EQ(out[64], 0xAB);
}

TEST(Crc, CheckRxOverwritesErrorCodeOnMismatch) {
    std::array<uint8_t, 65> in{};
    in[5] = 3;
    SealTxFrame(in.data());
    EXPECT_TRUE(CheckRxCRC(in.data()));
    EXPECT_EQ(in[5], 3);
    in[30] ^= 1;
    EXPECT_FALSE(CheckRxCRC(in.data()));
    EXPECT_EQ(in[5], 1);
}

TEST(DateCode, BothWaysAndText) {
    struct Case {
        VersionDate date;
        uint16_t code;
        const char* text;
    } cases[] = {
        {{2022, 2, 11}, 8225, "2022.02.11."},
        {{2022, 7, 21}, 8390, "2022.07.21."},
        {{2000, 1, 1}, 0, "2000.01.01."},
        {{2176, 1, 5}, 65476, "2176.01.05."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateToVersionCode(c.date), c.code);
        EXPECT_EQ(VersionCodeToDate(c.code), c.date);
        EXPECT_EQ(VersionCodeToText(c.code, "."), c.text);
    }
    EXPECT_EQ(DateToVersionCode(VersionDate{}), 0);  // the empty date
    EXPECT_EQ(VersionCodeToText(8390, "-"), "2022-07-21-");
}

TEST(FillTxHeader, WritesHeaderAndClearsPayloadButNotFrameBookkeeping) {
    std::array<uint8_t, 67> out;
    out.fill(0xEE);
    const uint32_t host = FillTxHeader(out.data(), 330, 101, MakeVersionDate(2022, 7, 21), {});
    EXPECT_EQ(host, 0x5E13C7A9u);
    const uint8_t head[] = {0x4A, 0x01, 0xC6, 0x20, 0x00, 0x00, 101};
    EXPECT_EQ(0, std::memcmp(out.data() + 1, head, sizeof head));
    for (int i = 8; i <= 12; ++i) EXPECT_EQ(out[i], 0xEE) << i;  // left to the transfer
    const uint8_t id[] = {0xA9, 0xC7, 0x13, 0x5E};
    EXPECT_EQ(0, std::memcmp(out.data() + 13, id, 4));
    for (int i = 17; i <= 64; ++i) EXPECT_EQ(out[i], 0) << i;
}

TEST(ErrorTexts, TableAndCodesWithoutText) {
    ASSERT_NE(FindErrorText(6), nullptr);
    EXPECT_STREQ(FindErrorText(6)->longText, "6: Time out.");
    EXPECT_STREQ(FindErrorText(7)->shortText, "Buffer is full!");
    EXPECT_STREQ(FindErrorText(2)->longText, "2: Unknow device.");
    EXPECT_EQ(FindErrorText(8), nullptr);
    EXPECT_EQ(FindErrorText(9), nullptr);
    EXPECT_EQ(FindErrorText(10), nullptr) << "the host's own code 10 is not an answer's text";
    EXPECT_EQ(FindErrorText(200), nullptr);
}

TEST(CommandTable, VersionWindowByDeviceType) {
    EXPECT_EQ(DateToVersionCode(MinimumFirmwareFor(330)), 8390);
    for (uint16_t t : {0, 4, 210, 310, 350, 370, 510, 530, 544, 546, 580})
        EXPECT_EQ(DateToVersionCode(MinimumFirmwareFor(t)), 8225) << t;
    EXPECT_EQ(CommandTable().size(), 67u);
    EXPECT_NE(FindCommand(249), nullptr);
    EXPECT_EQ(FindCommand(7), nullptr);
}

// What changes an instrument is never sent to another one; the other tables
// say the same of every command they know.
TEST(CommandTable, WhatChangesTheInstrument) {
    for (const SettingsBlockInfo& b : SettingsBlocks()) {
        EXPECT_TRUE(ChangesInstrument(b.write)) << b.name;
        EXPECT_FALSE(ChangesInstrument(b.read)) << b.name;
        EXPECT_FALSE(ChangesInstrument(b.defaults)) << b.name;
    }
    for (const ServiceCommand& c : ServiceCommands())
        if (c.permanent) EXPECT_TRUE(ChangesInstrument(c.code)) << int(c.code);
    for (uint8_t code : {101, 113, 130, 244, 245, 247, 248, 7})
        EXPECT_EQ(ChangesInstrument(code), code != 101 && code != 7) << int(code);
}
