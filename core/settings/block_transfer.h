#pragma once
// Settings blocks read or written one after another through the command
// engine: the save, the compare and the restore of the main window and of
// the command-line tool alike.

#include <functional>
#include <string>
#include <vector>

#include "core/link/command_engine.h"
#include "core/settings/block_compare.h"

namespace velmar {

using BlockProgress = std::function<void(std::size_t done, std::size_t total)>;

struct BlockReadResult {
    BlockImages blocks;
    uint8_t error = 0;  // the link's or the instrument's code; the read stopped there
    const SettingsBlockInfo* failed = nullptr;
};

struct BlockWriteResult {
    std::vector<std::string> verified;  // read back as written
    std::vector<std::string> mismatched;  // read back otherwise
    uint8_t error = 0;  // the rest was not written
    const SettingsBlockInfo* failed = nullptr;
    bool failedReadingBack = false;
};

// A block read answered with fewer bytes than the block has: such a block
// cannot be saved, as it could not be written back whole.
inline constexpr uint8_t kBlockTooShort = 254;
inline bool BlockAnswerFits(const SettingsBlockInfo& block, const Bytes& answer) { return answer.size() >= block.size; }

// Why a block command ended, in Hungarian (UTF-8): the link's or the
// instrument's code with its text, or that the link went away.
std::string BlockErrorText(uint8_t code);

// The blocks as they are, or their factory values (the defaults answers as
// they come; SettingsBlockInfo::defaultsAsBlock shapes them).
void ReadBlocks(CommandEngine& engine, std::vector<const SettingsBlockInfo*> blocks, bool defaults,
                BlockProgress progress, std::function<void(BlockReadResult)> done);

// Writes each block, then reads it back.
void WriteBlocks(CommandEngine& engine, BlockImages blocks, BlockProgress progress,
                 std::function<void(BlockWriteResult)> done);

}  // namespace velmar
