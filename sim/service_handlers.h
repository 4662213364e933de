#pragma once
// The factory commands of the virtual instrument: identity writing,
// calibrations and their read-backs, memory erase, restart and the display
// image.

namespace velmar::sim {

class VirtualInstrument;

void InstallServiceHandlers(VirtualInstrument& vi);

}  // namespace velmar::sim
