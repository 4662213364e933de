#pragma once

namespace velmar::sim {

class VirtualInstrument;

// Answers the PX210USB's settings commands from the instrument's settings
// and takes the written settings into them.
void InstallPX210Handlers(VirtualInstrument& instrument);

}  // namespace velmar::sim
