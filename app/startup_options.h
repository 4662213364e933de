#pragma once
// What the start-up function hands the main window: the command line, where
// the executable lives, the regional settings and the few system services
// that tests replace.

#include <QStringList>
#include <functional>

#include "app/platform.h"

namespace velmar {

struct StartupOptions {
    QStringList arguments;  // without the program path
    QString executablePath;
    RegionalSettings regional;
    std::function<int(const QString& exeFileName)> countProgramInstances = CountProgramInstances;
    std::function<void()> beep = MessageBeep;
    // Shows an information message and waits for OK.
    std::function<void(const QString& text)> inform;
    // Asks a yes/no question and waits for the answer; true for yes.
    std::function<bool(const QString& text)> confirm;
    // Ends the program.
    std::function<void()> terminate;
};

}  // namespace velmar
