#include <gtest/gtest.h>

#include "core/device/number_mask.h"

using velmar::FormatMask;

TEST(NumberMask, Cases) {
    struct Case {
        double value;
        const char* mask;
        const char* sep;
        const char* text;
    } cases[] = {
        {5, "## ##0", ".", " 5"},
        {12345, "## ##0", ".", "12 345"},
        {4711, "# ### ### ##0", ".", "  4 711"},
        {1578350633, "# ### ### ##0", ".", "1 578 350 633"},
        {0, "####0", ".", "0"},
        {-42, "####0", ".", "-42"},
        {123456, "####0", ".", "123456"},  // more digits than slots
        {7, "0000", ".", "0007"},
        {7, "00", ".", "07"},
        {12.0, "#0.000", ",", "12,000"},
        {3.14159, "##0.00", ".", "3.14"},
        {0.125, "0.00", ".", "0.12"},  // half to even
        {0.375, "0.00", ".", "0.38"},
        {-0.001, "0.00", ".", "0.00"},  // rounds to zero: no sign
        {2.5, "0", ".", "2"},
        {3.5, "0", ".", "4"},
        {1.5, "0.##", ".", "1.5"},
        {1.0, "0.##", ".", "1"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatMask(c.value, c.mask, c.sep), c.text) << c.value << " " << c.mask;
}
