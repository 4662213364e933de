// The passwords block as the instrument answers it, shown as the dialog
// shows it and typed back; and any two texts typed as a new pair.
//
// An input is the 4-byte answer, then the two typed texts split at the
// first zero byte.
#include <algorithm>
#include <string>
#include <string_view>

#include "core/modules/password_codec.h"
#include "fuzz_support.h"

using namespace velmar;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    auto seeds = fuzz::PlainSeeds(kPasswordBlockSize);
    seeds.push_back({"typed", {0x01, 0x00, 0x02, 0x00, '1', '2', '3', 0, '4', '5'}});
    fuzz::WriteSeedsIfAsked(seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Answer answer(data, std::min(size, kPasswordBlockSize));
    PasswordBlock b;
    PasswordLayout(answer.Reader(), b);
    for (uint16_t p : {b.user, b.supervisor}) {
        const auto typed = ParsePassword(std::to_string(p));
        if (p <= kMaxPassword && typed != p) fuzz::Fail("a shown password does not read back");
        if (p > kMaxPassword && typed) fuzz::Fail("a password beyond 9999 taken");
    }
    if (size <= kPasswordBlockSize) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + kPasswordBlockSize), size - kPasswordBlockSize);
    const std::size_t cut = rest.find('\0');
    const std::string_view user = rest.substr(0, cut);
    const std::string_view supervisor = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    const auto u = ParsePassword(user), s = ParsePassword(supervisor);
    for (const auto& p : {u, s})
        if (p && *p > kMaxPassword) fuzz::Fail("a typed password beyond 9999 taken");
    const PasswordProblem problem = CheckPasswords(user, supervisor);
    if (problem == PasswordProblem::None && (!u || !s || *u == *s)) fuzz::Fail("a bad pair accepted");
    return 0;
}
