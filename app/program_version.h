#pragma once
// The program's date, as the title shows it and --version prints it.

namespace velmar {

inline constexpr int kProgramYear = 2022, kProgramMonth = 7, kProgramDay = 21;

}  // namespace velmar
