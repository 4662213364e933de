#include <gtest/gtest.h>

#include <array>

#include "core/link/command_history.h"
#include "core/link/frame_dump.h"

using namespace velmar;

TEST(CommandHistory, RepeatsAndSeparateEntries) {
    TMBU mbu;
    std::string text;
    for (int i = 0; i < 12; ++i) text = AddCommandToHistory(mbu, 101);
    EXPECT_EQ(text, "n*101, ");
    text = AddCommandToHistory(mbu, 217);
    text = AddCommandToHistory(mbu, 101);
    text = AddCommandToHistory(mbu, 101);
    EXPECT_EQ(text, "n*101, 217, 2*101, ");
}

TEST(CommandHistory, HoldsTwentyFiveEntries) {
    TMBU mbu;
    for (int code = 1; code <= 26; ++code) AddCommandToHistory(mbu, uint8_t(code));
    const std::string text = CommandHistoryText(mbu);
    EXPECT_EQ(text.rfind("2, 3, ", 0), 0u) << "the oldest entry dropped out: " << text;
    EXPECT_NE(text.find("25, 26, "), std::string::npos);
}

TEST(CommandHistory, Clearing) {
    TMBU mbu;
    AddCommandToHistory(mbu, 101);
    AddCommandToHistory(mbu, 217);
    ClearCommandHistoryButNewest(mbu);
    EXPECT_EQ(CommandHistoryText(mbu), "217, ");
    ClearCommandHistory(mbu);
    EXPECT_EQ(CommandHistoryText(mbu), "");
    EXPECT_EQ(AddCommandToHistory(mbu, 101), "101, ");
}

TEST(FrameDump, FencesFieldsDifferentlyForAnswers) {
    std::array<uint8_t, 65> zero{};
    const std::string payload = "00" + [] {
        std::string s;
        for (int i = 1; i < 46; ++i) s += " 00";
        return s;
    }();
    const std::string tail = "(" + payload + ")00 00";
    EXPECT_EQ(HexDump(zero.data(), false), "00 00|00 00|00 00|00|00|00 00|00 00|00 00 00 00" + tail);
    EXPECT_EQ(HexDump(zero.data(), true), "00 00|00 00|00|00|00|00|00 00|00 00|00 00 00 00" + tail);
    zero[1] = 0xAB;
    zero[64] = 0x0F;
    EXPECT_EQ(HexDump(zero.data(), false).substr(0, 3), "AB ");
    EXPECT_EQ(HexDump(zero.data(), false).substr(HexDump(zero.data(), false).size() - 2), "0F");
}

TEST(FrameDump, PayloadLengthText) {
    EXPECT_EQ(PayloadLengthText(100), "100 / 138");
    EXPECT_EQ(PayloadLengthText(46), "46 / 92");
    EXPECT_EQ(PayloadLengthText(0), "0 / 46");
}
