#pragma once
// What the transports of several instruments share on every system: why a
// node cannot be used, and the one status exchange that names the
// instrument behind a node.

#include <array>
#include <cstdint>

#include "core/link/frame.h"

namespace velmar {

enum class NodeState {
    kFree,  // opened (and locked) by us, or free to be
    kInUse,  // another of our programs holds it
    kRefused,  // this user may not open it
    kSilent,  // opened, but no answer came in time
    kGone,  // vanished or failed otherwise
};

struct NodeIdentity {
    bool answered = false;
    uint16_t deviceType = 0;
    uint32_t serial = 0;
};

// The status command in one report (report id 0 first), for whichever
// instrument answers.
std::array<uint8_t, kReportSize> StatusProbeRequest();

// Who answered, from a whole report (report id first); nothing answered
// when the frame is spoiled.
NodeIdentity IdentityOfAnswer(const uint8_t* report);

}  // namespace velmar
