#include "core/device/records.h"

#include <algorithm>
#include <cstdio>

namespace velmar {

namespace {

struct DecimalFormat {
    const char* mask;
    float divider;
};

constexpr DecimalFormat kDecimalFormats[] = {
    {"####0", 1.0f}, {"###0.0", 10.0f}, {"##0.00", 100.0f}, {"#0.000", 1000.0f}, {"0.0000", 10000.0f},
};

void AppendUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
}

bool IsValidScalar(char32_t c) { return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }

// Blank, C0 and C1 controls and DEL: nothing the display could show at the
// edge of a text, and a stray line break from a paste would otherwise reach
// the instrument.
bool IsBlankOrControl(char32_t c) { return c <= 0x20 || (c >= 0x7F && c <= 0x9F); }

// Names the character and its code: the code tells apart look-alikes and
// shows what a character that draws nothing is.
std::string UnsendableMessage(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
    std::string text = "A(z) ";
    if (IsValidScalar(c)) {
        text += "„";
        AppendUtf8(text, c);
        text += "” (" + std::string(code) + ")";
    } else {
        text += std::string(code) + " kódú";
    }
    return text + " karakter nem jeleníthető meg a készüléken.";
}

}  // namespace

void SetDecimalMask(tRX& rx, int decimals) {
    if (decimals < 0 || decimals >= int(std::size(kDecimalFormats))) return;
    rx.sDecimalMask = kDecimalFormats[decimals].mask;
    rx.fDivider = kDecimalFormats[decimals].divider;
}

std::string DecodeDeviceText(const uint8_t* bytes, std::size_t maxChars) {
    std::string text;
    for (std::size_t i = 0; i < maxChars && bytes[i] != 0; ++i) AppendUtf8(text, bytes[i]);
    return text;
}

bool EncodeDeviceText(std::u32string_view text, uint8_t* out, std::size_t arraySize, std::string* error) {
    if (arraySize == 0) {
        if (error) *error = "Nincs hely a szövegnek.";
        return false;
    }
    std::u32string_view kept = text.substr(0, arraySize - 1);
    while (!kept.empty() && IsBlankOrControl(kept.front())) kept.remove_prefix(1);
    while (!kept.empty() && IsBlankOrControl(kept.back())) kept.remove_suffix(1);

    for (char32_t c : kept) {
        if (c > 0xFF) {
            if (error) *error = UnsendableMessage(c);
            return false;
        }
    }
    const auto end = std::transform(kept.begin(), kept.end(), out, [](char32_t c) { return uint8_t(c); });
    std::fill(end, out + arraySize, uint8_t(0));
    return true;
}

}  // namespace velmar
