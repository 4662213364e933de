#include "core/device/status_texts.h"

#include "core/device/number_mask.h"

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

std::string SerialText(uint32_t serial) {
    char text[16];
    std::snprintf(text, sizeof text, "%06u", unsigned(serial));
    return text;
}

std::string InstrumentTag(uint16_t deviceType, uint32_t serial) {
    return "PX" + std::to_string(deviceType) + "-" + SerialText(serial);
}

std::string SerialNumberText(uint32_t serial, uint8_t year, uint8_t month) {
    return SerialText(serial) + "/" + FormatMask(year, "00") + "." + FormatMask(month, "00");
}

namespace {
constexpr ErrorBitText kErrorBits[] = {
    {"Label_cErrorUncalibratedInput", "Kalibrálatlan bemenet", 0},
    {"Label_cErrorUncalibratedOutput", "Kalibrálatlan kimenet", 1},
    {"Label_cErrorOutputRange", "Analóg kimenet skálázási hiba", 2},
    {"Label_cErrorFRAM", "Sérült beállítások (memóriahiba)", 3},
    {"Label_cErrorInputOverflow", "Bemeneti túlvezérlés ", 4},
    {"Label_cErrorInputModul", "Hibás mérőmodul", 5},
    {"Label_cErrorOpen", "Szakadt a bemeneti mérőkör", 7},
    {"Label_cErrorPotentiometer", "Kalibrálatlan potméter", 8},
    {"Label_cErrorRSTimeOut", "MODBUS RS-485 nincs lekérdezve", 6},
    {"Label_cErrorOutOfRange", "Méréstartományon kívüli jel", -1},
};
}  // namespace

std::span<const ErrorBitText> ErrorBitTexts() { return kErrorBits; }

std::string ErrorBitsText(uint32_t bits) {
    std::string text;
    for (const ErrorBitText& e : kErrorBits) {
        if (e.bit < 0 || !(bits & (1u << e.bit))) continue;
        std::string caption = e.caption;
        while (!caption.empty() && caption.back() == ' ') caption.pop_back();
        text += (text.empty() ? "" : ", ") + caption;
    }
    return text;
}

const char* MeasuredUnit(const tRX& rx) {
    if (rx.uPXOptIn == 8) return rx.uAnalogueTypeFor101 > 1 ? "V" : "mA";  // a Modbus input
    switch (rx.uDevice) {
    case 310: {
        static const char* const kUnits[] = {"°C", "%", "", "ohm"};
        return rx.uPXRT_Mode < 4 ? kUnits[rx.uPXRT_Mode] : nullptr;
    }
    case 350:
        if (rx.uInputType >= 1 && rx.uInputType <= 3) return "ACV";
        if (rx.uInputType >= 4 && rx.uInputType <= 7) return "DCV";
        return nullptr;
    case 530:
    case 544:
    case 546: return rx.uInputType <= 4 ? "%" : nullptr;
    default: return nullptr;
    }
}

}  // namespace velmar
