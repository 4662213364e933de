#pragma once
// One running copy of the program per user: the copy that holds a lock file
// named after the executable runs, any other says so and ends. Two copies
// started at the same moment both see the other in the process list; the
// lock has exactly one holder, so the race ends with one program, not none.

#include <QString>
#include <functional>

namespace velmar {

// Takes the lock of this executable file name (without directory and letter
// case) in the user's runtime folder, or in folder when given, and keeps it
// until the process ends. True: this copy may run. Where no lock can be
// made at all (no writable folder), countRunning decides as before: more
// than one copy with this file name, this one included, refuses.
bool ClaimOnlyInstance(const QString& exeFileName, const std::function<int(const QString&)>& countRunning,
                       const QString& folder = QString());

}  // namespace velmar
