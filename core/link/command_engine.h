#pragma once
// Commands asked for by code rather than by a request button: each one goes
// out with the request payload it was given, and its answer payload (or the
// link's error) comes back to whoever asked. The scheduler starts them in
// turn with the status poll, so live values keep coming meanwhile.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace velmar {

struct CommandResult {
    uint8_t error = 0;  // 0, a link error code, or kCancelled
    std::vector<uint8_t> answer;  // the answer payload when error is 0
};

class CommandEngine {
public:
    using Done = std::function<void(const CommandResult&)>;
    static constexpr uint8_t kCancelled = 255;
    // A lost, corrupted or refused answer is asked for again this many times.
    static constexpr int kRetries = 2;

    void Submit(uint8_t command, std::vector<uint8_t> request, Done done);
    // Told of each submission, for a link that does not poll the engine.
    std::function<void()> submitted;
    // Drops what is queued and what is under way; each hears kCancelled.
    void CancelAll();

    bool Queued() const { return !queue_.empty(); }
    bool Busy() const { return active_.has_value(); }

    // The scheduler's side: takes the next queued command under way.
    uint8_t StartNext();
    const std::vector<uint8_t>& ActiveRequest() const { return active_->request; }
    void Answered(const uint8_t* payload, std::size_t length);
    // A lost, corrupted or refused answer is tried again; other codes end
    // the command.
    void Failed(uint8_t error);

private:
    struct Job {
        uint8_t command;
        std::vector<uint8_t> request;
        Done done;
        int tries = 0;
    };
    void Finish(Job job, CommandResult result);

    std::deque<Job> queue_;
    std::optional<Job> active_;
};

}  // namespace velmar
