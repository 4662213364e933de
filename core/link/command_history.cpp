#include "core/link/command_history.h"

#include <algorithm>

namespace velmar {

std::string AddCommandToHistory(TMBU& mbu, uint8_t command) {
    auto& codes = mbu.uCommandLines;
    auto& counts = mbu.uCommandCountLines;
    if (codes[0] != command) {
        std::copy_backward(codes.begin(), codes.end() - 1, codes.end());
        std::copy_backward(counts.begin(), counts.begin() + kHistorySize - 1, counts.begin() + kHistorySize);
        codes[0] = command;
        counts[0] = 1;
    } else if (counts[0] < 10) {
        ++counts[0];
    }
    return CommandHistoryText(mbu);
}

std::string CommandHistoryText(const TMBU& mbu) {
    std::string text;
    for (int i = int(kHistorySize) - 1; i >= 0; --i) {
        const uint8_t code = mbu.uCommandLines[std::size_t(i)];
        if (code == 0) continue;
        const uint8_t count = mbu.uCommandCountLines[std::size_t(i)];
        if (count >= 2 && count <= 9)
            text += std::to_string(count) + "*";
        else if (count >= 10)
            text += "n*";
        text += std::to_string(code) + ", ";
    }
    return text;
}

void ClearCommandHistory(TMBU& mbu) { mbu.uCommandLines.fill(0); }

void ClearCommandHistoryButNewest(TMBU& mbu) { std::fill(mbu.uCommandLines.begin() + 1, mbu.uCommandLines.end(), 0); }

}  // namespace velmar
