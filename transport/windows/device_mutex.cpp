#include "transport/windows/device_mutex.h"

#include <windows.h>

#include <cwctype>

namespace velmar {

std::wstring DeviceMutex::NameFor(const std::string& path) {
    // Local: one logon session, as a USB device belongs to the user at it.
    std::wstring name = L"Local\\velmar-hid-";
    for (unsigned char c : path) name.push_back(c == '\\' ? L'/' : wchar_t(std::towlower(c)));
    return name;
}

std::unique_ptr<DeviceMutex> DeviceMutex::Take(const std::string& path, NodeState* state) {
    HANDLE handle = ::CreateMutexW(nullptr, FALSE, NameFor(path).c_str());
    // Existing means another handle is open on it: the device is held.
    if (!handle || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (handle) ::CloseHandle(handle);
        *state = NodeState::kInUse;
        return nullptr;
    }
    *state = NodeState::kFree;
    return std::unique_ptr<DeviceMutex>(new DeviceMutex(handle));
}

DeviceMutex::~DeviceMutex() { ::CloseHandle(static_cast<HANDLE>(handle_)); }

}  // namespace velmar
