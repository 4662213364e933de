#pragma once
// The live side of the PX350's and PX370's TRMS input: what its converter
// sees of a mains signal whose level drifts slowly, with the signal lost
// and its frequency too high for a few seconds of every minute, so that
// every status bit of the input comes and goes.

#include <cstdint>

#include "core/device/records.h"
#include "core/modules/ac_input_codec.h"

namespace velmar::sim {

// Fills the input's fields of a status answer. directControl: the range the
// host asks for while it calibrates, 0 for the range of the settings.
void FillAcInputLive(tRX& rx, uint16_t deviceType, const AcInputBlock& settings, const AcCalibrationTable& table,
                     uint8_t directControl, double seconds);

}  // namespace velmar::sim
