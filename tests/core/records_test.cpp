#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <type_traits>
#include <vector>

#include "core/device/records.h"

using namespace velmar;

// Types the payload readers and writers depend on.
static_assert(std::is_same_v<decltype(tRX::iDCAveragedMO), int16_t>);
static_assert(std::is_same_v<decltype(tRX::uDeviceID), uint32_t>);
static_assert(std::is_same_v<decltype(tRX::fDivider), float>);
static_assert(std::is_same_v<decltype(tTX::uPXTR_OSR), uint16_t>);
static_assert(std::is_same_v<decltype(tTX::bPXTR_ThereIsCT), bool>);
static_assert(sizeof(tRX::uTagnameText) == 22 && sizeof(tRX::uDimensionText) == 9);
static_assert(sizeof(tTX::uTagnameText) == 22 && sizeof(tTX::uDimensionText) == 9);
static_assert(sizeof(tRX::uBitmap) == 1024);

namespace {

bool AllZero(const uint8_t* p, size_t n) {
    return std::all_of(p, p + n, [](uint8_t b) { return b == 0; });
}

}  // namespace

TEST(Records, InitialValues) {
    const tRX rx;
    EXPECT_EQ(rx.iRawADCData, 0);
    EXPECT_EQ(rx.uDecimalPoint, 0);
    EXPECT_EQ(rx.fKimenetSzazalek, 0.0f);
    EXPECT_FALSE(rx.bPt1000);
    EXPECT_EQ(rx.uYForHardCopy, 0);
    EXPECT_EQ(rx.iCal_07b, 0);
    EXPECT_EQ(rx.uAnalogueTypeFor101_2, 0);
    EXPECT_TRUE(AllZero(rx.uTagnameText.data(), rx.uTagnameText.size()));
    EXPECT_TRUE(AllZero(rx.uBitmap.data(), rx.uBitmap.size()));
    // The pair the views format with starts as for 0 decimals; the copies for
    // value 2 are only filled by a status answer.
    EXPECT_EQ(rx.sDecimalMask, "####0");
    EXPECT_EQ(rx.fDivider, 1.0f);
    EXPECT_EQ(rx.sDecimalMask_2, "");
    EXPECT_EQ(rx.fDivider_2, 0.0f);

    const tTX tx;
    EXPECT_EQ(tx.uHostID, 0u);
    EXPECT_EQ(tx.uPWM, 0);
    EXPECT_EQ(tx.fZajzar, 0.0f);
    EXPECT_EQ(tx.PXRL_SourceInput4, 0);
    EXPECT_TRUE(AllZero(tx.uDimensionText.data(), tx.uDimensionText.size()));

    const TGlobalVar gv;
    EXPECT_EQ(gv.uKijelzoTeszt_PX530, 1) << "as the PX530 page shows it at start";
    EXPECT_EQ(gv.uPWMForILPrevious, 0);
    EXPECT_EQ(gv.uPWMForIHPrevious, 65535);
    EXPECT_EQ(gv.uPWMForULPrevious, 0);
    EXPECT_EQ(gv.uPWMForUHPrevious, 65535);
    EXPECT_TRUE(gv.bFirstRun);

    const tMSys sys;
    EXPECT_EQ(sys.uConfigOfUnitBits, 0u);
    EXPECT_EQ(sys.uConfigOfPCProgramBits, 1u);
}

TEST(Records, SetDecimalMask) {
    const struct {
        int decimals;
        const char* mask;
        float divider;
    } cases[] = {
        {0, "####0", 1.0f},     {1, "###0.0", 10.0f},    {2, "##0.00", 100.0f},
        {3, "#0.000", 1000.0f}, {4, "0.0000", 10000.0f},
    };
    for (const auto& c : cases) {
        tRX rx;
        rx.sDecimalMask = "x";
        rx.fDivider = 7.0f;
        SetDecimalMask(rx, c.decimals);
        EXPECT_EQ(rx.sDecimalMask, c.mask) << c.decimals;
        EXPECT_EQ(rx.fDivider, c.divider) << c.decimals;
    }
}

TEST(Records, SetDecimalMaskKeepsPairForOtherCounts) {
    for (int decimals : {-1, 5, 10, 255, 256}) {
        tRX rx;
        SetDecimalMask(rx, 2);
        SetDecimalMask(rx, decimals);
        EXPECT_EQ(rx.sDecimalMask, "##0.00") << decimals;
        EXPECT_EQ(rx.fDivider, 100.0f) << decimals;
    }
}

TEST(DeviceText, Decode) {
    const struct {
        std::vector<uint8_t> bytes;
        size_t maxChars;
        std::string text;
    } cases[] = {
        // No zero in the first 21 bytes: exactly 21 characters, byte 22 ignored.
        {{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V'},
         21,
         "ABCDEFGHIJKLMNOPQRSTU"},
        {{'P', 'u', 'm', 'p', 0, 'X', 'Y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 21, "Pump"},
        {{0, 'X', 0, 0, 0, 0, 0, 0, 0}, 8, ""},
        {{0xB0, 'C', 0, 0, 0, 0, 0, 0, 0}, 8, "°C"},
        {{'m', '3', '/', 'h', 0xB2, 0xB3, 0xFF, 0xE9, 'Z'}, 8, "m3/h²³ÿé"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeDeviceText(c.bytes.data(), c.maxChars), c.text) << c.text;
}

TEST(DeviceText, Encode) {
    const struct {
        std::u32string text;
        size_t arraySize;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {U"°C", 9, {0xB0, 'C', 0, 0, 0, 0, 0, 0, 0}},
        {U"\tTank 1\n", 9, {'T', 'a', 'n', 'k', ' ', '1', 0, 0, 0}},
        // NEL is a control character, the no-break space is not.
        {U"\u0085kPa\u00A0", 9, {'k', 'P', 'a', 0xA0, 0, 0, 0, 0, 0}},
        {U"12345678", 9, {'1', '2', '3', '4', '5', '6', '7', '8', 0}},
        {U"123456789", 9, {'1', '2', '3', '4', '5', '6', '7', '8', 0}},
        // Cut first, then trim: the blank at the cut goes too.
        {U"ABCDEFG H", 9, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 0, 0}},
        // A character beyond the cut is never sent, so it does not matter.
        {U"12345678ő", 9, {'1', '2', '3', '4', '5', '6', '7', '8', 0}},
        {U"   ", 9, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {U"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 22, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K',
                                             'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 0}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out(c.arraySize, 0xEE);
        std::string error;
        EXPECT_TRUE(EncodeDeviceText(c.text, out.data(), out.size(), &error)) << error;
        EXPECT_EQ(out, c.bytes) << c.bytes.size();
        EXPECT_EQ(error, "");
    }
}

TEST(DeviceText, RefusesCharactersAboveLatin1) {
    const struct {
        std::u32string text;
        const char* message;
    } cases[] = {
        {U"Hőfok", "A(z) „ő” (U+0151) karakter nem jeleníthető meg a készüléken."},
        {U"20 €", "A(z) „€” (U+20AC) karakter nem jeleníthető meg a készüléken."},
        // Not a character at all: only its code can be named.
        {std::u32string(1, char32_t(0x110000)), "A(z) U+110000 kódú karakter nem jeleníthető meg a készüléken."},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out(22, 0xEE);
        std::string error;
        EXPECT_FALSE(EncodeDeviceText(c.text, out.data(), out.size(), &error));
        EXPECT_EQ(out, std::vector<uint8_t>(22, 0xEE)) << "left untouched";
        EXPECT_EQ(error, c.message);
    }
    std::array<uint8_t, 9> out{};
    EXPECT_FALSE(EncodeDeviceText(U"Ω", out.data(), out.size(), nullptr));
}

TEST(DeviceText, Latin1RoundTrip) {
    tTX tx;
    ASSERT_TRUE(EncodeDeviceText(U"Wärme ±5 °C ¡ÿ", tx.uTagnameText.data(), tx.uTagnameText.size(), nullptr));
    EXPECT_EQ(DecodeDeviceText(tx.uTagnameText.data(), kTagnameBytes - 1), "Wärme ±5 °C ¡ÿ");
}
