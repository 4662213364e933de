#include "transport/windows/device_notifier.h"

#include <windows.h>
#include <dbt.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QString>

#include "core/link/frame.h"

namespace velmar {

namespace {

// GUID_DEVINTERFACE_HID, spelt out to need no hidclass.h.
constexpr GUID kHidInterface = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr wchar_t kWindowClass[] = L"VelmarDeviceNotifier";

// The system sends WM_DEVICECHANGE straight to the window procedure, past
// the event loop: hand it to the native event filters from here.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE) {
        MSG msg{window, message, wParam, lParam, ::GetMessageTime(), {}};
        qintptr result = 0;
        if (auto* dispatcher = QAbstractEventDispatcher::instance())
            if (dispatcher->filterNativeEvent("windows_generic_MSG", &msg, &result)) return result;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Whether a device interface path names our instrument:
// \\?\HID#VID_04D8&PID_003F#...
bool IsOurs(const wchar_t* path) {
    const QString wanted =
        QString("vid_%1&pid_%2").arg(kVendorId, 4, 16, QChar('0')).arg(kProductId, 4, 16, QChar('0'));
    return QString::fromWCharArray(path).toLower().contains(wanted);
}

}  // namespace

DeviceNotifier::DeviceNotifier(QObject* parent) : QObject(parent) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    HWND window =
        ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    window_ = reinterpret_cast<quintptr>(window);
    if (window) {
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof filter;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = kHidInterface;
        registration_ = ::RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    if (QCoreApplication::instance()) QCoreApplication::instance()->installNativeEventFilter(this);
}

DeviceNotifier::~DeviceNotifier() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    if (registration_) ::UnregisterDeviceNotification(registration_);
    if (window_) ::DestroyWindow(reinterpret_cast<HWND>(window_));
}

bool DeviceNotifier::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) {
    if (eventType != "windows_generic_MSG" || !message) return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (!window_ || msg->hwnd != reinterpret_cast<HWND>(window_) || msg->message != WM_DEVICECHANGE) return false;
    if (msg->wParam != DBT_DEVICEARRIVAL && msg->wParam != DBT_DEVICEREMOVECOMPLETE) return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(msg->lParam);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
    const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    if (!IsOurs(device->dbcc_name)) return false;
    // Handled: the system expects TRUE for a device change.
    if (result) *result = TRUE;
    emit devicesChanged();
    return true;
}

}  // namespace velmar
