#pragma once
// Builds the program's windows: the main window first, then every dialog.

#include <memory>

#include "gui/app/startup_options.h"
#include "transport/hid_library.h"

namespace velmar {

class TForm1;

// The main window; it owns the dialogs (its children), reachable through it.
struct ProgramWindows {
    std::unique_ptr<TForm1> main;
    ~ProgramWindows();
    // Shows the main window, as the program does once everything is built.
    void ShowMain();
};

std::unique_ptr<ProgramWindows> Startup(HidLibrary& hid, StartupOptions options);

// Options for a real run: the process's command line, executable, locale,
// message box and quitting.
StartupOptions SystemStartupOptions();

}  // namespace velmar
