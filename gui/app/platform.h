#pragma once
// Small services of the operating system the program relies on: the
// default beep, the list of running processes, the INI file beside the
// executable and the regional settings. Each system has its own file in
// platform/ (platform_linux.cpp, platform_windows.cpp); what both share is
// in platform/platform.cpp.

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
[[nodiscard]] bool WriteIniString(const QString& path, const QString& section, const QString& key, const QString& value,
                                  QString* error = nullptr);

// The executable's path with its extension replaced by ".ini".
QString IniPathFor(const QString& executablePath);

// Writes one value into the program's INI file: beside the executable, or,
// where that folder cannot be written, a file of the same name in
// fallbackFolder (by default the user's local application data folder).
// Returns the file written, empty when neither could be (the last reason in
// *error).
[[nodiscard]] QString WriteProgramIni(const QString& executablePath, const QString& section, const QString& key,
                                      const QString& value, const QString& fallbackFolder = {},
                                      QString* error = nullptr);

// A date or time picture of the Windows regional settings as a Qt format.
QString QtFormatOfWindowsPicture(const QString& picture);

// Regional settings as the program uses them.
struct RegionalSettings {
    QChar dateSeparator = '.';
    QChar decimalSeparator = '.';
    QString shortDateFormat = "yyyy.MM.dd.";
    QString longTimeFormat = "HH:mm:ss";

    static RegionalSettings FromLocale(const QLocale& locale);
    // From the four values Windows keeps: the decimal and date separators,
    // the short date and the long time pictures.
    static RegionalSettings FromWindowsPictures(const QString& decimal, const QString& dateSeparator,
                                                const QString& shortDate, const QString& longTime);
    // Short date, three blanks, long time.
    QString DateTimeText(const QDateTime& when) const;
};

// The user's regional settings as the system keeps them.
RegionalSettings SystemRegionalSettings();

}  // namespace velmar
