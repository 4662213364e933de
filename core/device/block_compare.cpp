#include "core/device/block_compare.h"

namespace velmar {

std::vector<FieldRow> CompareBlocks(const BlockImages& mine, FieldContext myContext, const BlockImages& theirs,
                                    FieldContext theirContext) {
    std::vector<FieldRow> rows;
    for (const SettingsBlockInfo& info : SettingsBlocks()) {
        const auto a = mine.find(info.name), b = theirs.find(info.name);
        if (a == mine.end() || b == theirs.end()) continue;
        const std::vector<BlockField> left = info.fields(a->second, myContext);
        const std::vector<BlockField> right = info.fields(b->second, theirContext);
        for (std::size_t i = 0; i < left.size() && i < right.size(); ++i)
            rows.push_back({&info, left[i], right[i], !FieldEqual(a->second, b->second, left[i])});
    }
    return rows;
}

BlockImages TakeChosen(const BlockImages& mine, const BlockImages& theirs, const std::vector<FieldRow>& rows,
                       const std::vector<bool>& chosen) {
    BlockImages out;
    for (std::size_t r = 0; r < rows.size() && r < chosen.size(); ++r) {
        if (!chosen[r] || !rows[r].differs) continue;
        const std::string name = rows[r].block->name;
        auto [it, fresh] = out.try_emplace(name, mine.at(name));
        CopyField(it->second, theirs.at(name), rows[r].mine);
    }
    return out;
}

}  // namespace velmar
