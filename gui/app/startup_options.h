#pragma once
// What the start-up function hands the main window: the command line, where
// the executable lives, the regional settings and the few system services
// that tests replace.

#include <QStringList>
#include <functional>

#include "gui/app/platform.h"
#include "gui/app/single_instance.h"

namespace velmar {

struct StartupOptions {
    QStringList arguments;  // without the program path
    QString executablePath;
    RegionalSettings regional;
    // True when this copy may run: it holds the lock no other copy holds.
    std::function<bool(const QString& exeFileName)> claimOnlyInstance = [](const QString& exeFileName) {
        return ClaimOnlyInstance(exeFileName, CountProgramInstances);
    };
    std::function<void()> beep = MessageBeep;
    // Shows an information message and waits for OK.
    std::function<void(const QString& text)> inform;
    // Asks a yes/no question and waits for the answer; true for yes.
    std::function<bool(const QString& text)> confirm;
    // Asks for a file name to save to (save) or to open; empty when the
    // user gives none.
    std::function<QString(const QString& caption, bool save)> chooseFile;
    // Where the instruments' journals are kept; empty: the user's data folder.
    QString journalFolder;
    // Ends the program.
    std::function<void()> terminate;
};

}  // namespace velmar
