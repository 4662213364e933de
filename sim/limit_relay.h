#pragma once
// One limit output of the virtual instrument: switches by its mode, limits
// and hysteresis as the measured value moves, latches when told to hold, and
// follows the host's forcing while a test is on.

#include <deque>
#include <utility>

#include "core/modules/limit_relay_codec.h"

namespace velmar::sim {

class LimitRelay {
public:
    // value: the measured value in implied decimals; now: seconds.
    // Returns whether the output is on.
    bool Update(const LimitBlock& settings, double value, double now);
    // New settings start afresh: no latch, no history of the delta modes.
    void Reset();
    bool On() const { return on_; }

private:
    bool Compare(const LimitBlock& s, double v) const;
    bool Delta(const LimitBlock& s, double v, double now);

    bool on_ = false;
    bool latched_ = false;
    double pulseUntil_ = -1;
    std::deque<std::pair<double, double>> history_;  // (time, value) over the time base
};

}  // namespace velmar::sim
