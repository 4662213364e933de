#pragma once
// The program's date, shown in the window title, the protocol monitor and
// by --version.

#include <QChar>
#include <QString>

namespace velmar {

inline constexpr int kProgramYear = 2022, kProgramMonth = 7, kProgramDay = 21;

// Year, month and day, each followed by the date separator: "2022.07.21.".
QString ProgramDateText(QChar dateSeparator);

}  // namespace velmar
