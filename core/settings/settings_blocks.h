#pragma once
// Every settings block the program can save, compare and restore, described
// once: its commands, and its fields as the block's own layout lists them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/link/field_meta.h"

namespace velmar {

using Bytes = std::vector<uint8_t>;

enum class FieldKind : uint8_t { U8, U16, S16, S32, U32, F32, Bool, Text };

// What a block's bytes do not tell of themselves: the decimals the limit
// and output values are in, and the model, by which some codes read
// differently.
struct FieldContext {
    int measuredDecimals = 0;
    uint16_t deviceType = 0;  // 0: not known
    FieldContext(int decimals = 0, uint16_t device = 0) : measuredDecimals(decimals), deviceType(device) {}
};

struct BlockField {
    std::string name;  // unique within its block
    const char* caption = "";
    FieldKind kind = FieldKind::U8;
    std::size_t offset = 0;
    std::size_t width = 0;
    FieldMeta meta;
    int decimals = 0;  // resolved for this block's bytes
    double number = 0;  // as a person reads it: decimals applied
    std::string text;  // a text field, UTF-8
    uint16_t deviceType = 0;  // the model the bytes came from, for the option texts
};

struct SettingsBlockInfo {
    const char* name;  // in files and the journal
    const char* caption;  // as a person reads it
    uint8_t read, write, defaults;
    std::size_t size;
    std::vector<BlockField> (*fields)(const Bytes& bytes, FieldContext context);
    // The factory values in the shape of the block; what the defaults
    // answer does not carry keeps its value in current.
    Bytes (*defaultsAsBlock)(const Bytes& answer, const Bytes& current);
    // Whether the block's "decimals" field is the measured value's for these
    // bytes; nullptr: the block never sets them.
    bool (*setsMeasuredDecimals)(const Bytes& bytes) = nullptr;
};

std::span<const SettingsBlockInfo> SettingsBlocks();
const SettingsBlockInfo* FindSettingsBlock(std::string_view name);
// The block a read or write command belongs to, nullptr for others.
const SettingsBlockInfo* BlockOfRead(uint8_t command);
const SettingsBlockInfo* BlockOfWrite(uint8_t command);
// A read, write or defaults command of any block; cheap enough for every answer.
bool IsBlockCommand(uint8_t command);

// The decimals the instrument shows its measured value in, where these
// bytes set them (the input's own decimals); nullopt where they do not.
std::optional<int> MeasuredDecimalsIn(const SettingsBlockInfo& block, const Bytes& bytes);

// What the instrument reports of itself, enough to know its blocks.
struct InstrumentFit {
    uint16_t deviceType = 0;
    uint8_t optIn = 0, out1 = 0, out2 = 0;
    bool service = false;  // the whole settings set too
};
std::vector<const SettingsBlockInfo*> BlocksOf(const InstrumentFit& fit);

// The field's value as a person reads it in a table: a text, an option's
// text, "igen" or "nem", or the number with its decimals and unit. A code
// with no option text shows as the number, marked when it is outside the
// choices.
std::string FieldValueText(const BlockField& f, char decimalSeparator = '.');

// The lowest and highest value the field takes, as a person reads them:
// its limits within what its bytes hold, decimals applied.
std::pair<double, double> FieldLimits(const BlockField& f);
// Those limits in words, with the decimals and the unit: "0.00 … 100.00 mA".
std::string FieldRangeText(const BlockField& f, char decimalSeparator = '.');

// Puts a person's value into the block's bytes. Returns an empty string,
// or why the value cannot be taken (in Hungarian); the bytes are then left
// as they were. A text longer than the field holds is refused, never cut.
[[nodiscard]] std::string SetFieldNumber(Bytes& bytes, const BlockField& f, double value);
[[nodiscard]] std::string SetFieldText(Bytes& bytes, const BlockField& f, std::string_view utf8);

// Copies one field's bytes from one block image to another.
void CopyField(Bytes& to, const Bytes& from, const BlockField& f);
bool FieldEqual(const Bytes& a, const Bytes& b, const BlockField& f);

std::string HexOf(const Bytes& bytes);
[[nodiscard]] bool BytesOfHex(std::string_view hex, Bytes& out);

}  // namespace velmar
