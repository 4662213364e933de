#include "core/settings/field_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace velmar {

namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Letter case is ignored in ASCII only: option texts are compared as typed.
bool SameWords(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string UnitSuffix(const BlockField& f) { return f.meta.unit ? std::string(" ") + f.meta.unit : std::string(); }

// The number typed, without the field's unit after it.
std::string_view WithoutUnit(const BlockField& f, std::string_view s) {
    if (f.meta.unit) {
        const std::string_view unit = f.meta.unit;
        if (s.size() > unit.size() && s.substr(s.size() - unit.size()) == unit)
            s = Trimmed(s.substr(0, s.size() - unit.size()));
    }
    return s;
}

bool ParseNumber(std::string_view s, double& out) {
    std::string t(s);
    std::replace(t.begin(), t.end(), ',', '.');
    if (!t.empty() && t.front() == '+') t.erase(0, 1);
    const auto r = std::from_chars(t.data(), t.data() + t.size(), out);
    return !t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size();
}

std::string Quoted(std::string_view s) { return "„" + std::string(s) + "”"; }

std::string ChoiceList(const BlockField& f) {
    std::string out;
    for (const FieldOption& o : FieldChoices(f))
        out += (out.empty() ? "" : ", ") + std::string(o.text) + UnitSuffix(f) + " (" + std::to_string(o.code) + ")";
    return out;
}

std::string SetChoice(Bytes& bytes, const BlockField& f, std::string_view s) {
    const std::vector<FieldOption> choices = FieldChoices(f);
    const FieldOption* found = nullptr;
    for (const FieldOption& o : choices)
        if (!found && (SameWords(s, o.text) || SameWords(s, o.text + UnitSuffix(f)))) found = &o;
    if (found) return SetFieldNumber(bytes, f, found->code);
    double code = 0;
    if (ParseNumber(s, code)) return SetFieldFromNumber(bytes, f, code);
    return "nem választható érték: " + Quoted(s) + "; választható: " + ChoiceList(f);
}

std::string SetFlag(Bytes& bytes, const BlockField& f, std::string_view s) {
    if (SameWords(s, "1")) return SetFieldNumber(bytes, f, 1);
    if (SameWords(s, "0")) return SetFieldNumber(bytes, f, 0);
    // The words answer the caption, which may say the stored flag's opposite.
    const double yes = f.meta.inverted ? 0 : 1;
    for (const char* word : {"igen", "i", "true"})
        if (SameWords(s, word)) return SetFieldNumber(bytes, f, yes);
    for (const char* word : {"nem", "n", "false"})
        if (SameWords(s, word)) return SetFieldNumber(bytes, f, 1 - yes);
    return "igen vagy nem lehet, nem " + Quoted(s);
}

std::string NumberText(double v) {
    char s[32];
    const auto r = std::to_chars(s, s + sizeof s, v);
    return std::string(s, r.ptr);
}

}  // namespace

FieldType TypeOf(const BlockField& f) {
    if (f.kind == FieldKind::Text) return FieldType::Text;
    if (!FieldChoices(f).empty()) return FieldType::Choice;
    if (f.kind == FieldKind::Bool) return FieldType::Flag;
    return FieldType::Number;
}

const char* TypeName(FieldType t) {
    switch (t) {
    case FieldType::Choice: return "choice";
    case FieldType::Flag: return "flag";
    case FieldType::Text: return "text";
    default: return "number";
    }
}

std::vector<FieldOption> FieldChoices(const BlockField& f) {
    std::vector<FieldOption> out;
    for (uint8_t i = 0; i < f.meta.optionCount; ++i) {
        const FieldOption& o = f.meta.options[i];
        if (o.device == 0 || f.deviceType == 0 || o.device == f.deviceType) out.push_back(o);
    }
    return out;
}

std::string FieldEditText(const BlockField& f, char decimalSeparator) {
    if (TypeOf(f) == FieldType::Choice && OptionText(f.meta, int64_t(f.number), f.deviceType))
        return FieldValueText(f, decimalSeparator);
    // A code with no text is edited as the number it is.
    BlockField bare = f;
    bare.meta.optionCount = 0;
    bare.meta.unit = nullptr;
    return FieldValueText(bare, decimalSeparator);
}

std::string FieldLimitsText(const BlockField& f, char decimalSeparator) {
    switch (TypeOf(f)) {
    case FieldType::Text: return "legfeljebb " + std::to_string(f.width - 1) + " karakter";
    case FieldType::Flag: return "igen / nem";
    case FieldType::Choice: {
        std::string out;
        for (const FieldOption& o : FieldChoices(f))
            out += (out.empty() ? "" : " / ") + std::string(o.text) + UnitSuffix(f);
        return out;
    }
    default: return FieldRangeText(f, decimalSeparator);
    }
}

namespace {

std::string SetFromText(Bytes& bytes, const BlockField& f, std::string_view text) {
    switch (TypeOf(f)) {
    case FieldType::Text: return SetFieldText(bytes, f, Trimmed(text));
    case FieldType::Choice: return SetChoice(bytes, f, Trimmed(text));
    case FieldType::Flag: return SetFlag(bytes, f, Trimmed(text));
    case FieldType::Number: break;
    }
    const std::string_view s = WithoutUnit(f, Trimmed(text));
    double value = 0;
    if (!ParseNumber(s, value) || !std::isfinite(value))
        return "számot vár, nem " + Quoted(Trimmed(text)) + " (" + FieldRangeText(f) + ")";
    return SetFieldNumber(bytes, f, value);
}

}  // namespace

std::string SetFieldFromNumber(Bytes& bytes, const BlockField& f, double value) {
    switch (TypeOf(f)) {
    case FieldType::Text: return "szöveget vár, nem számot";
    case FieldType::Flag:
        if (value != 0 && value != 1) return "igen (1) vagy nem (0) lehet, nem " + NumberText(value);
        break;
    case FieldType::Choice: {
        const std::vector<FieldOption> choices = FieldChoices(f);
        if (std::none_of(choices.begin(), choices.end(), [&](const FieldOption& o) { return o.code == value; }))
            return "nem választható érték: " + NumberText(value) + "; választható: " + ChoiceList(f);
        break;
    }
    case FieldType::Number: break;
    }
    return SetFieldNumber(bytes, f, value);
}

std::string SetFieldFromText(Bytes& bytes, const BlockField& f, std::string_view text) {
    // The reason goes into a sentence of the caller's.
    std::string why = SetFromText(bytes, f, text);
    while (!why.empty() && (why.back() == '.' || why.back() == ' ')) why.pop_back();
    return why;
}

}  // namespace velmar
