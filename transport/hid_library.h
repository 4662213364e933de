#pragma once
// The program's view of the USB HID library: plugged, unplugged, changed and
// report-received events for a device handle, and the read and write of
// 65-byte reports. USB, a socket and the in-process virtual instrument each
// implement it; the link never knows which one it talks to.

#include <QObject>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "transport/status_probe.h"

namespace velmar {

using HidHandle = quintptr;

enum HidEvent : int {
    kHidPlugged = 1,
    kHidUnplugged = 2,
    kHidChanged = 3,
    kHidReportReceived = 4,
};

// One instrument attached where several may be (USB): its node, whether it
// can be talked to, and who it is by one status exchange.
struct AttachedInstrument {
    std::string node;
    NodeState state = NodeState::kFree;
    bool identified = false;  // deviceType and serial are known
    uint16_t deviceType = 0;
    uint32_t serial = 0;
    bool current = false;  // the one this program talks to
};

// Copies an 8-bit name into a caller's buffer of size bytes, cut to fit and
// zero-terminated, as GetVendorName and GetProductName hand names out.
inline void CopyHidName(const std::string& name, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    const std::size_t n = std::min(name.size(), std::size_t(size) - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = 0;
}

// hidapi's wide strings as the 8-bit names the interface hands out.
inline std::string NarrowHidText(const wchar_t* text) {
    std::string result;
    if (!text) return result;
    for (; *text; ++text) {
        const auto c = static_cast<unsigned long>(*text);
        result.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return result;
}

class HidLibrary : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HidLibrary() override = default;

    // Starts delivering events. A matching device already attached is
    // announced by a plugged event.
    virtual void Connect() = 0;
    // Starts reaching the instrument ahead of Connect where that waits on
    // someone else (a socket's server accepting), so the link can be up by
    // the time the window connects. Nothing is delivered before Connect.
    virtual void Open() {}
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
    [[nodiscard]] virtual bool Read(HidHandle handle, uint8_t* buffer) = 0;
    // Sends a 65-byte report (report id 0 first). Never delivers an event
    // from inside the call.
    [[nodiscard]] virtual bool Write(HidHandle handle, const uint8_t* buffer) = 0;

    // The instruments attached, where several can be; the free ones are
    // asked who they are when identify is set (one status exchange each,
    // bounded in time). Empty for a transport of one instrument.
    virtual std::vector<AttachedInstrument> Instruments(bool identify) {
        (void)identify;
        return {};
    }
    // Talk to this one from now on (by its serial when it is known, so that
    // it is found again after a replug); the link sees an unplug and a plug.
    virtual void Choose(const AttachedInstrument& instrument) { (void)instrument; }

signals:
    // Instruments were attached or removed.
    void instrumentsChanged();
    // Always emitted from the event loop of the GUI thread.
    void hidEvent(int event, velmar::HidHandle handle);
    // Why an attached instrument cannot be used (for the user, in Hungarian),
    // or empty once it can. Only USB has such trouble: a missing permission.
    void accessProblem(const QString& text);
};

}  // namespace velmar
