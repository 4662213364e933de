#pragma once
// The passwords block of the indicators (commands 220 to 222), shared by the
// program and the virtual instrument, and the rules a new pair must keep.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmar {

constexpr uint8_t kReadPasswords = 220, kPasswordDefaults = 221, kWritePasswords = 222;
constexpr std::size_t kPasswordBlockSize = 4;
constexpr int kMaxPassword = 9999;

struct PasswordBlock {
    uint16_t user = 0;  // operator password
    uint16_t supervisor = 1;  // engineer password

    bool operator==(const PasswordBlock&) const = default;
};

template <class IO>
void PasswordLayout(IO& io, PasswordBlock& b) {
    io.U16(b.user);
    io.U16(b.supervisor);
}

// What is wrong with a typed pair, if anything.
enum class PasswordProblem { None, NotANumber, Equal };

// A password as typed: a whole number 0..9999, or nothing.
[[nodiscard]] std::optional<uint16_t> ParsePassword(std::string_view text);
PasswordProblem CheckPasswords(std::string_view user, std::string_view supervisor);

}  // namespace velmar
