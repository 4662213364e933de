#include "gui/app/platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

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

bool WriteIniString(const QString& path, const QString& section, const QString& key, const QString& value) {
    QStringList lines;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
        lines = QString::fromUtf8(in.readAll()).split('\n');
        in.close();
        while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    }
    const QString header = '[' + section + ']';
    const QString entry = key + '=' + value;
    int sectionAt = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].trimmed().compare(header, Qt::CaseInsensitive) == 0) sectionAt = i;
    if (sectionAt < 0) {
        lines << header << entry;
    } else {
        int i = sectionAt + 1;
        for (; i < lines.size() && !lines[i].trimmed().startsWith('['); ++i) {
            if (lines[i].section('=', 0, 0).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = entry;
                break;
            }
        }
        if (i >= lines.size() || lines[i].trimmed().startsWith('[')) lines.insert(i, entry);
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    out.write((lines.join('\n') + '\n').toUtf8());
    return out.commit();
}

QString IniPathFor(const QString& executablePath) {
    const QFileInfo info(executablePath);
    return info.dir().filePath(info.completeBaseName() + ".ini");
}

RegionalSettings RegionalSettings::FromLocale(const QLocale& locale) {
    RegionalSettings r;
    r.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    // A blank between the parts ("d MMM yyyy" of the C locale) is no
    // separator: such a date then reads as on a Hungarian system.
    r.dateSeparator = '.';
    for (QChar c : r.shortDateFormat) {
        if (!c.isLetter() && !c.isSpace()) {
            r.dateSeparator = c;
            break;
        }
    }
    r.decimalSeparator = locale.decimalPoint().at(0);
    // The long time format without its time zone, as a clock shows it.
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QLatin1Char('t'));
    r.longTimeFormat = time.trimmed();
    return r;
}

QString RegionalSettings::DateTimeText(const QDateTime& when) const {
    return when.date().toString(shortDateFormat) + "   " + when.time().toString(longTimeFormat);
}

}  // namespace velmar
