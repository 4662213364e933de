#include "programs/velmar-sim/sim_server.h"

#include <QHostAddress>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace velmar::sim {

SimServer::SimServer(InstrumentConfig config, QObject* parent) : QObject(parent), instrument_(config) {}

namespace {

// Clears the way for a unix socket: a socket file left by a server that was
// killed is removed, a live server or a file of some other kind is not.
QString ClearUnixPath(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::exists(status)) return {};
    if (!std::filesystem::is_socket(status))
        return QString::fromUtf8("%1 már létezik, és nem socket").arg(QString::fromStdString(path));
    QLocalSocket probe;
    probe.connectToServer(QString::fromStdString(path));
    if (probe.waitForConnected(1000))
        return QString::fromUtf8("már egy másik szerver figyel itt: %1").arg(QString::fromStdString(path));
    QLocalServer::removeServer(QString::fromStdString(path));
    return {};
}

}  // namespace

QString SimServer::Listen(const SocketAddress& address) {
    address_ = address;
    if (address.kind == SocketAddress::Kind::kUnix) {
        if (QString error = ClearUnixPath(address.path); !error.isEmpty()) return error;
        localServer_ = new QLocalServer(this);
        connect(localServer_, &QLocalServer::newConnection, this, &SimServer::TakeNextClient);
        if (!localServer_->listen(QString::fromStdString(address.path))) return localServer_->errorString();
        return {};
    }
    QHostAddress host;
    if (address.host == "localhost")
        host = QHostAddress::LocalHost;
    else if (!host.setAddress(QString::fromStdString(address.host)))
        return QString::fromUtf8("nem IP-cím: %1").arg(QString::fromStdString(address.host));
    tcpServer_ = new QTcpServer(this);
    connect(tcpServer_, &QTcpServer::newConnection, this, &SimServer::TakeNextClient);
    if (!tcpServer_->listen(host, address.port)) return tcpServer_->errorString();
    address_.port = tcpServer_->serverPort();
    return {};
}

void SimServer::TakeNextClient() {
    // One client at a time; the others wait in the server's pending list
    // until the current one leaves.
    while (!client_) {
        if (localServer_ && localServer_->hasPendingConnections()) {
            auto* socket = localServer_->nextPendingConnection();
            if (socket->state() != QLocalSocket::ConnectedState) {
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::disconnected, this, &SimServer::OnClientGone);
            client_ = socket;
        } else if (tcpServer_ && tcpServer_->hasPendingConnections()) {
            auto* socket = tcpServer_->nextPendingConnection();
            if (socket->state() != QAbstractSocket::ConnectedState) {
                socket->deleteLater();
                continue;
            }
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            connect(socket, &QAbstractSocket::disconnected, this, &SimServer::OnClientGone);
            client_ = socket;
        } else {
            return;
        }
        ++clientNumber_;
        ++connections_;
        partial_.clear();
        connect(client_, &QIODevice::readyRead, this, &SimServer::OnReadyRead);
        // Reports the client sent while it waited are in the socket already.
        OnReadyRead();
    }
}

void SimServer::OnClientGone() {
    if (!client_) return;
    client_->disconnect(this);
    client_->deleteLater();
    client_ = nullptr;
    ++clientNumber_;
    partial_.clear();
    TakeNextClient();
}

void SimServer::DisconnectEvery(int seconds) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
        if (!client_) return;
        ++disconnects_;
        QIODevice* gone = client_;
        OnClientGone();
        gone->close();
    });
    timer->start(seconds * 1000);
}

std::string SimServer::Summary() const {
    const FaultSchedule& f = instrument_.Faults();
    std::string s = "válaszok " + std::to_string(f.Answers()) + ", kapcsolatok " + std::to_string(connections_) +
                    ", a készülék bontotta " + std::to_string(disconnects_);
    if (!f.Active()) return s;
    unsigned total = 0;
    std::string kinds;
    for (std::size_t i = 0; i < FaultKinds().size(); ++i) {
        total += f.Injected()[i];
        kinds += std::string(i ? ", " : "") + FaultKinds()[i].name + " " + std::to_string(f.Injected()[i]);
    }
    return s + ", szándékos hibák " + std::to_string(total) + " (" + kinds + ")";
}

void SimServer::OnReadyRead() {
    if (!client_) return;
    partial_ += client_->readAll();
    qsizetype used = 0;
    while (partial_.size() - used >= qsizetype(kReportSize)) {
        const auto answer = instrument_.HandleReport(reinterpret_cast<const uint8_t*>(partial_.constData() + used));
        used += kReportSize;
        ShowDisplayTest();
        if (answer) Answer(*answer);
    }
    partial_.remove(0, used);
}

void SimServer::ShowDisplayTest() {
    const uint8_t pattern = instrument_.Live().DisplayTestPattern();
    if (pattern == displayTest_) return;
    displayTest_ = pattern;
    if (pattern)
        std::fprintf(stderr, "velmar-sim: kijelzőteszt, %u. minta\n", unsigned(pattern));
    else
        std::fprintf(stderr, "velmar-sim: a kijelzőteszt véget ért\n");
}

void SimServer::Answer(const Report& answer) {
    const int latency = instrument_.Config().latencyMs;
    if (latency == 0) {
        client_->write(reinterpret_cast<const char*>(answer.data()), qint64(answer.size()));
        return;
    }
    QTimer::singleShot(latency, this, [this, number = clientNumber_, answer] {
        if (client_ && number == clientNumber_)
            client_->write(reinterpret_cast<const char*>(answer.data()), qint64(answer.size()));
    });
}

}  // namespace velmar::sim
