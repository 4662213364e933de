#pragma once

namespace velmar::sim {

class VirtualInstrument;

// Answers the AC input's commands of the PX350 and PX370: its settings
// block, and the calibration points taken per range and read back as a
// table. The instrument leaves the factory with every range calibrated but
// the last.
void InstallAcInputHandlers(VirtualInstrument& instrument);

}  // namespace velmar::sim
