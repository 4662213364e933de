#pragma once
// The order in which pending requests are served: the first pending request
// of this list is started, the status poll when none is pending.

#include <cstdint>
#include <span>

namespace velmar {

// Requests of the output module dialogs belong to the slot the dialog is
// open for.
enum class SlotRule : uint8_t { Any, Primary, Secondary };

struct PriorityRank {
    uint8_t rank;
    const char* window;  // object name of the dialog holding the button; nullptr: main window
    const char* button;  // the request button
    const char* button2;  // another button requesting the same, or nullptr
    SlotRule slot;
    uint8_t command;
};

std::span<const PriorityRank> PriorityList();

constexpr uint8_t kStatusCommand = 101;

}  // namespace velmar
