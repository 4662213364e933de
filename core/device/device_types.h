#pragma once
// The instrument families the program knows, by device type code.

#include <cstdint>
#include <string>

namespace velmar {

// Device pages of the main window, in the order they are created.
enum class DevicePage : int { P310, P330, P210, P510, P350, P370, P530, P580, None };

struct DeviceTypeInfo {
    uint16_t code;
    const char* name;  // shown in the header
    DevicePage page;  // the page selected for it, None for none
};

// nullptr for a code the program does not know.
const DeviceTypeInfo* FindDeviceType(uint16_t code);

// PX530, PX544 and PX546: one page, the display block and two limit
// outputs built in.
bool IsPX530Family(uint16_t code);

// The header's text for a device type; unknown codes are named by number.
std::string DeviceTypeName(uint16_t code);

}  // namespace velmar
