#pragma once
// The live values of the status answers kept for the trend: a ring buffer
// of fixed size (about an hour of polling) and its thinning into a few
// hundred buckets per view, each keeping its minimum and maximum so that a
// spike shorter than a pixel still shows.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <vector>

namespace velmar {

// One status answer, or a gap: the link was lost and no values are known.
struct TrendSample {
    int64_t timeMs = 0;  // milliseconds since the epoch
    bool gap = false;
    bool hasValue2 = false;  // only a Modbus input gives a second value
    uint8_t decimals = 0;  // implied decimals of value1 and value2
    uint8_t relays = 0;  // limit outputs 1..4 in bits 0..3
    uint8_t errorCode = 0;
    int32_t value1 = 0;  // displayed values, implied decimals
    int32_t value2 = 0;
    // Where value 1 and 2 stand in the input's range, 1.0 = 100 % (what
    // the header's bars show): a position, not an output.
    float range1 = 0;
    float range2 = 0;
    // What an analog output module in slot 1 and 2 gives out now, in mA, or
    // in V where its bit in analogVolts is set; NaN without one.
    float analog1 = std::numeric_limits<float>::quiet_NaN();
    float analog2 = std::numeric_limits<float>::quiet_NaN();
    uint8_t analogVolts = 0;
};

// The unit of an analog output of the sample, slot 0 or 1.
inline const char* AnalogUnit(const TrendSample& s, int slot) { return (s.analogVolts >> slot) & 1 ? "V" : "mA"; }

struct tRX;
// The sample of one status answer; an answer's decimals beyond 4 are taken
// from its divider.
TrendSample TrendSampleOf(const tRX& rx, int64_t timeMs);

// The plotted quantities of a sample, in the order of TrendChannel.
enum TrendChannel : int { kTrendValue1, kTrendValue2, kTrendRange1, kTrendRange2, kTrendRelay1, kTrendChannels = 8 };
constexpr int kTrendRelays = 4;

// The value of a channel, NaN where the sample has none (value 2 and its
// output without a Modbus input). Values with their decimals applied, outputs in percent,
// relays 0 or 1.
double ChannelValue(const TrendSample& s, int channel);

// A fixed number of the newest samples; the oldest make room. The storage
// grows as samples come, up to that number. Samples are
// numbered from 0 by their arrival, so that a reader can tell what is new.
class TrendRing {
public:
    explicit TrendRing(std::size_t capacity);

    void Append(const TrendSample& s);
    void Clear();

    std::size_t Capacity() const { return capacity_; }
    std::size_t Size() const { return size_; }
    uint64_t FirstNumber() const { return next_ - size_; }  // the oldest one kept
    uint64_t EndNumber() const { return next_; }  // one past the newest
    const TrendSample& At(uint64_t number) const { return samples_[number % capacity_]; }
    const TrendSample* Newest() const { return size_ ? &At(next_ - 1) : nullptr; }
    // The number of the first kept sample at or after timeMs (EndNumber()
    // when none); samples arrive in time order.
    uint64_t FindTime(int64_t timeMs) const;

private:
    std::size_t capacity_;
    std::vector<TrendSample> samples_;
    std::size_t size_ = 0;
    uint64_t next_ = 0;
};

struct TrendPoint {
    double timeMs;
    double value;
};
// A run of points to be joined by a line; a gap starts a new one.
using TrendSegments = std::vector<std::vector<TrendPoint>>;

// Thins the ring for a view of spanMs into buckets of equal width. Buckets
// that are complete never change, so each call only takes the samples that
// arrived since the last one.
class TrendThinner {
public:
    TrendThinner(int64_t spanMs, int buckets);

    // Takes the new samples of the ring and forgets the buckets that left
    // the span ending at nowMs.
    void Update(const TrendRing& ring, int64_t nowMs);
    void Reset() { buckets_.clear(), nextNumber_ = 0; }
    int64_t SpanMs() const { return spanMs_; }
    std::size_t BucketCount() const { return buckets_.size(); }

    // The points of one channel, per bucket its minimum and maximum in the
    // order they came (one point when equal).
    TrendSegments Points(int channel) const;

private:
    struct Extremes {
        double min, max;
        int64_t minTime, maxTime;
    };
    struct Bucket {
        int64_t index;
        bool afterGap;  // a gap came before its first sample: no line into it
        Extremes channels[kTrendChannels];
    };
    void Take(const TrendSample& s);

    int64_t spanMs_;
    int64_t widthMs_;
    std::deque<Bucket> buckets_;
    uint64_t nextNumber_ = 0;
    bool gapPending_ = false;
};

// The limit values of one limit output worth drawing as lines, by its mode:
// A for the "at least A" and "at most A" modes, A and B for the band and
// two-point control modes; none for off, always on and the rate modes.
std::vector<int32_t> LimitLineValues(uint8_t mode, int32_t a, int32_t b);

}  // namespace velmar
