#include "gui/app/platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmar {

namespace {

// File name of a process's executable: the target of /proc/PID/exe, or for
// processes of other users, whose link cannot be read, the first word of
// their command line.
QString ProcessExeName(const QString& pidDir) {
    const QString target = QFileInfo(pidDir + "/exe").symLinkTarget();
    if (!target.isEmpty()) return QFileInfo(target.section(" (deleted)", 0, 0)).fileName();
    QFile cmdline(pidDir + "/cmdline");
    if (!cmdline.open(QIODevice::ReadOnly)) return {};
    const QByteArray argv0 = cmdline.readAll().split('\0').value(0);
    return QFileInfo(QString::fromLocal8Bit(argv0)).fileName();
}

}  // namespace

int CountProgramInstances(const QString& exeFileName) {
    const QString wanted = exeFileName.toLower();
    int count = 0;
    const QDir proc("/proc");
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        entry.toInt(&isPid);
        if (isPid && ProcessExeName(proc.filePath(entry)).toLower() == wanted) ++count;
    }
    return count;
}

void MessageBeep() { QApplication::beep(); }

RegionalSettings SystemRegionalSettings() { return RegionalSettings::FromLocale(QLocale::system()); }

}  // namespace velmar
