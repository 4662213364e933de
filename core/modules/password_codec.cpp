#include "core/modules/password_codec.h"

#include <charconv>

namespace velmar {

std::optional<uint16_t> ParsePassword(std::string_view text) {
    int v = 0;
    const char* end = text.data() + text.size();
    // from_chars takes a minus sign, which counts as a number below 0 here.
    const auto [p, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || p != end || v < 0 || v > kMaxPassword) return std::nullopt;
    return uint16_t(v);
}

PasswordProblem CheckPasswords(std::string_view user, std::string_view supervisor) {
    const auto u = ParsePassword(user), s = ParsePassword(supervisor);
    if (!u || !s) return PasswordProblem::NotANumber;
    return *u == *s ? PasswordProblem::Equal : PasswordProblem::None;
}

}  // namespace velmar
