#pragma once
// The program's name and date, shown in the window title, the protocol
// monitor, the message boxes and by --version.

#include <QChar>
#include <QString>

namespace velmar {

// As the menu entry names the program; the title of its message boxes.
inline constexpr char kProgramName[] = "Velmar beállító program";

inline constexpr int kProgramYear = 2022, kProgramMonth = 7, kProgramDay = 21;

// Year, month and day, each followed by the date separator: "2022.07.21.".
QString ProgramDateText(QChar dateSeparator);

// What --version prints, alike in the three programs: "velmar-cli v2022.07.21.".
QString VersionText(const char* program);

}  // namespace velmar
