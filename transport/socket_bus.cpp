#include "transport/socket_bus.h"

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

std::vector<AttachedInstrument> SocketBus::Identify(const std::vector<std::string>& nodes, int ms) {
    std::vector<AttachedInstrument> out(nodes.size());
    std::vector<int> fds;
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        out[i].node = nodes[i];
        out[i].state = NodeState::kGone;
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (nodes[i].size() >= sizeof address.sun_path) continue;
        nodes[i].copy(address.sun_path, nodes[i].size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) continue;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            continue;
        }
        fds.push_back(fd);
        open.push_back(i);
    }
    // A socket carries whole reports, the report id included.
    const std::vector<NodeIdentity> found = ProbeNodes(fds, ms, kReportSize);
    for (std::size_t k = 0; k < fds.size(); ++k) {
        AttachedInstrument& a = out[open[k]];
        a.identified = found[k].answered;
        // The server serves one client at a time: silence is another's turn.
        a.state = a.identified ? NodeState::kFree : NodeState::kInUse;
        a.deviceType = found[k].deviceType;
        a.serial = found[k].serial;
        ::close(fds[k]);
    }
    return out;
}

}  // namespace velmar
