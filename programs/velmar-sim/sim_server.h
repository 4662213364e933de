#pragma once
// Serves one virtual instrument on a local or TCP socket, to one client at a
// time: bare 65-byte reports in, the instrument's answer reports out. The
// instrument outlives the connections, so its frame counter and state carry
// over from one client to the next, as they would on a real instrument that
// stays powered while the program restarts.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <string>

#include "core/link/socket_address.h"
#include "sim/virtual_instrument.h"

class QIODevice;
class QLocalServer;
class QTcpServer;

namespace velmar::sim {

class SimServer : public QObject {
    Q_OBJECT
public:
    explicit SimServer(InstrumentConfig config, QObject* parent = nullptr);

    // Starts listening. Returns the error text, empty on success. A unix
    // socket file nobody listens on any more is removed first.
    QString Listen(const SocketAddress& address);
    // The address listened on, with the port a TCP listener was given.
    SocketAddress Address() const { return address_; }
    VirtualInstrument& Instrument() { return instrument_; }
    // Closes the client's connection every so often, as an instrument that
    // is unplugged and plugged in again; the client connects anew.
    void DisconnectEvery(int seconds);
    unsigned Connections() const { return connections_; }
    unsigned Disconnects() const { return disconnects_; }
    // What was served and what was spoiled, for the end of a soak.
    std::string Summary() const;

private:
    void TakeNextClient();
    void OnReadyRead();
    void OnClientGone();
    void Answer(const Report& answer);
    // Tells on stderr when the host starts, changes or ends a display test:
    // the instrument's display is nowhere else to be seen.
    void ShowDisplayTest();

    VirtualInstrument instrument_;
    SocketAddress address_;
    QLocalServer* localServer_ = nullptr;
    QTcpServer* tcpServer_ = nullptr;
    QIODevice* client_ = nullptr;
    QByteArray partial_;  // the start of a report whose rest has not arrived
    unsigned clientNumber_ = 0;  // answers for an earlier client are dropped
    uint8_t displayTest_ = 0;
    unsigned connections_ = 0;
    unsigned disconnects_ = 0;
};

}  // namespace velmar::sim
