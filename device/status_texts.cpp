#include "device/status_texts.h"

#include "device/number_mask.h"

namespace velmar {

std::string FormatMemoryStatus(uint8_t bits) {
    if (bits == 0) return "Mindegyik hibás!";
    static const char* const kNames[] = {"RAM, ", "RAMB, ", "FRAM, ", "FRAMB, "};
    std::string text;
    for (int i = 0; i < 4; ++i)
        if (bits & (1 << i)) text += kNames[i];
    return text;
}

std::string FormatOperatingTime(uint32_t seconds) {
    std::string text;
    bool started = false;
    if (seconds > 86399) {
        const uint32_t days = seconds / 86400;
        started = days != 0;
        text = FormatMask(days, "## ##0") + " nap, ";
        seconds %= 86400;
    }
    if (seconds >= 3600 || started) {
        const uint32_t hours = seconds / 3600;
        started = started || hours != 0;
        text += std::to_string(hours) + " óra, ";
        seconds %= 3600;
    }
    if (seconds >= 60 || started) {
        text += std::to_string(seconds / 60) + " perc, ";
        seconds %= 60;
    }
    return text + std::to_string(seconds) + " mp";
}

std::string SerialNumberText(uint32_t serial, uint8_t year, uint8_t month) {
    return FormatMask(serial, "000000") + "/" + FormatMask(year, "00") + "." + FormatMask(month, "00");
}

}  // namespace velmar
