#include "gui/app/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include "program/file_writing.h"

namespace velmar {

bool WriteIniString(const QString& path, const QString& section, const QString& key, const QString& value,
                    QString* error) {
    QString ignored;
    if (!error) error = &ignored;
    QStringList lines;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
            *error = in.errorString();
            return false;
        }
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
    return WriteFileWhole(path, (lines.join('\n') + '\n').toUtf8(), error);
}

QString IniPathFor(const QString& executablePath) {
    const QFileInfo info(executablePath);
    return info.dir().filePath(info.completeBaseName() + ".ini");
}

QString WriteProgramIni(const QString& executablePath, const QString& section, const QString& key, const QString& value,
                        const QString& fallbackFolder, QString* error) {
    QString ignored;
    if (!error) error = &ignored;
    const QString beside = IniPathFor(executablePath);
    if (WriteIniString(beside, section, key, value, error)) return beside;
    // An installed program's folder is not the user's to write (Program
    // Files, /usr/bin): the value goes to the user's own folder instead of
    // being lost.
    const QString folder = fallbackFolder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                               : fallbackFolder;
    if (folder.isEmpty()) return {};
    const QString own = QDir(folder).filePath(QFileInfo(beside).fileName());
    return WriteIniString(own, section, key, value, error) ? own : QString();
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

RegionalSettings RegionalSettings::FromWindowsPictures(const QString& decimal, const QString& dateSeparator,
                                                       const QString& shortDate, const QString& longTime) {
    RegionalSettings r;
    if (!decimal.isEmpty()) r.decimalSeparator = decimal.at(0);
    if (!dateSeparator.isEmpty()) r.dateSeparator = dateSeparator.at(0);
    if (!shortDate.isEmpty()) r.shortDateFormat = QtFormatOfWindowsPicture(shortDate);
    if (!longTime.isEmpty()) r.longTimeFormat = QtFormatOfWindowsPicture(longTime);
    return r;
}

// Windows pictures and Qt formats share d, M, y, h, H, m, s and quoted text;
// the AM/PM marker is t or tt there, AP here, and g (the era) has no match.
QString QtFormatOfWindowsPicture(const QString& picture) {
    QString out;
    bool quoted = false;
    for (int i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        if (c == '\'') {
            quoted = !quoted;
            out += c;
        } else if (quoted) {
            out += c;
        } else if (c == 't') {
            while (i + 1 < picture.size() && picture.at(i + 1) == 't') ++i;
            out += "AP";
        } else if (c != 'g') {
            out += c;
        }
    }
    return out.trimmed();
}

QString RegionalSettings::DateTimeText(const QDateTime& when) const {
    return when.date().toString(shortDateFormat) + "   " + when.time().toString(longTimeFormat);
}

}  // namespace velmar
