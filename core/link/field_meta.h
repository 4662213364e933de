#pragma once
// What a settings field means to a person: its name in files, its caption
// in the dialogs, where its decimals come from and the values it may take.
// The block layouts carry it beside each field, so the settings files, the
// compare table and the journal read the one layout the codecs use.

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmar {

// One choice of an enumerated field: the code that travels and the text the
// dialog shows for it. Where models read one code differently, device names
// the model a text belongs to (0: every model).
struct FieldOption {
    int32_t code;
    const char* text;
    uint16_t device = 0;
};

enum class DecimalsFrom : uint8_t {
    None,  // a count, a code or a flag: shown as it travels
    Field,  // a field of the same block, named by decimalsField
    Measured,  // the measured value's decimals, which the instrument reports
    Fixed,  // always fixedDecimals
};

struct FieldMeta {
    const char* name = nullptr;  // nullptr: a field no file or table shows
    const char* caption = nullptr;  // as the dialog labels it
    double min = 0;  // limits of the raw value; min > max: the type's own range
    double max = -1;
    DecimalsFrom decimals = DecimalsFrom::None;
    const char* decimalsField = nullptr;
    uint8_t fixedDecimals = 0;
    bool text = false;  // one byte of a zero-terminated Latin-1 text
    const char* unit = nullptr;  // after the number, as a person reads it
    const FieldOption* options = nullptr;  // an enumerated field's choices
    uint8_t optionCount = 0;
    // A flag the dialog shows the other way round ("Hibajelzés bekapcsolva"
    // for a stored "error off"): its caption and its words igen and nem
    // follow the dialog, its code 1 or 0 the stored byte.
    bool inverted = false;

    constexpr FieldMeta In(const char* u) const {
        FieldMeta m = *this;
        m.unit = u;
        return m;
    }
    constexpr FieldMeta Inverted() const {
        FieldMeta m = *this;
        m.inverted = true;
        return m;
    }
    // The raw limits the dialog's editor allows: files, the offline editor
    // and the command line take no more than a person can set there.
    constexpr FieldMeta Within(double lo, double hi) const {
        FieldMeta m = *this;
        m.min = lo;
        m.max = hi;
        return m;
    }
};

// A scale end or a limit value in the typed value editor: five digits in
// implied decimals, four of them below zero.
inline constexpr double kEditorLow = -9999, kEditorHigh = 99999;

// The text of a code for the given model, nullptr when it has none.
constexpr const char* OptionText(const FieldMeta& m, int64_t code, uint16_t device) {
    for (uint8_t i = 0; i < m.optionCount; ++i)
        if (m.options[i].code == code && (m.options[i].device == 0 || m.options[i].device == device))
            return m.options[i].text;
    return nullptr;
}

// The texts and codes of count options from first on, in list order, for
// the dialogs that show them as items.
template <std::size_t Count, std::size_t N>
constexpr std::array<const char*, Count> OptionTexts(const FieldOption (&options)[N], std::size_t first = 0) {
    static_assert(Count <= N);
    std::array<const char*, Count> out{};
    for (std::size_t i = 0; i < Count; ++i) out[i] = options[first + i].text;
    return out;
}
template <class Code, std::size_t N>
constexpr std::array<Code, N> OptionCodes(const FieldOption (&options)[N]) {
    std::array<Code, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = Code(options[i].code);
    return out;
}

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
template <std::size_t N>
constexpr FieldMeta Choice(const char* name, const char* caption, double min, double max,
                           const FieldOption (&options)[N]) {
    FieldMeta m{name, caption, min, max};
    m.options = options;
    m.optionCount = uint8_t(N);
    return m;
}
constexpr FieldMeta Text(const char* name, const char* caption) {
    FieldMeta m{name, caption};
    m.text = true;
    return m;
}

}  // namespace field
}  // namespace velmar
