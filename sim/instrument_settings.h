#pragma once
// What the virtual instrument keeps of its modules' settings, and from which
// its live values follow. The module blocks are those the commands carry.

#include <array>
#include <cstdint>

#include "modules/ac_input_codec.h"
#include "modules/analog_input_codec.h"
#include "modules/analog_output_codec.h"
#include "modules/limit_relay_codec.h"
#include "modules/modbus_codec.h"
#include "modules/password_codec.h"
#include "views/display_codec.h"
#include "views/px210_codec.h"

namespace velmar::sim {

struct InstrumentSettings {
    AnalogInputBlock input;
    std::array<AnalogOutputBlock, 2> outputs{};
    std::array<LimitBlock, 2> limits{};  // limit outputs 1 and 2, in slots or built in
    ModbusBlock modbus;
    DisplayBlock display;        // the indicators' display settings
    PasswordBlock passwords;
    PX210Block px210;  // the PX210USB's own settings
    AcInputBlock acInput;                // the PX350's and PX370's TRMS input
    AcCalibrationTable acCalibration{};  // its calibration points, per range
};

}  // namespace velmar::sim
