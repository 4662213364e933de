#include "transport/socket_hid.h"

#include <QLocalSocket>
#include <QTcpSocket>
#include <cstring>
#include <string>

namespace velmar {

SocketHid::SocketHid(SocketAddress address, QObject* parent) : HidLibrary(parent), address_(std::move(address)) {
    if (address_.kind == SocketAddress::Kind::kUnix) {
        local_ = new QLocalSocket(this);
        io_ = local_;
        connect(local_, &QLocalSocket::stateChanged, this, [this](QLocalSocket::LocalSocketState s) {
            if (s == QLocalSocket::ConnectedState) OnConnected();
            if (s == QLocalSocket::UnconnectedState) OnUnconnected();
        });
    } else {
        tcp_ = new QTcpSocket(this);
        io_ = tcp_;
        connect(tcp_, &QAbstractSocket::stateChanged, this, [this](QAbstractSocket::SocketState s) {
            if (s == QAbstractSocket::ConnectedState) OnConnected();
            if (s == QAbstractSocket::UnconnectedState) OnUnconnected();
        });
    }
    connect(io_, &QIODevice::readyRead, this, &SocketHid::OnReadyRead);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &SocketHid::OnRetryTick);
}

SocketHid::~SocketHid() {
    // The socket dies with this object and says goodbye on the way out; none
    // of that may reach the half-destroyed transport.
    io_->disconnect(this);
}

std::optional<SocketAddress> SocketHid::ParseAddress(const QString& text, QString* error) {
    SocketAddress address;
    std::string problem = ParseSocketAddress(text.toStdString(), &address);
    if (problem.empty() && address.kind == SocketAddress::Kind::kTcp && address.port == 0)
        problem = "port 0 in \"" + text.toStdString() + "\" cannot be connected to";
    if (problem.empty()) return address;
    if (error) *error = QString::fromStdString(problem);
    return std::nullopt;
}

void SocketHid::Open() {
    if (opened_) return;
    opened_ = true;
    TryConnect();
}

void SocketHid::Connect() {
    if (started_) return;
    started_ = true;
    // Reached already while the window was being built: announced now.
    if (connected_) return Post(kHidPlugged);
    retry_.start();
    // Not reached yet: a try now, unless the one begun ahead is under way.
    if (!opened_ || SocketIdle()) {
        opened_ = true;
        TryConnect();
    }
}

bool SocketHid::SocketIdle() const {
    return local_ ? local_->state() == QLocalSocket::UnconnectedState
                  : tcp_->state() == QAbstractSocket::UnconnectedState;
}

void SocketHid::TryConnect() {
    ticksConnecting_ = 0;
    if (local_)
        local_->connectToServer(QString::fromStdString(address_.path));
    else
        tcp_->connectToHost(QString::fromStdString(address_.host), address_.port);
}

void SocketHid::OnRetryTick() {
    if (connected_) {
        retry_.stop();
    } else if (SocketIdle()) {
        TryConnect();
    } else if (++ticksConnecting_ >= kConnectTicks) {
        if (local_)
            local_->abort();
        else
            tcp_->abort();
        TryConnect();
    }
}

void SocketHid::OnConnected() {
    if (connected_) return;
    connected_ = true;
    retry_.stop();
    partial_.clear();
    received_.clear();
    // Requests are single small reports waiting for their answer.
    if (tcp_) tcp_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (started_) Post(kHidPlugged);
}

void SocketHid::OnUnconnected() {
    if (connected_) {
        connected_ = false;
        partial_.clear();
        received_.clear();
        if (started_) Post(kHidUnplugged);
    }
    if (started_ && !retry_.isActive()) retry_.start();
}

void SocketHid::OnReadyRead() {
    // Nothing was asked before Connect: whatever came is no answer.
    if (!started_) return (void)io_->readAll();
    partial_ += io_->readAll();
    qsizetype used = 0;
    while (partial_.size() - used >= qsizetype(kReportSize)) {
        auto& report = received_.emplace_back();
        std::memcpy(report.data(), partial_.constData() + used, kReportSize);
        used += kReportSize;
        Post(kHidReportReceived);
    }
    partial_.remove(0, used);
}

void SocketHid::Post(int event) {
    QMetaObject::invokeMethod(
        this, [this, event] { emit hidEvent(event, kHandle); }, Qt::QueuedConnection);
}

HidHandle SocketHid::GetHandle(uint16_t vendorId, uint16_t productId) {
    return connected_ && vendorId == kVendorId && productId == kProductId ? kHandle : 0;
}

uint16_t SocketHid::GetVendorID(HidHandle handle) { return handle == kHandle ? kVendorId : 0; }
uint16_t SocketHid::GetProductID(HidHandle handle) { return handle == kHandle ? kProductId : 0; }

namespace {
void CopyName(const std::string& name, char* buffer, int size) {
    if (size <= 0) return;
    std::strncpy(buffer, name.c_str(), std::size_t(size) - 1);
    buffer[size - 1] = 0;
}
}  // namespace

void SocketHid::GetVendorName(HidHandle handle, char* buffer, int size) {
    CopyName(handle == kHandle ? "Velmar" : "", buffer, size);
}

void SocketHid::GetProductName(HidHandle handle, char* buffer, int size) {
    CopyName(handle == kHandle ? "Socket instrument (" + address_.ToString() + ")" : "", buffer, size);
}

bool SocketHid::Read(HidHandle handle, uint8_t* buffer) {
    if (handle != kHandle || received_.empty()) return false;
    std::memcpy(buffer, received_.front().data(), kReportSize);
    received_.pop_front();
    return true;
}

bool SocketHid::Write(HidHandle handle, const uint8_t* buffer) {
    if (handle != kHandle || !connected_) return false;
    return io_->write(reinterpret_cast<const char*>(buffer), qint64(kReportSize)) == qint64(kReportSize);
}

}  // namespace velmar
