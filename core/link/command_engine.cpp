#include "core/link/command_engine.h"

#include "core/link/frame.h"

namespace velmar {

void CommandEngine::Submit(uint8_t command, std::vector<uint8_t> request, Done done) {
    queue_.push_back({command, std::move(request), std::move(done)});
    if (submitted) submitted();
}

void CommandEngine::CancelAll() {
    std::deque<Job> dropped;
    dropped.swap(queue_);
    if (active_ && active_->done) {
        // The command in flight stays ours without anyone waiting for it,
        // so that its answer does not reach a dialog that did not ask.
        dropped.push_front({active_->command, {}, std::move(active_->done)});
        active_->done = nullptr;
    }
    for (Job& job : dropped)
        if (job.done) job.done({kCancelled, {}});
}

uint8_t CommandEngine::StartNext() {
    if (!active_ || !active_->done) {
        active_ = std::move(queue_.front());
        queue_.pop_front();
    }
    ++active_->tries;
    return active_->command;
}

void CommandEngine::Answered(const uint8_t* payload, std::size_t length) {
    if (!active_) return;
    Job job = std::move(*active_);
    active_.reset();
    Finish(std::move(job), {0, std::vector<uint8_t>(payload, payload + length)});
}

void CommandEngine::Failed(uint8_t error) {
    if (!active_) return;
    // A refused answer (a chunk out of turn) is most often a late answer to
    // an earlier try; asking again puts the exchange back in step. A frame
    // the transport could not send may well go at the next try.
    const bool again =
        error == err::kTimeout || error == err::kCrc || error == err::kAnswerTooLong || error == err::kWriteFailed;
    if (again && active_->tries <= kRetries && active_->done) {
        // Asked again before anything else that is queued.
        queue_.push_front(std::move(*active_));
        active_.reset();
        return;
    }
    Job job = std::move(*active_);
    active_.reset();
    Finish(std::move(job), {error, {}});
}

void CommandEngine::Finish(Job job, CommandResult result) {
    // The callback may submit the next command.
    if (job.done) job.done(result);
}

}  // namespace velmar
