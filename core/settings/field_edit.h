#pragma once
// A settings field set from the text a person types or a script passes,
// within the limits its block's description gives, and those limits in
// words. The offline editor's table and velmar-cli edit share it, so a value
// is taken or refused the same way in both.

#include <string>
#include <string_view>
#include <vector>

#include "core/settings/settings_blocks.h"

namespace velmar {

enum class FieldType : uint8_t { Number, Choice, Flag, Text };
FieldType TypeOf(const BlockField& f);
const char* TypeName(FieldType t);  // "number", "choice", "flag", "text"

// The choices of an enumerated field for the model its bytes came from, in
// list order; every model's when the model is not known.
std::vector<FieldOption> FieldChoices(const BlockField& f);

// The value as an editor starts from it: a number without its unit, a
// choice's text, "igen" or "nem", the text.
std::string FieldEditText(const BlockField& f, char decimalSeparator = '.');

// What the field may take, in words: "0.00 … 100.00 mA", the choices'
// texts, "igen / nem", "legfeljebb 9 karakter".
std::string FieldLimitsText(const BlockField& f, char decimalSeparator = '.');

// Puts the value given as text into the block's bytes:
// - a number with '.' or ',' before its decimals, its unit after it or not;
// - a choice by its text (as the table shows it, unit or not) or its code;
// - a flag as igen/nem, 1/0 or true/false;
// - a text of Latin-1 characters, no longer than the field holds.
// Returns an empty string, or why the value is refused with what the field
// takes (in Hungarian); the bytes are then left as they were.
[[nodiscard]] std::string SetFieldFromText(Bytes& bytes, const BlockField& f, std::string_view text);

// Puts a value given as a number (a settings file's field) into the bytes by
// the same rules: a choice by its code, a flag as 1 or 0, a number within
// its limits and decimals. Returns an empty string, or why not.
[[nodiscard]] std::string SetFieldFromNumber(Bytes& bytes, const BlockField& f, double value);

}  // namespace velmar
