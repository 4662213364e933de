#pragma once
// Arrival and removal of HID devices on Windows, as the system tells a
// window: RegisterDeviceNotification for the HID interface class on a
// message-only window, whose WM_DEVICECHANGE messages pass through Qt's
// native event filters. This filter picks out ours for the instrument's
// vendor and product and says so; the USB bus then looks again.

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace velmar {

class DeviceNotifier : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit DeviceNotifier(QObject* parent = nullptr);
    ~DeviceNotifier() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The window the notifications go to; 0 when none could be made.
    quintptr Window() const { return window_; }

signals:
    // An instrument came or went (the message named its device interface).
    void devicesChanged();

private:
    quintptr window_ = 0;
    void* registration_ = nullptr;
};

}  // namespace velmar
