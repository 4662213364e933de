#include "sim/fault_schedule.h"

namespace velmar::sim {

namespace {
using enum FaultAction;
constexpr FaultKind kKinds[] = {
    {"drop", Drop},          {"bad-crc", BadCrc},       {"error-1", Error, 1}, {"error-2", Error, 2},
    {"error-3", Error, 3},   {"error-4", Error, 4},     {"error-5", Error, 5}, {"error-6", Error, 6},
    {"error-7", Error, 7},   {"error-8", Error, 8},     {"error-9", Error, 9}, {"error-10", Error, 10},
    {"bad-index", BadIndex}, {"bad-length", BadLength},
};
}  // namespace

std::span<const FaultKind> FaultKinds() { return kKinds; }

bool FaultSchedule::Apply(Report& answer) {
    static_assert(std::size(kKinds) <= std::tuple_size_v<decltype(injected_)>);
    ++answers_;
    if (every_ <= 0 || answers_ % unsigned(every_) != 0) return true;
    const FaultKind& kind = kKinds[next_];
    ++injected_[next_];
    next_ = (next_ + 1) % std::size(kKinds);
    switch (kind.action) {
    case Drop: return false;
    case BadCrc: answer[kCrcFirst] ^= 0xFF; return true;
    case Error: answer[pos::kError] = kind.code; break;
    case BadIndex:
        PutU16(answer.data(), pos::kIndex, uint16_t(GetU16(answer.data(), pos::kIndex) + kChunkSize + 1));
        break;
    case BadLength: PutU16(answer.data(), pos::kDataBytes, 0xFFFF); break;
    }
    SealTxFrame(answer.data());
    return true;
}

}  // namespace velmar::sim
