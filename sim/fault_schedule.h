#pragma once
// Faults the virtual instrument puts into its answers for a soak: every Nth
// answer is spoiled by the next kind in turn, so that a long run meets each
// kind about as often as the others.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/link/frame.h"

namespace velmar::sim {

using Report = std::array<uint8_t, kReportSize>;

enum class FaultAction : uint8_t { Drop, BadCrc, Error, BadIndex, BadLength };

struct FaultKind {
    const char* name;
    FaultAction action;
    uint8_t code = 0;  // the error code an Error answer carries
};

// Drops, corrupted CRCs, each error code the protocol knows (and one past
// them), answer chunks with a wrong index and answers with a length beyond
// any buffer.
std::span<const FaultKind> FaultKinds();

class FaultSchedule {
public:
    explicit FaultSchedule(int every = 0) : every_(every) {}
    bool Active() const { return every_ > 0; }
    // Spoils the sealed answer when its turn has come. Returns false when
    // the answer is to be dropped.
    bool Apply(Report& answer);
    // How many of each kind were injected, in the order of FaultKinds().
    std::span<const unsigned> Injected() const { return injected_; }
    unsigned Answers() const { return answers_; }

private:
    int every_;
    unsigned answers_ = 0;
    std::size_t next_ = 0;
    std::array<unsigned, 16> injected_{};
};

}  // namespace velmar::sim
