#pragma once
// Test helpers for the settings blocks: a block through its layout into
// bytes and back, and one single-frame command to a virtual instrument.

#include <gtest/gtest.h>

#include <vector>

#include "core/link/frame.h"
#include "core/link/payload_io.h"
#include "sim/virtual_instrument.h"

namespace velmar::test {

template <class Block, class Layout>
std::vector<uint8_t> Encode(Block b, Layout layout) {
    std::vector<uint8_t> out;
    BytesWriter w(out);
    layout(w, b);
    return out;
}

template <class Block, class Layout>
Block Decode(const std::vector<uint8_t>& bytes, Layout layout) {
    Block b{};
    BytesReader r(bytes);
    layout(r, b);
    return b;
}

// One single-frame command to the instrument; its answer payload.
inline std::vector<uint8_t> Exchange(sim::VirtualInstrument& vi, uint8_t command, std::vector<uint8_t> payload,
                                     uint16_t device = 0) {
    sim::Report r{};
    PutU16(r.data(), 1, device);
    r[7] = command;
    r[8] = 3;
    PutU16(r.data(), 3, 8225);
    PutU16(r.data(), 9, uint16_t(payload.size()));
    std::copy(payload.begin(), payload.end(), r.begin() + 17);
    SealTxFrame(r.data());
    auto a = vi.HandleReport(r.data());
    EXPECT_EQ((*a)[5], 0);
    return std::vector<uint8_t>(a->begin() + 17, a->begin() + 17 + GetU16(a->data(), 9));
}

}  // namespace velmar::test
