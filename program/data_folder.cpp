#include "program/data_folder.h"

#include <QDir>
#include <QStandardPaths>

namespace velmar {

QString UserDataFolder() {
    // Qt follows the variable on Linux only, and not in its test mode, which
    // keeps a test's in-process writes out of every real folder.
    const QString chosen = qEnvironmentVariable("XDG_DATA_HOME");
    if (!chosen.isEmpty() && QDir::isAbsolutePath(chosen) && !QStandardPaths::isTestModeEnabled()) return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

}  // namespace velmar
