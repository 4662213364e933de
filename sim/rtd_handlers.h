#pragma once
// The RTD input of the virtual instrument (the PX310's own input, or a PXRT
// module in the input slot): its settings commands, and what it measures.

#include "core/device/records.h"
#include "core/modules/rtd_input_codec.h"

namespace velmar::sim {

class VirtualInstrument;

// Answers the read and the factory values, takes the write.
void InstallRtdHandlers(VirtualInstrument& instrument);

// The input at a position of the slow waveform (0..1) through its settings:
// a Pt sensor warming and cooling between about 7 and 43 °C, or a
// potentiometer's wiper travelling along its 1 kohm track. Fills the status
// answer's input fields and returns the displayed value, implied decimals.
double ShowRtdReading(const RtdBlock& settings, bool pt1000, double fraction, tRX& rx);

}  // namespace velmar::sim
