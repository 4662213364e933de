#pragma once
// An instrument served on a local or TCP socket (e.g. by velmar-sim), behind
// the HID interface. Both directions carry bare 65-byte reports back to back.
// While the server cannot be reached the transport keeps trying once a
// second; a connection made is a plugged device, a connection lost an
// unplugged one.

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <array>
#include <deque>
#include <optional>

#include "core/link/frame.h"
#include "core/link/socket_address.h"
#include "transport/hid_library.h"

class QIODevice;
class QLocalSocket;
class QTcpSocket;

namespace velmar {

class SocketHid : public HidLibrary {
    Q_OBJECT
public:
    explicit SocketHid(SocketAddress address, QObject* parent = nullptr);
    ~SocketHid() override;

    // Parses "unix:PATH" or "tcp:HOST:PORT"; nothing, with *error set, for an
    // address the transport cannot connect to.
    [[nodiscard]] static std::optional<SocketAddress> ParseAddress(const QString& text, QString* error);

    void Connect() override;
    void Open() override;
    HidHandle GetHandle(uint16_t vendorId, uint16_t productId) override;
    uint16_t GetVendorID(HidHandle handle) override;
    uint16_t GetProductID(HidHandle handle) override;
    void GetVendorName(HidHandle handle, char* buffer, int size) override;
    void GetProductName(HidHandle handle, char* buffer, int size) override;
    void SetReadNotify(HidHandle, bool) override {}
    [[nodiscard]] bool Read(HidHandle handle, uint8_t* buffer) override;
    [[nodiscard]] bool Write(HidHandle handle, const uint8_t* buffer) override;

private:
    bool SocketIdle() const;
    void TryConnect();
    void OnRetryTick();
    void OnConnected();
    void OnUnconnected();
    void OnReadyRead();
    // Emits the event from the event loop, after whatever is running now.
    void Post(int event);

    static constexpr HidHandle kHandle = 1;
    static constexpr int kRetryMs = 1000;
    // Retries a connection attempt that neither succeeds nor fails, as a
    // TCP connect to an unreachable host can, after this many retry ticks.
    static constexpr int kConnectTicks = 5;

    SocketAddress address_;
    QLocalSocket* local_ = nullptr;
    QTcpSocket* tcp_ = nullptr;
    QIODevice* io_ = nullptr;
    QTimer retry_;
    bool opened_ = false;  // Open() or Connect() began reaching the server
    bool started_ = false;  // Connect(): events are delivered
    bool connected_ = false;
    int ticksConnecting_ = 0;
    QByteArray partial_;  // the start of a report whose rest has not arrived
    std::deque<std::array<uint8_t, kReportSize>> received_;
};

}  // namespace velmar
