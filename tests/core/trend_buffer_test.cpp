// The trend's ring buffer and its thinning for display.
#include <gtest/gtest.h>

#include <cmath>

#include "core/modules/limit_relay_codec.h"
#include "core/trend/trend_buffer.h"

namespace velmar {
namespace {

TrendSample At(int64_t t, int32_t value1, uint8_t relays = 0) {
    TrendSample s;
    s.timeMs = t;
    s.decimals = 2;
    s.value1 = value1;
    s.range1 = float(value1) / 10000.0f;
    s.relays = relays;
    return s;
}

TrendSample Gap(int64_t t) {
    TrendSample s;
    s.timeMs = t;
    s.gap = true;
    return s;
}

TEST(TrendRing, KeepsTheNewestWithinItsCapacity) {
    TrendRing ring(100);
    for (int i = 0; i < 1000; ++i) ring.Append(At(i * 30, i));
    EXPECT_EQ(ring.Size(), 100u);
    EXPECT_EQ(ring.Capacity(), 100u);
    EXPECT_EQ(ring.FirstNumber(), 900u);
    EXPECT_EQ(ring.EndNumber(), 1000u);
    EXPECT_EQ(ring.At(ring.FirstNumber()).value1, 900) << "the oldest kept";
    EXPECT_EQ(ring.Newest()->value1, 999);
    // Binary search across the wrap-around point.
    EXPECT_EQ(ring.FindTime(950 * 30), 950u);
    EXPECT_EQ(ring.FindTime(950 * 30 - 1), 950u);
    EXPECT_EQ(ring.FindTime(0), 900u) << "older than kept: the oldest";
    EXPECT_EQ(ring.FindTime(1'000'000), 1000u) << "newer than all: the end";
}

// The storage grows in steps as samples come; every sample keeps its place
// through the steps, a clear in the middle and the wrap-around.
TEST(TrendRing, KeepsEverySampleInPlaceWhileItsStorageGrows) {
    for (const std::size_t capacity : {1500u, 5000u}) {
        TrendRing ring(capacity);
        const int half = int(capacity / 2);
        for (int i = 0; i < half; ++i) ring.Append(At(i * 30, i));
        EXPECT_EQ(ring.At(0).value1, 0);
        EXPECT_EQ(ring.Newest()->value1, half - 1);
        ring.Clear();
        const int end = int(2 * capacity) + 7;
        for (int i = half; i < end; ++i) ring.Append(At(i * 30, i));
        EXPECT_EQ(ring.Size(), capacity);
        EXPECT_EQ(ring.Capacity(), capacity);
        for (uint64_t n = ring.FirstNumber(); n < ring.EndNumber(); n += 97)
            ASSERT_EQ(ring.At(n).value1, int(n)) << capacity;
        EXPECT_EQ(ring.Newest()->value1, end - 1);
        EXPECT_EQ(ring.FindTime((end - 10) * 30), uint64_t(end - 10));
    }
}

TEST(TrendRing, ClearedKeepsCountingSoNoReaderTakesOldForNew) {
    TrendRing ring(10);
    for (int i = 0; i < 5; ++i) ring.Append(At(i, i));
    ring.Clear();
    EXPECT_EQ(ring.Size(), 0u);
    EXPECT_EQ(ring.Newest(), nullptr);
    ring.Append(At(10, 10));
    EXPECT_EQ(ring.FirstNumber(), 5u);
    EXPECT_EQ(ring.Newest()->value1, 10);
}

TEST(TrendChannels, ApplyDecimalsAndGiveNothingWhereNothingIsKnown) {
    TrendSample s = At(0, -1234, 0b1010);
    EXPECT_DOUBLE_EQ(ChannelValue(s, kTrendValue1), -12.34);
    EXPECT_TRUE(std::isnan(ChannelValue(s, kTrendValue2))) << "no second value without a Modbus input";
    EXPECT_TRUE(std::isnan(ChannelValue(s, kTrendRange2)));
    s.hasValue2 = true;
    s.value2 = 5;
    EXPECT_DOUBLE_EQ(ChannelValue(s, kTrendValue2), 0.05);
    s.range1 = 0.5f;
    s.range2 = 0.25f;
    EXPECT_DOUBLE_EQ(ChannelValue(s, kTrendRange1), 50.0);
    EXPECT_DOUBLE_EQ(ChannelValue(s, kTrendRange2), 25.0);
    EXPECT_EQ(ChannelValue(s, kTrendRelay1), 0);
    EXPECT_EQ(ChannelValue(s, kTrendRelay1 + 1), 1);
    EXPECT_EQ(ChannelValue(s, kTrendRelay1 + 3), 1);
    EXPECT_TRUE(std::isnan(ChannelValue(Gap(0), kTrendValue1)));
}

// 1000 samples into 10 buckets: each bucket's spike survives, whichever way
// it points and wherever in the bucket it falls.
TEST(TrendThinner, KeepsEveryBucketsMinimumAndMaximumInTheirOrder) {
    TrendRing ring(5000);
    for (int i = 0; i < 1000; ++i) {
        int32_t v = 100;
        if (i == 37) v = 900;  // bucket 0: a high spike first
        if (i == 80) v = -50;  // then a low one
        if (i == 512) v = -700;  // bucket 5: a lone low spike
        ring.Append(At(i, v));
    }
    TrendThinner thinner(1000, 10);
    thinner.Update(ring, 999);
    ASSERT_EQ(thinner.BucketCount(), 10u);
    const TrendSegments s = thinner.Points(kTrendValue1);
    ASSERT_EQ(s.size(), 1u);
    const auto& p = s[0];
    ASSERT_GE(p.size(), 10u);
    EXPECT_LE(p.size(), 20u) << "at most two points per bucket";
    EXPECT_DOUBLE_EQ(p[0].value, 9.00);
    EXPECT_DOUBLE_EQ(p[0].timeMs, 37);
    EXPECT_DOUBLE_EQ(p[1].value, -0.50);
    EXPECT_DOUBLE_EQ(p[1].timeMs, 80);
    bool lowSpike = false;
    for (const TrendPoint& q : p) lowSpike |= q.value == -7.00 && q.timeMs == 512;
    EXPECT_TRUE(lowSpike);
    // A relay that switched on for one sample shows in its lane too.
    ring.Append(At(1000, 100, 0b0100));
    ring.Append(At(1001, 100, 0));
    thinner.Update(ring, 1001);
    double relay3 = 0;
    const TrendSegments lane = thinner.Points(kTrendRelay1 + 2);
    for (const TrendPoint& q : lane.at(0)) relay3 = std::max(relay3, q.value);
    EXPECT_EQ(relay3, 1);
}

TEST(TrendThinner, TakesOnlyNewSamplesAndForgetsWhatLeftTheSpan) {
    TrendRing ring(100000);
    TrendThinner thinner(60'000, 300);  // 200 ms buckets
    for (int i = 0; i < 3000; ++i) ring.Append(At(i * 30, 1));
    thinner.Update(ring, 3000 * 30);
    EXPECT_LE(thinner.BucketCount(), 301u);
    const std::size_t before = thinner.Points(kTrendValue1).at(0).size();
    for (int i = 3000; i < 3010; ++i) ring.Append(At(i * 30, 1));
    thinner.Update(ring, 3010 * 30);
    EXPECT_LE(thinner.BucketCount(), 301u);
    const TrendSegments after = thinner.Points(kTrendValue1);
    EXPECT_NEAR(double(after.at(0).size()), double(before), 3.0);
    EXPECT_GE(after.at(0).front().timeMs, 3010 * 30 - 60'000 - 200);
}

TEST(TrendThinner, AGapBreaksTheLineAndAMissingValueDrawsNothing) {
    TrendRing ring(100);
    for (int t = 0; t < 10; ++t) ring.Append(At(t * 100, 5));
    ring.Append(Gap(1000));
    for (int t = 20; t < 30; ++t) ring.Append(At(t * 100, 6));
    TrendThinner thinner(10'000, 100);
    thinner.Update(ring, 3000);
    const TrendSegments s = thinner.Points(kTrendValue1);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_DOUBLE_EQ(s[0].back().value, 0.05);
    EXPECT_DOUBLE_EQ(s[1].front().value, 0.06);
    EXPECT_GE(s[1].front().timeMs, 2000);
    EXPECT_TRUE(thinner.Points(kTrendValue2).empty());
}

TEST(LimitLines, FollowTheModeOfTheOutput) {
    struct Case {
        uint8_t mode;
        std::vector<int32_t> lines;
    } cases[] = {
        {kLimitOff, {}},
        {kLimitAtLeastA, {10}},
        {kLimitAtMostA, {10}},
        {kLimitInsideAB, {10, 20}},
        {kLimitOutsideAB, {10, 20}},
        {kLimitControlAB, {10, 20}},
        {kLimitControlBA, {10, 20}},
        {kLimitOn, {}},
        {kLimitRise, {}},
        {kLimitFall, {}},
        {kLimitChange, {}},
        {200, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(LimitLineValues(c.mode, 10, 20), c.lines) << int(c.mode);
}

}  // namespace
}  // namespace velmar
