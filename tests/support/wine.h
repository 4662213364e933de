#pragma once
// Whether a Windows build runs under Wine, whose fonts and HID stack are not
// those of Windows: the few checks that measure text or need real USB say so
// and leave the answer to Linux or to a real Windows.

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmar::test {

inline bool RunningUnderWine() {
#ifdef _WIN32
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

}  // namespace velmar::test
