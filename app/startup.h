#pragma once
// Builds the program's windows: the main window first, then every dialog.

#include <memory>

#include "app/startup_options.h"
#include "link/hid_library.h"

namespace velmar {

class TForm1;
class TForm_Keszulekcsere;
class TForm_Errors;

// The main window owns the dialogs (they are its children); they are
// reachable here by name as well.
struct ProgramWindows {
    std::unique_ptr<TForm1> main;
    TForm_Keszulekcsere* Form_Keszulekcsere = nullptr;
    TForm_Errors* Form_Errors = nullptr;
    ~ProgramWindows();
};

std::unique_ptr<ProgramWindows> Startup(HidLibrary& hid, StartupOptions options);

// Options for a real run: the process's command line, executable, locale,
// message box and quitting.
StartupOptions SystemStartupOptions();

}  // namespace velmar
