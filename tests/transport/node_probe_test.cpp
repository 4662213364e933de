// The pieces that tell several instruments apart: the choice on the command
// line, the lock that keeps two programs off one node, and the status
// exchange that names the instrument behind a node.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "core/link/frame.h"
#include "sim/virtual_instrument.h"
#include "transport/instrument_choice.h"
#include "transport/linux/node_probe.h"

namespace velmar {
namespace {

TEST(InstrumentChoiceTest, ReadsNodesSerialsAndAll) {
    using K = InstrumentChoice::Kind;
    struct Case {
        const char* text;
        bool good;
        K kind;
        std::string node;
        uint32_t serial;
    } cases[] = {
        {"", true, K::kFirst, "", 0},
        {"all", true, K::kAll, "", 0},
        {"/dev/hidraw3", true, K::kNode, "/dev/hidraw3", 0},
        {"4711", true, K::kSerial, "", 4711},
        {"004711", true, K::kSerial, "", 4711},
        {"4294967295", true, K::kSerial, "", 4294967295u},
        {"4294967296", false, K::kFirst, "", 0},
        {"47x1", false, K::kFirst, "", 0},
        {"-1", false, K::kFirst, "", 0},
        {"hidraw3", false, K::kFirst, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        InstrumentChoice choice;
        const std::string error = ParseInstrumentChoice(c.text, &choice);
        EXPECT_EQ(error.empty(), c.good) << error;
        if (!c.good) {
            EXPECT_NE(error.find(c.text), std::string::npos) << "the message names what was given";
            continue;
        }
        EXPECT_EQ(choice.kind, c.kind);
        EXPECT_EQ(choice.node, c.node);
        EXPECT_EQ(choice.serial, c.serial);
    }
}

struct TempNode {
    std::string path;
    TempNode() {
        char name[] = "/tmp/velmar-node-XXXXXX";
        const int fd = ::mkstemp(name);
        ::close(fd);
        path = name;
    }
    ~TempNode() { ::unlink(path.c_str()); }
};

TEST(NodeLockTest, ASecondOpenerIsRefusedUntilTheFirstCloses) {
    TempNode node;
    NodeState state = NodeState::kGone;
    const int first = OpenLockedNode(node.path, &state);
    ASSERT_GE(first, 0);
    EXPECT_EQ(state, NodeState::kFree);

    EXPECT_EQ(OpenLockedNode(node.path, &state), -1);
    EXPECT_EQ(state, NodeState::kInUse);

    ::close(first);
    const int again = OpenLockedNode(node.path, &state);
    EXPECT_GE(again, 0) << "the lock goes with the descriptor";
    EXPECT_EQ(state, NodeState::kFree);
    ::close(again);

    EXPECT_EQ(OpenLockedNode(node.path + ".missing", &state), -1);
    EXPECT_EQ(state, NodeState::kGone);
    ::chmod(node.path.c_str(), 0);
    if (::geteuid() != 0) {  // root opens it anyway
        EXPECT_EQ(OpenLockedNode(node.path, &state), -1);
        EXPECT_EQ(state, NodeState::kRefused);
    }
}

// A node that behaves as hidraw does: one report a read, the report id left
// out of what the instrument sends.
struct FakeNode {
    int host = -1, device = -1;
    FakeNode() {
        int fds[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        host = fds[0];
        device = fds[1];
    }
    ~FakeNode() {
        ::close(host);
        ::close(device);
    }
};

// The instrument's side: answers the one request the probe sends.
std::thread Answering(int fd, sim::InstrumentConfig config, bool spoilFirst) {
    return std::thread([fd, config, spoilFirst] {
        sim::VirtualInstrument instrument(config);
        std::array<uint8_t, kReportSize> request{};
        if (::read(fd, request.data(), request.size()) != ssize_t(request.size())) return;
        auto answer = instrument.HandleReport(request.data());
        if (!answer) return;
        if (spoilFirst) {
            auto spoiled = *answer;
            spoiled[pos::kId] ^= 0xFF;  // the CRC no longer matches
            [[maybe_unused]] auto n = ::write(fd, spoiled.data() + 1, kFrameSize);
        }
        [[maybe_unused]] auto n = ::write(fd, answer->data() + 1, kFrameSize);
    });
}

TEST(NodeProbeTest, EachNodeNamesItsInstrumentAndSilenceEndsInTime) {
    FakeNode a, b, silent;
    sim::InstrumentConfig first, second;
    first.deviceType = 530;
    first.serial = 101;
    second.deviceType = 310;
    second.serial = 4242;
    std::thread ta = Answering(a.device, first, false);
    std::thread tb = Answering(b.device, second, true);

    const int fds[] = {a.host, silent.host, b.host};
    const auto started = std::chrono::steady_clock::now();
    const std::vector<NodeIdentity> found = ProbeNodes(fds, 300, kFrameSize);
    const auto took = std::chrono::steady_clock::now() - started;
    ta.join();
    tb.join();

    ASSERT_EQ(found.size(), 3u);
    EXPECT_TRUE(found[0].answered);
    EXPECT_EQ(found[0].deviceType, 530);
    EXPECT_EQ(found[0].serial, 101u);
    EXPECT_FALSE(found[1].answered);
    EXPECT_TRUE(found[2].answered) << "a spoiled frame is passed over for the next";
    EXPECT_EQ(found[2].deviceType, 310);
    EXPECT_EQ(found[2].serial, 4242u);
    EXPECT_LT(took, std::chrono::seconds(2)) << "bounded by the time given, not by the silent node";
}

}  // namespace
}  // namespace velmar
