#include "program/utf8_console.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmar {

#ifdef _WIN32
Utf8Console::Utf8Console() : previous_(::GetConsoleOutputCP()) {
    if (previous_ != 0 && previous_ != CP_UTF8) ::SetConsoleOutputCP(CP_UTF8);
}
Utf8Console::~Utf8Console() {
    if (previous_ != 0 && previous_ != CP_UTF8) ::SetConsoleOutputCP(previous_);
}
#else
// Linux's terminals take the locale's encoding, UTF-8 on every current system.
Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;
#endif

}  // namespace velmar
