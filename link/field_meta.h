#pragma once
// What a settings field means to a person: its name in files, its caption
// in the dialogs, where its decimals come from and the values it may take.
// The block layouts carry it beside each field, so the settings files, the
// compare table and the journal read the one layout the codecs use.

#include <cstdint>

namespace velmar {

enum class DecimalsFrom : uint8_t {
    None,      // a count, a code or a flag: shown as it travels
    Field,     // a field of the same block, named by decimalsField
    Measured,  // the measured value's decimals, which the instrument reports
    Fixed,     // always fixedDecimals
};

struct FieldMeta {
    const char* name = nullptr;     // nullptr: a field no file or table shows
    const char* caption = nullptr;  // as the dialog labels it
    double min = 0;                 // limits of the raw value; min > max: the type's own range
    double max = -1;
    DecimalsFrom decimals = DecimalsFrom::None;
    const char* decimalsField = nullptr;
    uint8_t fixedDecimals = 0;
    bool text = false;              // one byte of a zero-terminated Latin-1 text
};

// Shorthands for the layouts.
namespace field {
constexpr FieldMeta Code(const char* name, const char* caption, double min, double max) {
    return {name, caption, min, max};
}
constexpr FieldMeta Scaled(const char* name, const char* caption, const char* decimalsField) {
    return {name, caption, 0, -1, DecimalsFrom::Field, decimalsField};
}
constexpr FieldMeta InMeasured(const char* name, const char* caption) {
    return {name, caption, 0, -1, DecimalsFrom::Measured};
}
constexpr FieldMeta Tenths(const char* name, const char* caption) {
    return {name, caption, 0, -1, DecimalsFrom::Fixed, nullptr, 1};
}
constexpr FieldMeta Text(const char* name, const char* caption) {
    FieldMeta m{name, caption};
    m.text = true;
    return m;
}

}  // namespace field
}  // namespace velmar
