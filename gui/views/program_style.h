#pragma once
// The program's look on top of the platform's style: push buttons with room
// between their text and their edges.

namespace velmar {

// Installs it for the whole application, once; later calls do nothing.
void InstallProgramStyle();

}  // namespace velmar
