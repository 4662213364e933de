#include "core/link/frame_dump.h"

namespace velmar {

std::string HexDump(const uint8_t* report, bool answer) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(64 * 3);
    for (int i = 1; i <= 64; ++i) {
        text += kHex[report[i] >> 4];
        text += kHex[report[i] & 15];
        switch (i) {
        case 2:
        case 4:
        case 6:
        case 7:
        case 8:
        case 10:
        case 12: text += '|'; break;
        case 5: text += answer ? '|' : ' '; break;
        case 16: text += '('; break;
        case 62: text += ')'; break;
        case 64: break;
        default: text += ' '; break;
        }
    }
    return text;
}

std::string PayloadLengthText(unsigned length) {
    return std::to_string(length) + " / " + std::to_string((length / 46 + 1) * 46);
}

}  // namespace velmar
