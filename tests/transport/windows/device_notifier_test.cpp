// Device arrival and removal on Windows: WM_DEVICECHANGE messages for the
// notifier's window, fed to the native event filter as the system would send
// them; only those naming our instrument's interface count.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <QSignalSpy>
#include <cstring>
#include <vector>

#include "transport/windows/device_notifier.h"

namespace velmar {
namespace {

// A DEV_BROADCAST_DEVICEINTERFACE_W with its name after the header.
std::vector<char> Broadcast(DWORD type, const wchar_t* name) {
    const std::size_t size = sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + (std::wcslen(name) + 1) * sizeof(wchar_t);
    std::vector<char> bytes(size, 0);
    auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
    b->dbcc_size = DWORD(size);
    b->dbcc_devicetype = type;
    std::wcscpy(b->dbcc_name, name);
    return bytes;
}

constexpr wchar_t kOurs[] = L"\\\\?\\HID#VID_04D8&PID_003F#7&2f0ab3c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr wchar_t kMouse[] = L"\\\\?\\HID#VID_046D&PID_C077#7&1a2b3c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

TEST(DeviceNotifierTest, CountsOnlyOurInstrumentComingAndGoing) {
    DeviceNotifier notifier;
    ASSERT_NE(notifier.Window(), 0u);
    const HWND window = reinterpret_cast<HWND>(notifier.Window());
    struct Case {
        const char* what;
        HWND window;
        WPARAM event;
        DWORD type;
        const wchar_t* name;
        bool counts;
    } cases[] = {
        {"arrival", window, DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kOurs, true},
        {"removal", window, DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, kOurs, true},
        {"another device", window, DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kMouse, false},
        {"a volume", window, DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kOurs, false},
        {"removal asked, not done", window, DBT_DEVICEQUERYREMOVE, DBT_DEVTYP_DEVICEINTERFACE, kOurs, false},
        {"another window", HWND(1), DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kOurs, false},
    };
    for (const Case& c : cases) {
        QSignalSpy changed(&notifier, &DeviceNotifier::devicesChanged);
        std::vector<char> broadcast = Broadcast(c.type, c.name);
        MSG msg{c.window, WM_DEVICECHANGE, c.event, reinterpret_cast<LPARAM>(broadcast.data()), 0, {}};
        qintptr result = 0;
        EXPECT_EQ(notifier.nativeEventFilter("windows_generic_MSG", &msg, &result), c.counts) << c.what;
        EXPECT_EQ(changed.count(), c.counts ? 1 : 0) << c.what;
    }
    // Messages of other kinds are not looked into.
    MSG other{window, WM_TIMER, 0, 0, 0, {}};
    EXPECT_FALSE(notifier.nativeEventFilter("windows_generic_MSG", &other, nullptr));
}

TEST(DeviceNotifierTest, MessageSentToTheWindowReachesTheFilter) {
    DeviceNotifier notifier;
    QSignalSpy changed(&notifier, &DeviceNotifier::devicesChanged);
    std::vector<char> broadcast = Broadcast(DBT_DEVTYP_DEVICEINTERFACE, kOurs);
    // As the system delivers it: sent to the window procedure, past the queue.
    const LRESULT result = ::SendMessageW(reinterpret_cast<HWND>(notifier.Window()), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                          reinterpret_cast<LPARAM>(broadcast.data()));
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(changed.count(), 1);
}

}  // namespace
}  // namespace velmar
