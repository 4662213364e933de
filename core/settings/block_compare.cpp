#include "core/settings/block_compare.h"

#include <cmath>

namespace velmar {

std::vector<FieldRow> CompareBlocks(const BlockImages& mine, FieldContext myContext, const BlockImages& theirs,
                                    FieldContext theirContext) {
    std::vector<FieldRow> rows;
    for (const SettingsBlockInfo& info : SettingsBlocks()) {
        const auto a = mine.find(info.name), b = theirs.find(info.name);
        if (a == mine.end() || b == theirs.end()) continue;
        const std::vector<BlockField> left = info.fields(a->second, myContext);
        const std::vector<BlockField> right = info.fields(b->second, theirContext);
        for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
            const bool sameBytes = FieldEqual(a->second, b->second, left[i]);
            const bool moved = sameBytes && left[i].kind != FieldKind::Text && left[i].number != right[i].number &&
                               !(std::isnan(left[i].number) && std::isnan(right[i].number));
            rows.push_back({&info, left[i], right[i], !sameBytes || moved, moved});
        }
    }
    return rows;
}

int FollowMeasuredDecimals(int decimals, const BlockImages& from, const BlockImages& to) {
    for (const auto& [name, bytes] : to) {
        const SettingsBlockInfo* info = FindSettingsBlock(name);
        if (!info) continue;
        const auto before = from.find(name);
        const std::optional<int> was = before == from.end() ? std::nullopt : MeasuredDecimalsIn(*info, before->second);
        const std::optional<int> now = MeasuredDecimalsIn(*info, bytes);
        if (now && now != was) decimals = *now;
    }
    return decimals;
}

BlockImages TakeChosen(const BlockImages& mine, const BlockImages& theirs, const std::vector<FieldRow>& rows,
                       const std::vector<bool>& chosen) {
    BlockImages out;
    for (std::size_t r = 0; r < rows.size() && r < chosen.size(); ++r) {
        if (!chosen[r] || !rows[r].differs || rows[r].moved) continue;
        const std::string name = rows[r].block->name;
        auto [it, fresh] = out.try_emplace(name, mine.at(name));
        CopyField(it->second, theirs.at(name), rows[r].mine);
    }
    return out;
}

}  // namespace velmar
