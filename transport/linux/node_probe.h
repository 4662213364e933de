#pragma once
// The instrument nodes themselves: opened with an advisory lock, so that two
// of our programs never poll one instrument and mix their answers, and asked
// for one status answer to learn which instrument sits behind each.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "transport/hid_library.h"
#include "transport/status_probe.h"

namespace velmar {

// Opens a node for reading and writing, non-blocking, and takes the lock
// (LOCK_EX|LOCK_NB) that lasts as long as the descriptor stays open. Returns
// the descriptor, or -1 with *state saying why.
int OpenLockedNode(const std::string& path, NodeState* state);

// Whether a descriptor is locked by someone else; the lock is taken and
// kept on success.
bool LockNode(int fd);

// Sends one status request to each descriptor and waits at most ms for
// their first answers, all at once. answerSize: 64 where the node delivers
// bare frames (hidraw), 65 where it delivers whole reports (a socket).
std::vector<NodeIdentity> ProbeNodes(std::span<const int> fds, int ms, std::size_t answerSize);

// One status exchange with each node, opened for it by open (a descriptor,
// or -1 with the state saying why) and closed after; a node that opened but
// did not answer in time is silentState.
std::vector<AttachedInstrument> IdentifyNodes(const std::vector<std::string>& nodes, int ms,
                                              const std::function<int(const std::string&, NodeState*)>& open,
                                              std::size_t answerSize, NodeState silentState);

}  // namespace velmar
