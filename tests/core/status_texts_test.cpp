#include <gtest/gtest.h>

#include "core/device/status_texts.h"

using namespace velmar;

TEST(StatusTexts, OperatingTime) {
    struct Case {
        uint32_t seconds;
        const char* text;
    } cases[] = {
        {0, "0 mp"},
        {59, "59 mp"},
        {60, "1 perc, 0 mp"},
        {3600, "1 óra, 0 perc, 0 mp"},
        {86399, "23 óra, 59 perc, 59 mp"},
        {86400, " 1 nap, 0 óra, 0 perc, 0 mp"},
        {90061, " 1 nap, 1 óra, 1 perc, 1 mp"},
        {4294967295u, "49 710 nap, 6 óra, 28 perc, 15 mp"},
    };
    // Days go through the mask "## ##0", which keeps its blank before a
    // single digit.
    for (const auto& c : cases) EXPECT_EQ(FormatOperatingTime(c.seconds), c.text) << c.seconds;
}

TEST(StatusTexts, MemoryStatus) {
    EXPECT_EQ(FormatMemoryStatus(15), "RAM, RAMB, FRAM, FRAMB, ");
    EXPECT_EQ(FormatMemoryStatus(0), "Mindegyik hibás!");
    EXPECT_EQ(FormatMemoryStatus(5), "RAM, FRAM, ");
    EXPECT_EQ(FormatMemoryStatus(16), "");
}

TEST(StatusTexts, SerialNumber) {
    EXPECT_EQ(SerialText(4711), "004711");
    EXPECT_EQ(SerialText(12345678), "12345678");
    EXPECT_EQ(InstrumentTag(330, 4711), "PX330-004711");
    EXPECT_EQ(SerialNumberText(4711, 22, 7), "004711/22.07");
    EXPECT_EQ(SerialNumberText(1234567, 5, 12), "1234567/05.12");
}
