#pragma once
// The monitor's list of recent commands: the newest first in the record,
// repeats of the same command counted up to ten ("n*").

#include <cstdint>
#include <string>

#include "core/link/mbu.h"

namespace velmar {

// Enters a command and returns the history text, oldest first.
std::string AddCommandToHistory(TMBU& mbu, uint8_t command);
std::string CommandHistoryText(const TMBU& mbu);

// A click on the history clears every entry; the monitor's button keeps the
// newest one.
void ClearCommandHistory(TMBU& mbu);
void ClearCommandHistoryButNewest(TMBU& mbu);

}  // namespace velmar
