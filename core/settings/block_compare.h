#pragma once
// Two images of an instrument's settings blocks side by side, field by
// field, and the block images that take chosen fields from the other side.

#include <map>
#include <string>
#include <vector>

#include "core/settings/settings_blocks.h"

namespace velmar {

using BlockImages = std::map<std::string, Bytes>;

struct FieldRow {
    const SettingsBlockInfo* block;
    BlockField mine;  // as the first image holds it
    BlockField theirs;  // as the second
    bool differs;  // shown as a difference
    // The bytes are the same but read as another value: the decimals they
    // are in differ. Nothing to write, but a person must see it.
    bool moved = false;
};

// Every field of the blocks both images hold, in block order.
std::vector<FieldRow> CompareBlocks(const BlockImages& mine, FieldContext myContext, const BlockImages& theirs,
                                    FieldContext theirContext);

// The measured decimals once the blocks changed from `from` to `to`: the
// instrument keeps its stored integers when its decimals change, so they
// follow a block that sets them and changed them (the input's decimals).
int FollowMeasuredDecimals(int decimals, const BlockImages& from, const BlockImages& to);

// The blocks of mine in which a chosen row differs, with those fields taken
// from theirs; the other fields keep mine's bytes.
BlockImages TakeChosen(const BlockImages& mine, const BlockImages& theirs, const std::vector<FieldRow>& rows,
                       const std::vector<bool>& chosen);

}  // namespace velmar
