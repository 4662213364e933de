#include "transport/linux/node_probe.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/link/frame.h"

namespace velmar {

bool LockNode(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

int OpenLockedNode(const std::string& path, NodeState* state) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *state = errno == EACCES || errno == EPERM ? NodeState::kRefused : NodeState::kGone;
        return -1;
    }
    if (!LockNode(fd)) {
        ::close(fd);
        *state = NodeState::kInUse;
        return -1;
    }
    *state = NodeState::kFree;
    return fd;
}

std::vector<NodeIdentity> ProbeNodes(std::span<const int> fds, int ms, std::size_t answerSize) {
    using Clock = std::chrono::steady_clock;
    const auto request = StatusProbeRequest();
    std::vector<NodeIdentity> found(fds.size());
    std::vector<std::vector<uint8_t>> partial(fds.size());
    std::vector<bool> waiting(fds.size(), false);
    for (std::size_t i = 0; i < fds.size(); ++i) {
        // hidraw takes the report id first; a socket carries whole reports.
        waiting[i] = ::write(fds[i], request.data(), request.size()) == ssize_t(request.size());
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        std::vector<pollfd> polls;
        std::vector<std::size_t> which;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (!waiting[i]) continue;
            polls.push_back({fds[i], POLLIN, 0});
            which.push_back(i);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (polls.empty() || left <= 0) break;
        if (::poll(polls.data(), polls.size(), int(left)) < 0 && errno != EINTR) break;
        for (std::size_t k = 0; k < polls.size(); ++k) {
            if (!(polls[k].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const std::size_t i = which[k];
            std::array<uint8_t, kReportSize> buffer{};
            const ssize_t n = ::read(fds[i], buffer.data(), answerSize - partial[i].size());
            if (n <= 0) {
                if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
                waiting[i] = false;
                continue;
            }
            partial[i].insert(partial[i].end(), buffer.begin(), buffer.begin() + n);
            if (partial[i].size() < answerSize) continue;
            std::array<uint8_t, kReportSize> report{};
            std::memcpy(report.data() + 1, partial[i].data() + (answerSize - kFrameSize), kFrameSize);
            partial[i].clear();
            // A spoiled frame says nothing; the next may.
            const NodeIdentity identity = IdentityOfAnswer(report.data());
            if (!identity.answered) continue;
            found[i] = identity;
            waiting[i] = false;
        }
    }
    return found;
}

std::vector<AttachedInstrument> IdentifyNodes(const std::vector<std::string>& nodes, int ms,
                                              const std::function<int(const std::string&, NodeState*)>& open,
                                              std::size_t answerSize, NodeState silentState) {
    std::vector<AttachedInstrument> out(nodes.size());
    std::vector<int> fds;
    std::vector<std::size_t> opened;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        out[i].node = nodes[i];
        const int fd = open(nodes[i], &out[i].state);
        if (fd < 0) continue;
        fds.push_back(fd);
        opened.push_back(i);
    }
    const std::vector<NodeIdentity> found = ProbeNodes(fds, ms, answerSize);
    for (std::size_t k = 0; k < fds.size(); ++k) {
        AttachedInstrument& a = out[opened[k]];
        a.identified = found[k].answered;
        a.state = a.identified ? NodeState::kFree : silentState;
        a.deviceType = found[k].deviceType;
        a.serial = found[k].serial;
        ::close(fds[k]);
    }
    return out;
}

}  // namespace velmar
