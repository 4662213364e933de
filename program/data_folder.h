#pragma once
// Where the programs keep what outlives a run for the user: the journals
// and the station's last serial number.

#include <QString>

namespace velmar {

// XDG_DATA_HOME where it is set, on every system; otherwise the user's own
// data folder (~/.local/share on Linux, the local application data on
// Windows). One variable moves the data of all three programs alike.
QString UserDataFolder();

}  // namespace velmar
