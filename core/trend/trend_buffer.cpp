#include "core/trend/trend_buffer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/device/records.h"
#include "core/modules/limit_relay_codec.h"

namespace velmar {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
}  // namespace

TrendSample TrendSampleOf(const tRX& rx, int64_t timeMs) {
    TrendSample s;
    s.timeMs = timeMs;
    s.decimals = rx.uDecimalPoint <= 4 ? rx.uDecimalPoint : uint8_t(std::lround(std::log10(rx.fDivider)));
    s.value1 = rx.iSkalazottKijezesiErtek;
    s.hasValue2 = rx.uPXOptIn == 8;  // a Modbus module as input
    s.value2 = rx.iSkalazottKijezesiErtek_2;
    s.range1 = rx.fKimenetSzazalek;
    s.range2 = rx.fKimenetSzazalek_2;
    constexpr uint8_t kAnalogOutput = 3;
    if (rx.uPXOptOutPrimer == kAnalogOutput) {
        s.analog1 = rx.fPXAOKimenoFizErtek;
        s.analogVolts |= rx.uAnalogueTypeFor101 > 1 ? 1 : 0;
    }
    if (rx.uPXOptOutSecondary == kAnalogOutput) {
        s.analog2 = rx.fPXAOKimenoFizErtek_2;
        s.analogVolts |= rx.uAnalogueTypeFor101_2 > 1 ? 2 : 0;
    }
    s.relays = rx.uLimit & 0x0F;
    s.errorCode = rx.uGlobalErrorCode;
    return s;
}

double ChannelValue(const TrendSample& s, int channel) {
    if (s.gap) return kNaN;
    const double divider = kPowersOfTen[std::min<int>(s.decimals, 9)];
    switch (channel) {
    case kTrendValue1: return s.value1 / divider;
    case kTrendValue2: return s.hasValue2 ? s.value2 / divider : kNaN;
    case kTrendRange1: return double(s.range1) * 100.0;
    case kTrendRange2: return s.hasValue2 ? double(s.range2) * 100.0 : kNaN;
    default: return (s.relays >> (channel - kTrendRelay1)) & 1;
    }
}

TrendRing::TrendRing(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void TrendRing::Append(const TrendSample& s) {
    // The storage grows with the samples up to the capacity, so a program
    // that never polls for long never holds an hour's worth; the numbering
    // only wraps once it is full, so a sample's place never moves.
    const std::size_t at = next_ % capacity_;
    if (at == samples_.size()) {
        if (samples_.size() == samples_.capacity())
            samples_.reserve(std::min(capacity_, std::max<std::size_t>(2 * samples_.size(), 1024)));
        samples_.push_back(s);
    } else {
        samples_[at] = s;
    }
    ++next_;
    size_ = std::min(size_ + 1, capacity_);
}

void TrendRing::Clear() {
    // The numbering goes on, so a reader never takes an old number for new.
    size_ = 0;
}

uint64_t TrendRing::FindTime(int64_t timeMs) const {
    uint64_t lo = FirstNumber(), hi = EndNumber();
    while (lo < hi) {
        const uint64_t mid = lo + (hi - lo) / 2;
        if (At(mid).timeMs < timeMs)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

TrendThinner::TrendThinner(int64_t spanMs, int buckets)
    : spanMs_(std::max<int64_t>(spanMs, 1)), widthMs_(std::max<int64_t>(spanMs_ / std::max(buckets, 1), 1)) {}

void TrendThinner::Update(const TrendRing& ring, int64_t nowMs) {
    const int64_t from = nowMs - spanMs_;
    uint64_t n = std::max(nextNumber_, ring.FirstNumber());
    // Samples older than the span are never shown: skip them at once.
    if (n < ring.EndNumber() && ring.At(n).timeMs < from) n = std::max(n, ring.FindTime(from));
    for (; n < ring.EndNumber(); ++n) Take(ring.At(n));
    nextNumber_ = n;
    const int64_t firstIndex = FloorDiv(from, widthMs_);
    while (!buckets_.empty() && buckets_.front().index < firstIndex) buckets_.pop_front();
}

void TrendThinner::Take(const TrendSample& s) {
    if (s.gap) {
        gapPending_ = true;
        return;
    }
    const int64_t index = FloorDiv(s.timeMs, widthMs_);
    if (buckets_.empty() || gapPending_ || index > buckets_.back().index) {
        Bucket b{index, gapPending_ && !buckets_.empty(), {}};
        for (Extremes& e : b.channels)
            e = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 0, 0};
        buckets_.push_back(b);
        gapPending_ = false;
    }
    Bucket& b = buckets_.back();
    for (int c = 0; c < kTrendChannels; ++c) {
        const double v = ChannelValue(s, c);
        if (std::isnan(v)) continue;
        Extremes& e = b.channels[c];
        if (v < e.min) e.min = v, e.minTime = s.timeMs;
        if (v > e.max) e.max = v, e.maxTime = s.timeMs;
    }
}

TrendSegments TrendThinner::Points(int channel) const {
    TrendSegments segments;
    bool open = false;  // the last segment may be continued
    for (const Bucket& b : buckets_) {
        const Extremes& e = b.channels[channel];
        if (e.min > e.max) {  // no value of this channel here: the line breaks
            open = false;
            continue;
        }
        if (!open || b.afterGap) segments.emplace_back();
        open = true;
        auto& points = segments.back();
        if (e.min == e.max) {
            points.push_back({double(e.minTime), e.min});
        } else if (e.minTime <= e.maxTime) {
            points.push_back({double(e.minTime), e.min});
            points.push_back({double(e.maxTime), e.max});
        } else {
            points.push_back({double(e.maxTime), e.max});
            points.push_back({double(e.minTime), e.min});
        }
    }
    return segments;
}

std::vector<int32_t> LimitLineValues(uint8_t mode, int32_t a, int32_t b) {
    switch (mode) {
    case kLimitAtLeastA:
    case kLimitAtMostA: return {a};
    case kLimitInsideAB:
    case kLimitOutsideAB:
    case kLimitControlAB:
    case kLimitControlBA: return {a, b};
    default: return {};
    }
}

}  // namespace velmar
