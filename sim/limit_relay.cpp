#include "sim/limit_relay.h"

#include <algorithm>

namespace velmar::sim {

namespace {
// Enough samples to see a change over any time base without growing
// without bound: at most one sample per 1/kMaxSamples of the time base.
constexpr std::size_t kMaxSamples = 512;
}  // namespace

void LimitRelay::Reset() {
    on_ = latched_ = false;
    pulseUntil_ = -1;
    history_.clear();
}

bool LimitRelay::Compare(const LimitBlock& s, double v) const {
    const double a = s.a, b = s.b, h = s.hysteresis;
    // Once on, an output stays on until the value is back by the hysteresis.
    switch (s.mode) {
    case kLimitOff: return false;
    case kLimitAtLeastA: return on_ ? v >= a - h : v >= a;
    case kLimitAtMostA: return on_ ? v <= a + h : v <= a;
    case kLimitInsideAB: return on_ ? v >= a - h && v <= b + h : v >= a && v <= b;
    case kLimitOutsideAB: return on_ ? v < a + h || v > b - h : v < a || v > b;
    case kLimitControlAB: return v <= a ? true : v >= b ? false : on_;
    case kLimitControlBA: return v >= b ? true : v <= a ? false : on_;
    default: return true;  // always on, and whatever lies beyond the list
    }
}

bool LimitRelay::Delta(const LimitBlock& s, double v, double now) {
    const double window = std::max<double>(s.timeBase, 1);
    while (!history_.empty() && history_.front().first < now - window) history_.pop_front();
    if (history_.empty() || now - history_.back().first >= window / kMaxSamples) history_.emplace_back(now, v);
    const double change = v - history_.front().second;
    const double step = std::max<double>(s.a, 1);
    const bool seen = (s.mode == kLimitRise && change >= step) || (s.mode == kLimitFall && -change >= step) ||
                      (s.mode == kLimitChange && (change >= step || -change >= step));
    if (seen) {
        pulseUntil_ = now + s.pulseWidth;
        history_.clear();  // one pulse per change
        history_.emplace_back(now, v);
    }
    return now < pulseUntil_;
}

bool LimitRelay::Update(const LimitBlock& s, double value, double now) {
    const bool delta = s.mode >= kLimitRise && s.mode <= kLimitChange;
    on_ = delta ? Delta(s, value, now) : Compare(s, value);
    if (on_ && s.hold) latched_ = true;
    on_ = on_ || latched_;
    return on_;
}

}  // namespace velmar::sim
