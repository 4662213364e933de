#include "transport/instrument_choice.h"

#include <charconv>
#include <cstdio>

namespace velmar {

std::string ParseInstrumentChoice(const std::string& text, InstrumentChoice* out) {
    InstrumentChoice c;
    if (text.empty()) {
        c.kind = InstrumentChoice::Kind::kFirst;
    } else if (text == "all") {
        c.kind = InstrumentChoice::Kind::kAll;
    } else if (text.front() == '/') {
        c.kind = InstrumentChoice::Kind::kNode;
        c.node = text;
    } else {
        uint32_t serial = 0;
        const char* end = text.data() + text.size();
        const auto [p, ec] = std::from_chars(text.data(), end, serial);
        if (ec != std::errc() || p != end)
            return "usb:" + text + ": egy csomópont (/dev/hidrawN), egy gyári szám vagy \"all\" kell";
        c.kind = InstrumentChoice::Kind::kSerial;
        c.serial = serial;
    }
    *out = c;
    return {};
}

}  // namespace velmar
