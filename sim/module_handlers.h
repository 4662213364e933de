#pragma once

namespace velmar::sim {

class VirtualInstrument;

// Answers the module commands from the instrument's settings and takes the
// written settings into them.
void InstallModuleHandlers(VirtualInstrument& instrument);

}  // namespace velmar::sim
