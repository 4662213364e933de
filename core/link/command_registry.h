#pragma once
// Who builds each command's request payload and who decodes its answer.
// The windows that own a command register both when they are created.

#include <array>
#include <cstdint>
#include <functional>

namespace velmar {

class CommandRegistry {
public:
    using Action = std::function<void()>;

    void SetBuilder(uint8_t command, Action build) { builders_[command] = std::move(build); }
    void SetDecoder(uint8_t command, Action decode) { decoders_[command] = std::move(decode); }
    // For the few commands that must not repeat by themselves when their
    // exchange fails (a lost answer, a bad CRC, an error code).
    void SetOnFailure(uint8_t command, Action failed) { failures_[command] = std::move(failed); }

    // Runs the builder, if the command has a request payload.
    void Build(uint8_t command) const {
        if (builders_[command]) builders_[command]();
    }
    // Runs the decoder; false for a code without one.
    bool Decode(uint8_t command) const {
        if (!decoders_[command]) return false;
        decoders_[command]();
        return true;
    }

    // The exchange of this command failed; most commands are left to repeat.
    void Fail(uint8_t command) const {
        if (failures_[command]) failures_[command]();
    }

private:
    std::array<Action, 256> builders_{};
    std::array<Action, 256> decoders_{};
    std::array<Action, 256> failures_{};
};

}  // namespace velmar
