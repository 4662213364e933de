#include "core/device/number_mask.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

namespace velmar {

double RoundHalfEven(double value) {
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return r;
}

namespace {
bool IsDigitSlot(char c) { return c == '0' || c == '#'; }
}  // namespace

std::string FormatMask(double value, std::string_view mask, std::string_view decimalSeparator) {
    const auto point = mask.find('.');
    const std::string_view intMask = mask.substr(0, point);
    const std::string_view fracMask = point == std::string_view::npos ? std::string_view{} : mask.substr(point + 1);

    int fracSlots = 0;
    for (char c : fracMask) fracSlots += IsDigitSlot(c);
    int intSlots = 0;
    for (char c : intMask) intSlots += IsDigitSlot(c);

    const double scaled = RoundHalfEven(std::fabs(value) * std::pow(10.0, fracSlots));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", scaled);
    std::string digits = buf;
    if (int(digits.size()) < fracSlots + 1) digits.insert(0, std::size_t(fracSlots + 1) - digits.size(), '0');
    std::string intDigits = digits.substr(0, digits.size() - std::size_t(fracSlots));
    const std::string fracDigits = digits.substr(digits.size() - std::size_t(fracSlots));

    // Digits beyond the slots go in front of the first one.
    std::string overflow;
    if (int(intDigits.size()) > intSlots) {
        overflow = intDigits.substr(0, intDigits.size() - std::size_t(intSlots));
        intDigits.erase(0, overflow.size());
    } else {
        intDigits.insert(0, std::size_t(intSlots) - intDigits.size(), '0');
    }

    std::string out;
    if (value < 0 && scaled != 0) out += '-';
    bool started = !overflow.empty() && overflow != std::string(overflow.size(), '0');
    bool overflowPlaced = false;
    std::size_t next = 0;
    for (char c : intMask) {
        if (!IsDigitSlot(c)) {
            out += c;
            continue;
        }
        if (!overflowPlaced) {
            if (started) out += overflow;
            overflowPlaced = true;
        }
        const char d = intDigits[next++];
        if (started || d != '0' || c == '0') {
            out += d;
            started = true;
        }
    }

    // Fraction: "#" drops trailing zeros, "0" keeps them.
    std::size_t lastNeeded = 0;  // count of fraction digits that must print
    {
        std::size_t slot = 0;
        for (char c : fracMask) {
            if (!IsDigitSlot(c)) continue;
            if (c == '0' || fracDigits[slot] != '0') lastNeeded = slot + 1;
            ++slot;
        }
    }
    if (lastNeeded > 0) {
        out += decimalSeparator;
        std::size_t slot = 0;
        for (char c : fracMask) {
            if (!IsDigitSlot(c)) {
                if (slot < lastNeeded) out += c;
                continue;
            }
            if (slot < lastNeeded) out += fracDigits[slot];
            ++slot;
        }
    }
    return out;
}

}  // namespace velmar
