// The settings blocks' table, and the field listing that reads each block
// through its own layout.

#include "core/settings/settings_blocks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>

#include "core/device/device_types.h"
#include "core/device/records.h"
#include "core/link/payload_io.h"
#include "core/modules/ac_input_codec.h"
#include "core/modules/analog_input_codec.h"
#include "core/modules/analog_output_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/modbus_codec.h"
#include "core/modules/rtd_input_codec.h"
#include "core/settings/settings_set_codec.h"
#include "core/views/display_codec.h"
#include "core/views/px210_codec.h"

namespace velmar {

namespace {

// Walks a layout and notes where each field lies; the values come from the
// bytes, not from the block the layout is given.
class FieldLister {
public:
    explicit FieldLister(const Bytes& bytes) : bytes_(bytes) {}
    void U8(const uint8_t&, const FieldMeta& m = {}) { Add(FieldKind::U8, 1, m); }
    void U16(const uint16_t&, const FieldMeta& m = {}) { Add(FieldKind::U16, 2, m); }
    void S16(const int16_t&, const FieldMeta& m = {}) { Add(FieldKind::S16, 2, m); }
    void S32(const int32_t&, const FieldMeta& m = {}) { Add(FieldKind::S32, 4, m); }
    void U32(const uint32_t&, const FieldMeta& m = {}) { Add(FieldKind::U32, 4, m); }
    void F32(const float&, const FieldMeta& m = {}) { Add(FieldKind::F32, 4, m); }
    void Bool(const bool&, const FieldMeta& m = {}) { Add(FieldKind::Bool, 1, m); }

    std::vector<BlockField> Finish(FieldContext context);

private:
    void Add(FieldKind kind, std::size_t width, const FieldMeta& m) {
        const std::size_t at = offset_;
        offset_ += width;
        if (!m.name) return;
        // The bytes of a text make one field.
        if (m.text && !fields_.empty() && fields_.back().kind == FieldKind::Text && fields_.back().name == m.name &&
            fields_.back().offset + fields_.back().width == at) {
            fields_.back().width += width;
            return;
        }
        BlockField f;
        f.name = m.name;
        f.caption = m.caption ? m.caption : m.name;
        f.kind = m.text ? FieldKind::Text : kind;
        f.offset = at;
        f.width = width;
        f.meta = m;
        fields_.push_back(f);
    }

    const Bytes& bytes_;
    std::size_t offset_ = 0;
    std::vector<BlockField> fields_;
};

uint32_t RawBits(const Bytes& bytes, std::size_t offset, std::size_t width) {
    uint32_t v = 0;
    for (std::size_t i = 0; i < width; ++i)
        if (offset + i < bytes.size()) v |= uint32_t(bytes[offset + i]) << (8 * i);
    return v;
}

// The raw value of a numeric field, sign applied; floats as their value.
double RawValue(const Bytes& bytes, const BlockField& f) {
    const uint32_t bits = RawBits(bytes, f.offset, f.width);
    switch (f.kind) {
    case FieldKind::S16: return int16_t(bits);
    case FieldKind::S32: return int32_t(bits);
    case FieldKind::F32: return std::bit_cast<float>(bits);
    case FieldKind::Bool: return bits != 0 ? 1 : 0;
    default: return bits;
    }
}

std::vector<BlockField> FieldLister::Finish(FieldContext context) {
    const int measuredDecimals = context.measuredDecimals;
    // Repeated fields (correction points, limits) are numbered from 1.
    std::map<std::string, int> count, seen;
    for (const BlockField& f : fields_) ++count[f.name];
    for (BlockField& f : fields_)
        if (count[f.name] > 1) f.name += std::to_string(++seen[f.name]);
    for (BlockField& f : fields_) {
        f.deviceType = context.deviceType;
        switch (f.meta.decimals) {
        case DecimalsFrom::Field:
            for (const BlockField& d : fields_)
                if (d.name == f.meta.decimalsField) {
                    const double n = RawValue(bytes_, d);
                    f.decimals = n >= 0 && n <= 4 ? int(n) : 0;
                }
            break;
        case DecimalsFrom::Measured:
            f.decimals = measuredDecimals >= 0 && measuredDecimals <= 4 ? measuredDecimals : 0;
            break;
        case DecimalsFrom::Fixed: f.decimals = f.meta.fixedDecimals; break;
        case DecimalsFrom::None: break;
        }
        if (f.kind == FieldKind::Text) {
            Bytes slice;
            for (std::size_t i = 0; i < f.width; ++i)
                slice.push_back(f.offset + i < bytes_.size() ? bytes_[f.offset + i] : 0);
            slice.push_back(0);
            f.text = DecodeDeviceText(slice.data(), f.width);
        } else {
            f.number = RawValue(bytes_, f) / std::pow(10.0, f.decimals);
        }
    }
    return fields_;
}

template <class Block, class Layout>
std::vector<BlockField> ListFields(const Bytes& bytes, FieldContext context, Layout layout) {
    FieldLister lister(bytes);
    Block block;
    layout(lister, block);
    return lister.Finish(context);
}

#define VELMAR_FIELDS(Block, Layout) \
    [](const Bytes& b, FieldContext c) { return ListFields<Block>(b, c, [](auto& io, Block& x) { Layout(io, x); }); }

Bytes SameShape(const Bytes& answer, const Bytes&) { return answer; }

bool Always(const Bytes&) { return true; }

// Only the scaled potentiometer shows the measured value in the block's
// decimals; a temperature or a resistance has decimals of its own.
bool ScaledPotentiometer(const Bytes& bytes) {
    RtdBlock b;
    BytesReader in(bytes);
    RtdLayout(in, b);
    return b.mode == kRtdScaledPotentiometer;
}

// The RTD defaults answer lacks the points measured on site.
Bytes RtdDefaultsAsBlock(const Bytes& answer, const Bytes& current) {
    RtdBlock b;
    BytesReader now(current);
    RtdLayout(now, b);
    BytesReader factory(answer);
    RtdDefaultsLayout(factory, b);
    Bytes out;
    BytesWriter w(out);
    RtdLayout(w, b);
    return out;
}

const SettingsBlockInfo kBlocks[] = {
    {"analogInput", "Analóg bemenet (PXAI)", kReadAnalogInput, kWriteAnalogInput, kAnalogInputDefaults,
     kAnalogInputBlockSize, VELMAR_FIELDS(AnalogInputBlock, AnalogInputLayout), SameShape, Always},
    {"rtdInput", "Hőmérséklet bemenet (PXRT)", kReadRtd, kWriteRtd, kRtdDefaults, kRtdBlockSize,
     VELMAR_FIELDS(RtdBlock, RtdLayout), RtdDefaultsAsBlock, ScaledPotentiometer},
    {"acInput", "TRMS bemenet", kReadAcInput, kWriteAcInput, kAcInputDefaults, kAcInputBlockSize,
     VELMAR_FIELDS(AcInputBlock, AcInputLayout), SameShape},
    {"analogOutput1", "Analóg kimenet 1 (PXAO)", kReadAnalogOutput1, kWriteAnalogOutput1, kAnalogOutputDefaults,
     kAnalogOutputBlockSize, VELMAR_FIELDS(AnalogOutputBlock, AnalogOutputLayout), SameShape},
    {"analogOutput2", "Analóg kimenet 2 (PXAO)", kReadAnalogOutput2, kWriteAnalogOutput2, kAnalogOutputDefaults,
     kAnalogOutputBlockSize, VELMAR_FIELDS(AnalogOutputBlock, AnalogOutputLayout), SameShape},
    {"limit1", "Határérték kimenet 1 (PXRL)", kReadLimit1, kWriteLimit1, kLimitDefaults, kLimitBlockSize,
     VELMAR_FIELDS(LimitBlock, LimitLayout), SameShape},
    {"limit2", "Határérték kimenet 2 (PXRL)", kReadLimit2, kWriteLimit2, kLimitDefaults, kLimitBlockSize,
     VELMAR_FIELDS(LimitBlock, LimitLayout), SameShape},
    {"modbus", "Modbus (PXMB)", kReadModbus, kWriteModbus, kModbusDefaults, kModbusBlockSize,
     VELMAR_FIELDS(ModbusBlock, ModbusLayout), SameShape},
    {"display", "Kijelző", kReadDisplay, kWriteDisplay, kDisplayDefaults, kDisplayBlockSize,
     VELMAR_FIELDS(DisplayBlock, DisplayLayout), SameShape},
    {"px210", "PX210 beállítások", kReadPX210, kWritePX210, kPX210Defaults, kPX210BlockSize,
     VELMAR_FIELDS(PX210Block, PX210Layout), SameShape},
    {"settingsSet", "Teljes beállításkészlet", kReadSettingsSet, kWriteSettingsSet, kSettingsSetDefaults,
     kSettingsSetSize, VELMAR_FIELDS(SettingsSet, SettingsSetLayout), SameShape, Always},
};

}  // namespace

std::span<const SettingsBlockInfo> SettingsBlocks() { return kBlocks; }

const SettingsBlockInfo* FindSettingsBlock(std::string_view name) {
    for (const SettingsBlockInfo& b : kBlocks)
        if (name == b.name) return &b;
    return nullptr;
}

const SettingsBlockInfo* BlockOfRead(uint8_t command) {
    for (const SettingsBlockInfo& b : kBlocks)
        if (b.read == command) return &b;
    return nullptr;
}

const SettingsBlockInfo* BlockOfWrite(uint8_t command) {
    for (const SettingsBlockInfo& b : kBlocks)
        if (b.write == command) return &b;
    return nullptr;
}

bool IsBlockCommand(uint8_t command) {
    static const auto table = [] {
        std::array<bool, 256> t{};
        for (const SettingsBlockInfo& b : kBlocks) t[b.read] = t[b.write] = t[b.defaults] = true;
        return t;
    }();
    return table[command];
}

std::optional<int> MeasuredDecimalsIn(const SettingsBlockInfo& block, const Bytes& bytes) {
    if (!block.setsMeasuredDecimals || !block.setsMeasuredDecimals(bytes)) return std::nullopt;
    for (const BlockField& f : block.fields(bytes, {}))
        if (f.name == "decimals" && f.number >= 0 && f.number <= 4) return int(f.number);
    return std::nullopt;
}

std::vector<const SettingsBlockInfo*> BlocksOf(const InstrumentFit& fit) {
    const uint16_t t = fit.deviceType;
    const bool has[] = {
        fit.optIn == 1,  // analogInput
        t == 310 || fit.optIn == 2,  // rtdInput
        t == 350 || t == 370,  // acInput
        fit.out1 == 3,  // analogOutput1
        fit.out2 == 3,  // analogOutput2
        fit.out1 == 5 || IsPX530Family(t),  // limit1
        fit.out2 == 5 || IsPX530Family(t),  // limit2
        fit.optIn == 6 || fit.optIn == 8 || fit.out1 == 4 || fit.out2 == 4,  // modbus
        IsPX530Family(t),  // display
        t == 210,  // px210
        fit.service,  // settingsSet
    };
    static_assert(std::size(has) == std::size(kBlocks));
    std::vector<const SettingsBlockInfo*> out;
    for (std::size_t i = 0; i < std::size(kBlocks); ++i)
        if (has[i]) out.push_back(&kBlocks[i]);
    return out;
}

namespace {

// Independent of the C library's locale, which a Qt program sets from the
// system's.
std::string NumberText(const BlockField& f, char decimalSeparator) {
    char s[64];
    std::to_chars_result r;
    if (f.kind == FieldKind::F32)
        r = std::to_chars(s, s + sizeof s, float(f.number));  // the shortest text that reads back the same
    else
        r = std::to_chars(s, s + sizeof s, f.number, std::chars_format::fixed, f.decimals);
    std::string text(s, r.ec == std::errc() ? r.ptr : s);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

bool HasOptionsFor(const FieldMeta& m, uint16_t device) {
    for (uint8_t i = 0; i < m.optionCount; ++i)
        if (m.options[i].device == 0 || m.options[i].device == device) return true;
    return false;
}

}  // namespace

std::string FieldValueText(const BlockField& f, char decimalSeparator) {
    if (f.kind == FieldKind::Text) return f.text;
    const std::string unit = f.meta.unit ? std::string(" ") + f.meta.unit : std::string();
    if (f.meta.optionCount > 0) {
        if (const char* option = OptionText(f.meta, int64_t(f.number), f.deviceType)) return option + unit;
        // The unit belongs to the option texts, not to the code.
        if (HasOptionsFor(f.meta, f.deviceType)) return NumberText(f, decimalSeparator) + " (ismeretlen érték)";
    }
    if (f.kind == FieldKind::Bool) return (f.number != 0) != f.meta.inverted ? "igen" : "nem";
    return NumberText(f, decimalSeparator) + unit;
}

namespace {

void PutBits(Bytes& bytes, const BlockField& f, uint32_t v) {
    if (bytes.size() < f.offset + f.width) bytes.resize(f.offset + f.width, 0);
    for (std::size_t i = 0; i < f.width; ++i) bytes[f.offset + i] = uint8_t(v >> (8 * i));
}

std::pair<double, double> KindRange(FieldKind k) {
    switch (k) {
    case FieldKind::U8: return {0, 255};
    case FieldKind::Bool: return {0, 1};
    case FieldKind::U16: return {0, 65535};
    case FieldKind::S16: return {-32768, 32767};
    case FieldKind::S32: return {-2147483648.0, 2147483647.0};
    case FieldKind::U32: return {0, 4294967295.0};
    default: return {-std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
    }
}

}  // namespace

std::pair<double, double> FieldLimits(const BlockField& f) {
    auto [lo, hi] = KindRange(f.kind);
    if (f.meta.min <= f.meta.max) lo = std::max(lo, f.meta.min), hi = std::min(hi, f.meta.max);
    if (f.kind == FieldKind::F32) return {lo, hi};
    const double scale = std::pow(10.0, f.decimals);
    return {lo / scale, hi / scale};
}

std::string FieldRangeText(const BlockField& f, char decimalSeparator) {
    const auto [lo, hi] = FieldLimits(f);
    BlockField low = f, high = f;
    low.number = lo;
    high.number = hi;
    const std::string unit = f.meta.unit ? std::string(" ") + f.meta.unit : std::string();
    return NumberText(low, decimalSeparator) + " … " + NumberText(high, decimalSeparator) + unit;
}

std::string SetFieldNumber(Bytes& bytes, const BlockField& f, double value) {
    if (f.kind == FieldKind::Text) return "szöveget vár, nem számot";
    if (!std::isfinite(value)) return "nem véges szám";
    const double scale = std::pow(10.0, f.decimals);
    const double raw = f.kind == FieldKind::F32 ? value : std::round(value * scale);
    if (f.kind != FieldKind::F32 && std::fabs(raw - value * scale) > 1e-6 * std::max(1.0, std::fabs(raw)))
        return f.decimals == 0 ? std::string("egész számot vár")
                               : "legfeljebb " + std::to_string(f.decimals) + " tizedesjegy lehet";
    auto [lo, hi] = FieldLimits(f);
    if (f.kind != FieldKind::F32) lo = std::round(lo * scale), hi = std::round(hi * scale);
    if (raw < lo || raw > hi) return "a megengedett tartományon kívül van (" + FieldRangeText(f) + ")";
    switch (f.kind) {
    case FieldKind::F32: PutBits(bytes, f, std::bit_cast<uint32_t>(float(raw))); break;
    case FieldKind::S16:
    case FieldKind::S32: PutBits(bytes, f, uint32_t(int32_t(raw))); break;
    default: PutBits(bytes, f, uint32_t(raw)); break;
    }
    return {};
}

std::string SetFieldText(Bytes& bytes, const BlockField& f, std::string_view utf8) {
    if (f.kind != FieldKind::Text) return "számot vár, nem szöveget";
    std::u32string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const uint8_t c = uint8_t(utf8[i]);
        const int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + std::size_t(n) > utf8.size()) return "hibás UTF-8 szöveg";
        char32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (int k = 1; k < n; ++k) cp = (cp << 6) | (uint8_t(utf8[i + std::size_t(k)]) & 0x3F);
        text.push_back(cp);
        i += std::size_t(n);
    }
    // The instrument keeps one byte for the closing zero; blanks at the ends
    // do not travel.
    std::u32string_view kept = text;
    while (!kept.empty() && (kept.front() == U' ' || kept.front() == U'\t')) kept.remove_prefix(1);
    while (!kept.empty() && (kept.back() == U' ' || kept.back() == U'\t')) kept.remove_suffix(1);
    if (kept.size() > f.width - 1)
        return "legfeljebb " + std::to_string(f.width - 1) + " karakter lehet, „" + std::string(utf8) + "” " +
               std::to_string(kept.size()) + " karakter";
    Bytes out(f.width, 0);
    std::string error;
    if (!EncodeDeviceText(text, out.data(), f.width, &error)) return error;
    if (bytes.size() < f.offset + f.width) bytes.resize(f.offset + f.width, 0);
    std::copy(out.begin(), out.end(), bytes.begin() + std::ptrdiff_t(f.offset));
    return {};
}

void CopyField(Bytes& to, const Bytes& from, const BlockField& f) {
    if (to.size() < f.offset + f.width) to.resize(f.offset + f.width, 0);
    for (std::size_t i = 0; i < f.width; ++i) to[f.offset + i] = f.offset + i < from.size() ? from[f.offset + i] : 0;
}

bool FieldEqual(const Bytes& a, const Bytes& b, const BlockField& f) {
    for (std::size_t i = f.offset; i < f.offset + f.width; ++i)
        if ((i < a.size() ? a[i] : 0) != (i < b.size() ? b[i] : 0)) return false;
    return true;
}

std::string HexOf(const Bytes& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (uint8_t b : bytes) {
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 15]);
    }
    return s;
}

bool BytesOfHex(std::string_view hex, Bytes& out) {
    auto nibble = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (hex.size() % 2) return false;
    Bytes b;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = nibble(hex[i]), lo = nibble(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        b.push_back(uint8_t(hi * 16 + lo));
    }
    out = std::move(b);
    return true;
}

}  // namespace velmar
