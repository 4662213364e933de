#pragma once
// The module map of the device pages: per page the groups of slots, the
// buttons that open each module's dialog and the limit output lamps, and
// which of them each reported option code shows.

#include <array>
#include <cstdint>
#include <span>

namespace velmar {

enum class ModuleKind : uint8_t { None, PXAI, PXAO, PXRL, PXMB, PXRT, PXTR, Password };
// What an opener does with the output-slot flag before opening.
enum class SlotFlag : uint8_t { Keep, Primary, Secondary };

struct ModuleControl {
    const char* name;
    bool lamp;
    ModuleKind dialog;
    SlotFlag slot;
    const char* dialogCaption;  // the dialog's window caption when opened from here
    bool pressRead;  // the opener asks for a read first
};

struct ModuleGroup {
    int page;  // index of the device page (DevicePage)
    const char* objectName;
    const char* caption;
    std::array<ModuleControl, 7> controls;  // unused entries have no name
};

std::span<const ModuleGroup> ModuleGroups();

// Captions of the module buttons, set once the main window exists.
struct ButtonCaption {
    const char* caption;
    std::array<const char*, 8> buttons;
};
std::span<const ButtonCaption> ModuleButtonCaptions();

// Which controls a reported option code shows, and the item of the service
// page's module choice that matches it.
struct OptionRule {
    uint8_t code;
    std::array<const char*, 6> shown;
    int radioItem;
};
struct OptionSlot {
    std::span<const char* const> hidden;  // hidden first, then the rule's controls shown
    std::span<const OptionRule> rules;  // the last rule is the fallback for other codes
    const char* radioGroup;
};
const OptionSlot& InputSlot();
const OptionSlot& PrimarySlot();
const OptionSlot& SecondarySlot();
const OptionRule& RuleFor(const OptionSlot& slot, uint8_t code);

}  // namespace velmar
