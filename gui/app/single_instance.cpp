#include "gui/app/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

namespace velmar {

namespace {
// Held for the life of the process; the system frees it when the process
// ends, and a lock left by a copy that crashed is stale by its process id.
std::unique_ptr<QLockFile>& HeldLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

QString LockFolder(const QString& folder) {
    if (!folder.isEmpty()) return folder;
    // Per user and cleared at logout; the temporary folder where there is none.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::TempLocation) : runtime;
}
}  // namespace

bool ClaimOnlyInstance(const QString& exeFileName, const std::function<int(const QString&)>& countRunning,
                       const QString& folder) {
    if (HeldLock()) return true;
    const QString dir = LockFolder(folder);
    auto lock = std::make_unique<QLockFile>(QDir(dir).filePath(exeFileName.toLower() + ".lock"));
    // Held for as long as the program runs: never stale by age.
    lock->setStaleLockTime(0);
    if (!dir.isEmpty() && QDir().mkpath(dir) && lock->tryLock(0)) {
        HeldLock() = std::move(lock);
        return true;
    }
    if (lock->error() == QLockFile::LockFailedError) return false;
    return !countRunning || countRunning(exeFileName) <= 1;
}

}  // namespace velmar
