#include "transport/linux/socket_bus.h"

#include <QDir>
#include <QFileInfo>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "transport/socket_hid.h"

namespace velmar {

SocketBus::SocketBus(QString folder, InstrumentChoice choice, QObject* parent)
    : BusHid(std::move(choice), parent), folder_(std::move(folder)) {
    rescan_.setInterval(500);
    connect(&rescan_, &QTimer::timeout, this, [this] {
        std::vector<std::string> now = Nodes();
        if (now == seen_) return;
        seen_ = std::move(now);
        NodesChanged();
    });
}

void SocketBus::Watch() {
    seen_ = Nodes();
    rescan_.start();
}

std::vector<std::string> SocketBus::Nodes() {
    std::vector<std::string> out;
    const QDir dir(folder_);
    for (const QFileInfo& f : dir.entryInfoList({"*.sock"}, QDir::System | QDir::Files, QDir::Name))
        out.push_back(QDir::cleanPath(f.absoluteFilePath()).toStdString());
    return out;
}

std::unique_ptr<HidLibrary> SocketBus::OpenNode(const std::string& node, NodeState* state) {
    *state = NodeState::kFree;
    SocketAddress address;
    address.kind = SocketAddress::Kind::kUnix;
    address.path = node;
    return std::make_unique<SocketHid>(address);
}

int SocketBus::OpenForProbe(const std::string& node, NodeState* state) {
    *state = NodeState::kGone;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (node.size() >= sizeof address.sun_path) return -1;
    node.copy(address.sun_path, node.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    *state = NodeState::kFree;
    return fd;
}

}  // namespace velmar
