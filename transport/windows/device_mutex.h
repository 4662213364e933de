#pragma once
// The lock that keeps two of our programs off one instrument on Windows: a
// named mutex per device path, the counterpart of flock on a hidraw node.
// The system drops it with the last handle, so a program that dies frees
// the instrument.

#include <memory>
#include <string>

#include "transport/status_probe.h"

namespace velmar {

class DeviceMutex {
public:
    // The lock for path, or nothing with *state kInUse when any program
    // (this one included, as flock on a second descriptor) holds it.
    static std::unique_ptr<DeviceMutex> Take(const std::string& path, NodeState* state);
    ~DeviceMutex();
    DeviceMutex(const DeviceMutex&) = delete;
    DeviceMutex& operator=(const DeviceMutex&) = delete;

    // The mutex's name for a device path: device paths differ in letter case
    // from one call to the next, and a name may hold no backslash.
    static std::wstring NameFor(const std::string& path);

private:
    explicit DeviceMutex(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace velmar
