#pragma once
// Small services of the operating system the program relies on: the
// default beep, the list of running processes, the INI file beside the
// executable and the regional settings.

#include <QChar>
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace velmar {

// How many running processes have this executable file name, compared
// without the directory and without letter case. The caller counts itself.
int CountProgramInstances(const QString& exeFileName);

// The system's default beep.
void MessageBeep();

// Writes one value into an INI file, creating it when absent and keeping
// what else it holds. False with the reason in *error on any failure; the
// file is then as it was.
bool WriteIniString(const QString& path, const QString& section, const QString& key, const QString& value,
                    QString* error = nullptr);

// The executable's path with its extension replaced by ".ini".
QString IniPathFor(const QString& executablePath);

// Regional settings as the program uses them.
struct RegionalSettings {
    QChar dateSeparator = '.';
    QChar decimalSeparator = '.';
    QString shortDateFormat = "yyyy.MM.dd.";
    QString longTimeFormat = "HH:mm:ss";

    static RegionalSettings FromLocale(const QLocale& locale);
    // Short date, three blanks, long time.
    QString DateTimeText(const QDateTime& when) const;
};

}  // namespace velmar
