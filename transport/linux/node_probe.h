#pragma once
// The instrument nodes themselves: opened with an advisory lock, so that two
// of our programs never poll one instrument and mix their answers, and asked
// for one status answer to learn which instrument sits behind each.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmar {

enum class NodeState {
    kFree,     // opened (and locked) by us, or free to be
    kInUse,    // another of our programs holds it
    kRefused,  // this user may not open it
    kSilent,   // opened, but no answer came in time
    kGone,     // vanished or failed otherwise
};

// Opens a node for reading and writing, non-blocking, and takes the lock
// (LOCK_EX|LOCK_NB) that lasts as long as the descriptor stays open. Returns
// the descriptor, or -1 with *state saying why.
int OpenLockedNode(const std::string& path, NodeState* state);

// Whether a descriptor is locked by someone else; the lock is taken and
// kept on success.
bool LockNode(int fd);

struct NodeIdentity {
    bool answered = false;
    uint16_t deviceType = 0;
    uint32_t serial = 0;
};

// Sends one status request to each descriptor and waits at most ms for
// their first answers, all at once. answerSize: 64 where the node delivers
// bare frames (hidraw), 65 where it delivers whole reports (a socket).
std::vector<NodeIdentity> ProbeNodes(std::span<const int> fds, int ms, std::size_t answerSize);

}  // namespace velmar
