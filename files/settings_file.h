#pragma once
// The settings file: an instrument's identity and its settings blocks, each
// with its fields as a person reads them and its bytes as they travel, so
// that a block this program cannot fully read still goes back unchanged.

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <string>

#include "core/settings/settings_blocks.h"

namespace velmar {

constexpr int kSettingsFileFormat = 1;

struct InstrumentIdentity {
    uint16_t deviceType = 0;
    uint32_t serial = 0;
    uint8_t madeYear = 0, madeMonth = 0;
    std::string firmware;
};

struct SettingsSnapshot {
    InstrumentIdentity identity;
    int measuredDecimals = 0;  // the decimals the limit and output values are in
    std::map<std::string, Bytes> blocks;  // by block name
};

QByteArray WriteSettingsFile(const SettingsSnapshot& snapshot, const QString& programVersion);

// Reads a file for an instrument of the given type (0: of the type the file
// names). A value in the fields overrides the raw bytes (a person may have
// edited it) and is read in the decimals the file itself now says; every
// such value is taken by the rules of the offline editor: within its
// field's limits, a whole number where one belongs, a choice among the
// choices, a text no longer than the field. A field the block does not have
// is refused too. nullopt with *error set when the file cannot be taken:
// the message names the block, the field and the reason. Every command
// that reads a settings file reads it here.
[[nodiscard]] std::optional<SettingsSnapshot> ReadSettingsFile(const QByteArray& data, uint16_t deviceType,
                                                               QString* error);

// Checks that the file holds exactly the blocks the instrument has.
bool SameBlocks(const SettingsSnapshot& file, const std::vector<const SettingsBlockInfo*>& instrument, QString* error);

}  // namespace velmar
