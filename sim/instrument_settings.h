#pragma once
// What the virtual instrument keeps of its modules' settings, and from which
// its live values follow. The module blocks are those the commands carry.

#include <array>
#include <cstdint>

#include "core/modules/ac_input_codec.h"
#include "core/modules/analog_input_codec.h"
#include "core/modules/analog_output_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/modbus_codec.h"
#include "core/modules/password_codec.h"
#include "core/modules/rtd_input_codec.h"
#include "core/settings/settings_set_codec.h"
#include "core/views/display_codec.h"
#include "core/views/px210_codec.h"

namespace velmar::sim {

// What only the settings set carries, beside the module blocks.
struct SettingsSetExtras {
    std::array<uint8_t, 22> tagname{'V', 'i', 'r', 't', 'u', 0xE1, 'l', 'i', 's'};  // Latin-1
    std::array<uint8_t, 9> dimension{'%'};
    uint8_t barGraphMode = 0;
    int32_t bgLow = 0;
    int32_t bgHigh = 10000;
    uint8_t limitDisplayMode = 1;
    std::array<SettingsSetLimit, kSettingsSetLimits> limits{};  // 3 and 4; 1 and 2 are the relay blocks
    std::array<uint16_t, kSettingsSetLimits> timeBase{60, 60, 60, 60};
    std::array<uint8_t, kSettingsSetLimits> pulseWidth{2, 2, 2, 2};
};

struct InstrumentSettings {
    AnalogInputBlock input;
    std::array<AnalogOutputBlock, 2> outputs{};
    std::array<LimitBlock, 2> limits{};  // limit outputs 1 and 2, in slots or built in
    ModbusBlock modbus;
    DisplayBlock display;  // the indicators' display settings
    PasswordBlock passwords;
    SettingsSetExtras setExtras;
    PX210Block px210;  // the PX210USB's own settings
    RtdBlock rtd;  // the PX310's input, or a PXRT module
    AcInputBlock acInput;  // the PX350's and PX370's TRMS input
    AcCalibrationTable acCalibration{};  // its calibration points, per range
};

}  // namespace velmar::sim
