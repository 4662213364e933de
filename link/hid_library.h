#pragma once
// The program's view of the USB HID library: plugged, unplugged, changed and
// report-received events for a device handle, and the read and write of
// 65-byte reports. USB, a socket and the in-process virtual instrument each
// implement it; the link never knows which one it talks to.

#include <QObject>
#include <cstdint>

namespace velmar {

using HidHandle = quintptr;

enum HidEvent : int {
    kHidPlugged = 1,
    kHidUnplugged = 2,
    kHidChanged = 3,
    kHidReportReceived = 4,
};

class HidLibrary : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HidLibrary() override = default;

    // Starts delivering events. A matching device already attached is
    // announced by a plugged event.
    virtual void Connect() = 0;
    // Handle of the attached device with these ids, 0 when there is none.
    virtual HidHandle GetHandle(uint16_t vendorId, uint16_t productId) = 0;
    virtual uint16_t GetVendorID(HidHandle handle) = 0;
    virtual uint16_t GetProductID(HidHandle handle) = 0;
    // Zero-terminated 8-bit names into buffer (at most size bytes).
    virtual void GetVendorName(HidHandle handle, char* buffer, int size) = 0;
    virtual void GetProductName(HidHandle handle, char* buffer, int size) = 0;
    virtual void SetReadNotify(HidHandle handle, bool notify) = 0;
    // Copies the oldest received report (65 bytes, report id first) into
    // buffer; returns false when none is waiting.
    virtual bool Read(HidHandle handle, uint8_t* buffer) = 0;
    // Sends a 65-byte report (report id 0 first). Never delivers an event
    // from inside the call.
    virtual bool Write(HidHandle handle, const uint8_t* buffer) = 0;

signals:
    // Always emitted from the event loop of the GUI thread.
    void hidEvent(int event, velmar::HidHandle handle);
    // Why an attached instrument cannot be used (for the user, in Hungarian),
    // or empty once it can. Only USB has such trouble: a missing permission.
    void accessProblem(const QString& text);
};

}  // namespace velmar
