#include "core/settings/block_transfer.h"

#include <algorithm>
#include <memory>

#include "core/link/frame.h"

namespace velmar {

namespace {

struct ReadState {
    CommandEngine& engine;
    std::vector<const SettingsBlockInfo*> blocks;
    bool defaults;
    BlockProgress progress;
    std::function<void(BlockReadResult)> done;
    BlockReadResult result;
    std::size_t next = 0;
};

void ReadNext(std::shared_ptr<ReadState> s) {
    if (s->next == s->blocks.size()) return s->done(std::move(s->result));
    const SettingsBlockInfo* block = s->blocks[s->next];
    s->engine.Submit(s->defaults ? block->defaults : block->read, {}, [s, block](const CommandResult& r) {
        if (r.error != 0) {
            s->result.error = r.error;
            s->result.failed = block;
            return s->done(std::move(s->result));
        }
        if (!s->defaults && !BlockAnswerFits(*block, r.answer)) {
            s->result.error = kBlockTooShort;
            s->result.failed = block;
            return s->done(std::move(s->result));
        }
        s->result.blocks[block->name] = r.answer;
        ++s->next;
        if (s->progress) s->progress(s->next, s->blocks.size());
        ReadNext(s);
    });
}

struct WriteState {
    CommandEngine& engine;
    std::vector<std::pair<const SettingsBlockInfo*, Bytes>> blocks;
    BlockProgress progress;
    std::function<void(BlockWriteResult)> done;
    BlockWriteResult result;
    std::size_t next = 0;
};

void WriteNext(std::shared_ptr<WriteState> s) {
    if (s->next == s->blocks.size()) return s->done(std::move(s->result));
    const SettingsBlockInfo* block = s->blocks[s->next].first;
    const Bytes& written = s->blocks[s->next].second;
    auto fail = [s, block](uint8_t error, bool readingBack) {
        s->result.error = error;
        s->result.failed = block;
        s->result.failedReadingBack = readingBack;
        s->done(std::move(s->result));
    };
    s->engine.Submit(block->write, written, [s, block, fail](const CommandResult& w) {
        if (w.error != 0) return fail(w.error, false);
        s->engine.Submit(block->read, {}, [s, block, fail](const CommandResult& r) {
            if (r.error != 0) return fail(r.error, true);
            const Bytes& written = s->blocks[s->next].second;
            const bool same =
                r.answer.size() >= written.size() && std::equal(written.begin(), written.end(), r.answer.begin());
            (same ? s->result.verified : s->result.mismatched).push_back(block->name);
            ++s->next;
            if (s->progress) s->progress(s->next, s->blocks.size());
            WriteNext(s);
        });
    });
}

}  // namespace

std::string BlockErrorText(uint8_t code) {
    if (code == kBlockTooShort) return "a készülék a vártnál rövidebb blokkot küldött";
    if (code == CommandEngine::kCancelled) return "megszakadt: a készüléket kihúzták, vagy a műveletet leállították";
    // The command link ends a command with 10 only for a frame it could not
    // send; an instrument's own 10 is not told apart here.
    const ErrorText* text = code == err::kWriteFailed ? &WriteFailedText() : FindErrorText(code);
    // The texts start with their code: "5: Unkown command."
    return "a készülék nem válaszolt rendben (hibakód " + (text ? std::string(text->longText) : std::to_string(code)) +
           ")";
}

void ReadBlocks(CommandEngine& engine, std::vector<const SettingsBlockInfo*> blocks, bool defaults,
                BlockProgress progress, std::function<void(BlockReadResult)> done) {
    ReadNext(std::make_shared<ReadState>(
        ReadState{engine, std::move(blocks), defaults, std::move(progress), std::move(done), {}}));
}

void WriteBlocks(CommandEngine& engine, BlockImages blocks, BlockProgress progress,
                 std::function<void(BlockWriteResult)> done) {
    auto s = std::make_shared<WriteState>(WriteState{engine, {}, std::move(progress), std::move(done), {}});
    // In the order of the block table, so a restore always goes the same way.
    for (const SettingsBlockInfo& info : SettingsBlocks())
        if (const auto it = blocks.find(info.name); it != blocks.end()) s->blocks.emplace_back(&info, it->second);
    WriteNext(s);
}

}  // namespace velmar
