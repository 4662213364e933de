#pragma once
// The virtual instrument's settings set is a view of the settings it keeps
// per module: reading it gathers them, writing it spreads them back, so a
// value written either way reads back both ways. What only the set carries
// (tag name, unit, bar graph, limit outputs 3 and 4, ...) is kept beside.

#include "core/settings/settings_set_codec.h"

namespace velmar::sim {

struct InstrumentSettings;
class VirtualInstrument;

SettingsSet GatherSettingsSet(const InstrumentSettings& settings);
void SpreadSettingsSet(const SettingsSet& set, InstrumentSettings& settings);

// Commands 131, 132 and 109.
void InstallSettingsSetHandlers(VirtualInstrument& instrument);

}  // namespace velmar::sim
